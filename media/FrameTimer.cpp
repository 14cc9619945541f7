// The animation clock: a 15 ms tick, held back while the program is not the active application.
#include "FrameTimer.h"

#include <QGuiApplication>

#include <algorithm>
#include <atomic>

namespace quimba {

namespace {

std::atomic<bool> everActive{false};

// Remembers that the application has been active at least once.
void WatchApplicationState() {
    static bool watching = false;
    if (watching) return;
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) return;
    watching = true;
    if (QGuiApplication::applicationState() == Qt::ApplicationActive) everActive = true;
    QObject::connect(app, &QGuiApplication::applicationStateChanged, app, [](Qt::ApplicationState s) {
        if (s == Qt::ApplicationActive) everActive = true;
    });
}

}  // namespace

bool TFrameTimer::DefaultApplicationActive() {
    WatchApplicationState();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return true;
    const Qt::ApplicationState state = QGuiApplication::applicationState();
    if (state == Qt::ApplicationActive) everActive = true;
    return FramesRun(state, everActive);
}

TFrameTimer::TFrameTimer(QObject* parent, ActiveSource isActive) : QObject(parent), isActive_(std::move(isActive)) {
    if (!isActive_) {
        WatchApplicationState();
        isActive_ = &TFrameTimer::DefaultApplicationActive;
    }
    timer_.setInterval(kIntervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TFrameTimer::Tick);
}

void TFrameTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_) {
        sinceFrame_.start();
        timer_.start();
    } else {
        timer_.stop();
    }
}

void TFrameTimer::Tick() {
    // While inactive the ticks are simply dropped; Enabled() stays true and
    // the frames resume with the first tick that finds the program active.
    if (!enabled_ || !isActive_()) return;
    const qint64 elapsed = sinceFrame_.restart();
    const int lag = int(std::clamp<qint64>(elapsed / kIntervalMs, 1, 1 << 20));
    emit OnTimer(lag);
}

}  // namespace quimba
