#include "StrategyCache.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <chrono>
#include <vector>

namespace quimba::ui {

namespace {

bool ValidType(int typejeu) { return typejeu >= kNormal && typejeu <= kDescendant; }

std::vector<std::uint8_t> ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace

BackgroundStrategies::BackgroundStrategies(const QString& cacheDir, QObject* parent)
    : QObject(parent),
      dir_(cacheDir.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) : cacheDir) {}

BackgroundStrategies::~BackgroundStrategies() {
    for (Slot& slot : slots_)
        if (slot.worker.joinable()) slot.worker.join();
}

QString BackgroundStrategies::CacheFile(int typejeu) const { return dir_ + QString("/strategie%1.bin").arg(typejeu); }

const StrategyTable* BackgroundStrategies::Table(int typejeu) {
    if (!ValidType(typejeu)) return nullptr;
    Slot& slot = slots_[typejeu];
    if (slot.ready.load(std::memory_order_acquire)) return slot.table.get();
    if (!slot.started) {
        slot.started = true;
        slot.worker = std::thread([this, typejeu] { Prepare(typejeu); });
    }
    return nullptr;
}

void BackgroundStrategies::Prepare(int typejeu) {
    Slot& slot = slots_[typejeu];
    // A cached file is trusted only when it reads back whole, of this type and
    // this version; anything else is built again and replaces it.
    std::optional<StrategyTable> table = StrategyTable::Load(ReadAll(CacheFile(typejeu)), typejeu);
    Origin origin = Origin::Cache;
    if (!table) {
        // One core stays free for the window's animation.
        const unsigned cores = std::thread::hardware_concurrency();
        table = StrategyTable::Build(typejeu, cores > 1 ? cores - 1 : 1);
        origin = Origin::Built;
        const std::vector<std::uint8_t> bytes = table->Save();
        // The cache is only a saving of time: a folder that cannot be written
        // costs a rebuild at the next run, nothing more.
        QDir().mkpath(dir_);
        QSaveFile file(CacheFile(typejeu));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
            file.commit();
        }
    }
    slot.table = std::make_unique<StrategyTable>(std::move(*table));
    slot.origin = origin;
    slot.ready.store(true, std::memory_order_release);
    emit Ready(typejeu);
}

BackgroundStrategies::Origin BackgroundStrategies::OriginOf(int typejeu) const {
    if (!ValidType(typejeu) || !slots_[typejeu].ready.load(std::memory_order_acquire)) return Origin::None;
    return slots_[typejeu].origin;
}

bool BackgroundStrategies::WaitReady(int typejeu, int ms) const {
    if (!ValidType(typejeu)) return false;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!slots_[typejeu].ready.load(std::memory_order_acquire)) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace quimba::ui
