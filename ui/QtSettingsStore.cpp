// The per-user settings through QSettings, organization "FENTORIX", application "3DQUIMBA".
#include "QtSettingsStore.h"

namespace quimba::ui {

std::optional<std::string> QtSettingsStore::Read(const std::string& key) {
    const QString k = QString::fromStdString(key);
    if (!settings_.contains(k)) return std::nullopt;
    return settings_.value(k).toString().toStdString();
}

void QtSettingsStore::Write(const std::string& key, const std::string& value) {
    settings_.setValue(QString::fromStdString(key), QString::fromStdString(value));
}

bool QtSettingsStore::Release() {
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

}  // namespace quimba::ui
