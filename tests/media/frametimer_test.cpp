// The animation clock: ticks while enabled, held back while the program is
// in the background, and back again when it returns.

#include "FrameTimer.h"
#include "QtTestMain.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using quimba::TFrameTimer;

class FrameTimerTest : public QObject {
    Q_OBJECT
private slots:
    void startsDisabled();
    void ticksWhileEnabled();
    void pausesWhileInactive();
    void stopsFromItsOwnHandler();
    void disabledWhileInactiveStaysOff();
};

void FrameTimerTest::startsDisabled() {
    TFrameTimer timer(nullptr, [] { return true; });
    QCOMPARE(timer.Enabled(), false);
    QCOMPARE(timer.Interval(), 15);
    QSignalSpy spy(&timer, &TFrameTimer::OnTimer);
    QTest::qWait(60);
    QCOMPARE(spy.count(), 0);
}

void FrameTimerTest::ticksWhileEnabled() {
    TFrameTimer timer(nullptr, [] { return true; });
    QSignalSpy spy(&timer, &TFrameTimer::OnTimer);
    QElapsedTimer clock;
    clock.start();
    timer.SetEnabled(true);
    QCOMPARE(timer.Enabled(), true);
    QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 4, 5000);
    // Four frames cannot come sooner than four intervals.
    QVERIFY2(clock.elapsed() >= 4 * 15 - 2, qPrintable(QString::number(clock.elapsed())));
    for (const auto& args : spy) QVERIFY(args.at(0).toInt() >= 1);
    timer.SetEnabled(false);
    const int seen = int(spy.count());
    QTest::qWait(60);
    QCOMPARE(int(spy.count()), seen);
}

void FrameTimerTest::pausesWhileInactive() {
    bool active = true;
    TFrameTimer timer(nullptr, [&] { return active; });
    QSignalSpy spy(&timer, &TFrameTimer::OnTimer);
    timer.SetEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 1, 5000);

    active = false;
    QTest::qWait(20);  // a tick already queued may still land
    const int before = int(spy.count());
    QTest::qWait(120);
    QCOMPARE(int(spy.count()), before);
    QCOMPARE(timer.Enabled(), true);

    active = true;
    QTRY_VERIFY_WITH_TIMEOUT(spy.count() > before, 5000);
    // The first frame back reports the intervals missed meanwhile.
    QVERIFY2(spy.at(before).at(0).toInt() >= 120 / 15, qPrintable(QString::number(spy.at(before).at(0).toInt())));
}

void FrameTimerTest::stopsFromItsOwnHandler() {
    TFrameTimer timer(nullptr, [] { return true; });
    int frames = 0;
    connect(&timer, &TFrameTimer::OnTimer, this, [&](int) {
        if (++frames == 3) timer.SetEnabled(false);
    });
    timer.SetEnabled(true);
    QTRY_COMPARE_WITH_TIMEOUT(frames, 3, 5000);
    QTest::qWait(80);
    QCOMPARE(frames, 3);
    QCOMPARE(timer.Enabled(), false);
}

void FrameTimerTest::disabledWhileInactiveStaysOff() {
    bool active = false;
    TFrameTimer timer(nullptr, [&] { return active; });
    QSignalSpy spy(&timer, &TFrameTimer::OnTimer);
    timer.SetEnabled(true);
    QTest::qWait(50);
    timer.SetEnabled(false);
    active = true;
    QTest::qWait(80);
    QCOMPARE(spy.count(), 0);
}

QUIMBA_TEST_MAIN("frametimer", FrameTimerTest)
#include "frametimer_test.moc"
