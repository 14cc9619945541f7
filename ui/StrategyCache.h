#pragma once
// The strategy tables for the window. Each game type's table is read from the
// per-user cache, or built and cached, on a worker thread at its first
// request; until it is there Table() answers nullptr, so neither the window
// nor an expert computer ever waits on it (the computer looks again at its
// next tick).

#include <QObject>
#include <QString>
#include <array>
#include <atomic>
#include <memory>
#include <thread>

#include "Ports.h"
#include "Strategy.h"

namespace quimba::ui {

class BackgroundStrategies : public QObject, public StrategySource {
    Q_OBJECT
public:
    // `cacheDir` empty: the per-user cache folder.
    explicit BackgroundStrategies(const QString& cacheDir = QString(), QObject* parent = nullptr);
    // Waits for a table still being built.
    ~BackgroundStrategies() override;

    const StrategyTable* Table(int typejeu) override;

    enum class Origin { None, Cache, Built };
    // Where the ready table of a type came from; None while it is not ready.
    Origin OriginOf(int typejeu) const;
    QString CacheFile(int typejeu) const;
    // Blocks until the table of a type is ready, at most `ms`; for tests.
    bool WaitReady(int typejeu, int ms) const;

signals:
    // A table became ready; delivered on the window's thread.
    void Ready(int typejeu);

private:
    struct Slot {
        std::thread worker;
        std::unique_ptr<StrategyTable> table;  // written by the worker before `ready`
        std::atomic<bool> ready{false};
        Origin origin = Origin::None;
        bool started = false;  // touched on the window's thread only
    };

    void Prepare(int typejeu);

    QString dir_;
    std::array<Slot, 4> slots_;  // by game type 1..3
};

}  // namespace quimba::ui
