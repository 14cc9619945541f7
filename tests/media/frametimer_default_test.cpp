// Whether the frames run by default: before any window has been activated
// (no window manager to do it) they run; once the program has been active,
// being in the background holds them back.

#include "FrameTimer.h"
#include "QtTestMain.h"

#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

using quimba::TFrameTimer;

class FrameTimerDefaultTest : public QObject {
    Q_OBJECT
private slots:
    void rule_data();
    void rule();
    void followsTheApplication();
};

void FrameTimerDefaultTest::rule_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("hasBeenActive");
    QTest::addColumn<bool>("run");
    QTest::newRow("active") << int(Qt::ApplicationActive) << true << true;
    QTest::newRow("active, first time") << int(Qt::ApplicationActive) << false << true;
    QTest::newRow("inactive after being active") << int(Qt::ApplicationInactive) << true << false;
    QTest::newRow("hidden after being active") << int(Qt::ApplicationHidden) << true << false;
    QTest::newRow("suspended after being active") << int(Qt::ApplicationSuspended) << true << false;
    QTest::newRow("never activated") << int(Qt::ApplicationInactive) << false << true;
}

void FrameTimerDefaultTest::rule() {
    QFETCH(int, state);
    QFETCH(bool, hasBeenActive);
    QFETCH(bool, run);
    QCOMPARE(TFrameTimer::FramesRun(Qt::ApplicationState(state), hasBeenActive), run);
}

// The live default, on the real application object. Keep this the last
// test: it leaves the application marked as having been active.
void FrameTimerDefaultTest::followsTheApplication() {
    TFrameTimer timer;
    QSignalSpy spy(&timer, &TFrameTimer::OnTimer);
    timer.SetEnabled(true);

    // No window yet: nothing has ever been active, and the frames run.
    QVERIFY(QGuiApplication::applicationState() != Qt::ApplicationActive);
    QCOMPARE(TFrameTimer::DefaultApplicationActive(), true);
    QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 2, 5000);

    // The application reports that it has been active (as a window manager
    // does when focus comes and goes); it is not active now, so frames stop.
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    QCOMPARE(TFrameTimer::DefaultApplicationActive(), false);
    QTest::qWait(20);
    const int before = int(spy.count());
    QTest::qWait(100);
    QCOMPARE(int(spy.count()), before);
    QCOMPARE(timer.Enabled(), true);

    // Active again: frames resume.
    QWidget window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(QGuiApplication::applicationState(), Qt::ApplicationActive);
    QCOMPARE(TFrameTimer::DefaultApplicationActive(), true);
    QTRY_VERIFY_WITH_TIMEOUT(spy.count() > before, 5000);
}

QUIMBA_TEST_MAIN("frametimer_default", FrameTimerDefaultTest)
#include "frametimer_default_test.moc"
