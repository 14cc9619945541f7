#pragma once
// The strategy tables for the window. Each game type's table is read from the
// per-user cache, or built and cached, on a worker of a private thread pool
// at its first request; until it is there Table() answers nullptr, so neither
// the window nor an expert computer ever waits on it (the computer looks
// again at its next tick). Closing stops a build under way at once, so the
// worker never keeps the program alive.

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <array>
#include <atomic>
#include <memory>

#include "Ports.h"
#include "Strategy.h"

namespace quimba::ui {

class BackgroundStrategies : public QObject, public StrategySource {
    Q_OBJECT
public:
    // `cacheDir` empty: the per-user cache folder.
    explicit BackgroundStrategies(const QString& cacheDir = QString(), QObject* parent = nullptr);
    // Stops a table still being built and waits for its worker to notice.
    ~BackgroundStrategies() override;

    const StrategyTable* Table(int typejeu) override;

    enum class Origin { None, Cache, Built };
    // Where the ready table of a type came from; None while it is not ready.
    Origin OriginOf(int typejeu) const;
    QString CacheFile(int typejeu) const;
    // Blocks until the table of a type is ready, at most `ms`; for tests.
    bool WaitReady(int typejeu, int ms);

    // What a worker hands back.
    struct Prepared {
        std::shared_ptr<StrategyTable> table;
        Origin origin = Origin::None;
    };

signals:
    // A table became ready; delivered on the window's thread.
    void Ready(int typejeu);

private:
    struct Slot {
        QFutureWatcher<Prepared> watcher;
        std::shared_ptr<StrategyTable> table;
        Origin origin = Origin::None;
        bool started = false;
    };

    void Finished(int typejeu);

    QString dir_;
    // Shared with the workers, which may outlive nothing but must see it.
    std::shared_ptr<std::atomic<bool>> stop_ = std::make_shared<std::atomic<bool>>(false);
    QThreadPool pool_;
    std::array<Slot, 4> slots_;  // by game type 1..3
};

}  // namespace quimba::ui
