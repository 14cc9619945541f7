// The strategy tables prepared off the window's thread, and their cache file.
#include "BackgroundStrategies.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentRun>
#include <chrono>
#include <thread>
#include <vector>

#include "FileAccess.h"

namespace quimba::ui {

namespace {

// A cached file is trusted only when it reads back whole, of this type and
// this version; anything else is built again and replaces it. Only a regular
// file of the one valid size is read.
std::optional<StrategyTable> ReadCache(const QString& path, int typejeu) {
    const FileBytes file = ReadRegularFile(QFile::encodeName(path).toStdString(), StrategyTable::FileBytes(typejeu));
    if (file.outcome != FileBytes::Read) return std::nullopt;
    return StrategyTable::Load(std::vector<std::uint8_t>(file.bytes.begin(), file.bytes.end()), typejeu);
}

// The cache is only a saving of time: a folder that cannot be written costs
// a rebuild at the next run, nothing more. Every write is checked, and
// whatever stands at the cache's name (a link to a device included) is
// replaced by the new file, never written through. Another copy writing the
// same table at that moment is left to it.
void WriteCache(const QString& dir, const QString& path, const StrategyTable& table) {
    const std::vector<std::uint8_t> bytes = table.Save();
    if (!MakeFolder(QFile::encodeName(dir).toStdString()).Ok()) return;
    const std::string file = QFile::encodeName(path).toStdString();
    const FileLock lock(file + ".lock", 0);
    if (!lock.Held()) return;
    ReplaceWholeFile(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

BackgroundStrategies::Prepared Prepare(const QString& dir, const QString& path, int typejeu,
                                       std::shared_ptr<std::atomic<bool>> stop) {
    if (std::optional<StrategyTable> cached = ReadCache(path, typejeu))
        return {std::make_shared<StrategyTable>(std::move(*cached)), BackgroundStrategies::Origin::Cache};
    // One core stays free for the window's animation.
    const unsigned cores = std::thread::hardware_concurrency();
    StrategyTable built = StrategyTable::Build(typejeu, cores > 1 ? cores - 1 : 1, stop.get());
    if (stop->load()) return {};
    WriteCache(dir, path, built);
    return {std::make_shared<StrategyTable>(std::move(built)), BackgroundStrategies::Origin::Built};
}

}  // namespace

BackgroundStrategies::BackgroundStrategies(const QString& cacheDir, QObject* parent)
    : QObject(parent),
      dir_(cacheDir.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) : cacheDir) {
    pool_.setMaxThreadCount(3);  // one worker per game type at most
    for (int typejeu = kNormal; typejeu <= kDescendant; ++typejeu)
        connect(&slots_[typejeu].watcher, &QFutureWatcher<Prepared>::finished, this,
                [this, typejeu] { Finished(typejeu); });
}

BackgroundStrategies::~BackgroundStrategies() {
    stop_->store(true);
    for (Slot& slot : slots_) slot.watcher.disconnect(this);
    pool_.waitForDone();
}

QString BackgroundStrategies::CacheFile(int typejeu) const { return dir_ + QString("/strategie%1.bin").arg(typejeu); }

const StrategyTable* BackgroundStrategies::Table(int typejeu) {
    if (!IsGameType(typejeu)) return nullptr;
    Slot& slot = slots_[typejeu];
    if (slot.table) return slot.table.get();
    if (!slot.started) {
        slot.started = true;
        slot.watcher.setFuture(QtConcurrent::run(&pool_, Prepare, dir_, CacheFile(typejeu), typejeu, stop_));
    }
    return nullptr;
}

void BackgroundStrategies::Finished(int typejeu) {
    Slot& slot = slots_[typejeu];
    if (slot.table || !slot.watcher.future().isValid() || slot.watcher.future().resultCount() == 0) return;
    const Prepared prepared = slot.watcher.result();
    if (!prepared.table) return;
    slot.table = prepared.table;
    slot.origin = prepared.origin;
    emit Ready(typejeu);
}

BackgroundStrategies::Origin BackgroundStrategies::OriginOf(int typejeu) const {
    if (!IsGameType(typejeu) || !slots_[typejeu].table) return Origin::None;
    return slots_[typejeu].origin;
}

bool BackgroundStrategies::WaitReady(int typejeu, int ms) {
    if (!IsGameType(typejeu)) return false;
    Slot& slot = slots_[typejeu];
    if (!slot.started) return false;
    const QFuture<Prepared> future = slot.watcher.future();
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!future.isFinished()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    Finished(typejeu);
    return slot.table != nullptr;
}

}  // namespace quimba::ui
