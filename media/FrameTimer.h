#pragma once
// The animation clock: a tick every 15 ms while enabled, held back while
// the program is not the active application.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace quimba {

class TFrameTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 15;
    using ActiveSource = std::function<bool()>;

    // With no source given, the application's own state is asked (see
    // DefaultApplicationActive).
    explicit TFrameTimer(QObject* parent = nullptr, ActiveSource isActive = {});

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    int Interval() const { return kIntervalMs; }

    // Active while the application reports itself active, and also before
    // any of its windows has ever been activated: without a window manager
    // nothing activates a window, and the game must still animate there.
    // Once it has been active, leaving that state pauses the frames.
    static bool DefaultApplicationActive();
    // The rule behind it.
    static bool FramesRun(Qt::ApplicationState state, bool hasBeenActive) {
        return state == Qt::ApplicationActive || !hasBeenActive;
    }

signals:
    // lagCount: whole intervals since the previous frame (at least 1).
    void OnTimer(int lagCount);

private:
    void Tick();

    QTimer timer_;
    QElapsedTimer sinceFrame_;
    ActiveSource isActive_;
    bool enabled_ = false;
};

}  // namespace quimba
