#pragma once
// The per-user settings store: organization "FENTORIX", application
// "3DQUIMBA" (the registry on Windows, a per-user file on Linux).

#include <QSettings>

#include "Ports.h"

namespace quimba::ui {

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore() : settings_("FENTORIX", "3DQUIMBA") {}
    std::optional<std::string> Read(const std::string& key) override;
    void Write(const std::string& key, const std::string& value) override;
    // False when the store could not be written.
    bool Release();

private:
    QSettings settings_;
};

}  // namespace quimba::ui
