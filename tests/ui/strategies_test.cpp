// The window's strategy tables: prepared off the window's thread, cached per
// user, and rebuilt rather than trusted when the cached file is not sound.
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "BackgroundStrategies.h"
#include "QtTestMain.h"

using namespace quimba;
using quimba::ui::BackgroundStrategies;

namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The file's closing checksum (FNV-1a over everything before it), so that a
// file can be changed in one field and still be whole.
void Reseal(QByteArray& bytes) {
    quint64 h = 1469598103934665603ull;
    const qsizetype body = bytes.size() - 8;
    for (qsizetype i = 0; i < body; ++i) {
        h ^= quint8(bytes[i]);
        h *= 1099511628211ull;
    }
    for (int i = 0; i < 8; ++i) bytes[body + i] = char(h >> (8 * i));
}

}  // namespace

class StrategiesTest : public QObject {
    Q_OBJECT

private slots:
    // The first request answers at once with nothing and starts the work;
    // the table then arrives with a signal on the window's thread, is cached,
    // and the next run reads it back instead of building it.
    void firstRequestStartsWorkAndTheNextRunReadsTheCache() {
        QTemporaryDir dir;
        QByteArray saved;
        {
            BackgroundStrategies source(dir.path());
            QSignalSpy ready(&source, &BackgroundStrategies::Ready);
            QCOMPARE(source.Table(kAscendant), nullptr);
            QCOMPARE(source.OriginOf(kAscendant), BackgroundStrategies::Origin::None);
            QVERIFY(ready.wait(20000));
            QCOMPARE(ready.count(), 1);
            QCOMPARE(ready.at(0).at(0).toInt(), int(kAscendant));
            const StrategyTable* table = source.Table(kAscendant);
            QVERIFY(table != nullptr);
            QCOMPARE(table->Type(), int(kAscendant));
            QCOMPARE(source.OriginOf(kAscendant), BackgroundStrategies::Origin::Built);
            QCOMPARE(source.Table(kAscendant), table);  // built once
            saved = Read(source.CacheFile(kAscendant));
            QCOMPARE(saved.size(), qsizetype(table->Save().size()));
            QCOMPARE(source.Table(0), nullptr);
            QCOMPARE(source.Table(4), nullptr);
        }
        BackgroundStrategies again(dir.path());
        QCOMPARE(again.Table(kAscendant), nullptr);
        QVERIFY(again.WaitReady(kAscendant, 20000));
        QCOMPARE(again.OriginOf(kAscendant), BackgroundStrategies::Origin::Cache);
        QCOMPARE(Read(again.CacheFile(kAscendant)), saved);
    }

    // Asking never blocks the caller, even for the costly Normal table.
    void askingReturnsAtOnce() {
        QTemporaryDir dir;
        BackgroundStrategies source(dir.path());
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(source.Table(kNormal), nullptr);
        const qint64 asked = clock.elapsed();
        QVERIFY(source.WaitReady(kNormal, 120000));
        const qint64 built = clock.elapsed();
        QVERIFY2(asked < 50 && asked * 5 < built,
                 qPrintable(QString("%1 ms to ask, %2 ms to build").arg(asked).arg(built)));
    }

    // Every unsound cached file is built again and replaced by a sound one.
    void unsoundCacheIsRebuilt_data() {
        QTest::addColumn<int>("damage");
        QTest::newRow("empty") << 0;
        QTest::newRow("cut short") << 1;
        QTest::newRow("one byte changed in the values") << 2;
        QTest::newRow("another format version, checksum right") << 3;
        QTest::newRow("another game type's table") << 4;
        QTest::newRow("not a table at all") << 5;
    }
    void unsoundCacheIsRebuilt() {
        QFETCH(int, damage);
        QTemporaryDir dir;
        QByteArray good;
        QByteArray other;
        {
            BackgroundStrategies source(dir.path());
            source.Table(kDescendant);
            source.Table(kAscendant);
            QVERIFY(source.WaitReady(kDescendant, 20000));
            QVERIFY(source.WaitReady(kAscendant, 20000));
            good = Read(source.CacheFile(kDescendant));
            other = Read(source.CacheFile(kAscendant));
        }
        QVERIFY(good.size() > 64);
        QByteArray resealed = good;
        Reseal(resealed);
        QCOMPARE(resealed, good);  // the version case below is then whole but for its version
        QByteArray bad = good;
        switch (damage) {
            case 0: bad.clear(); break;
            case 1: bad.chop(9); break;
            case 2: bad[bad.size() / 2] = char(bad[bad.size() / 2] ^ 0x10); break;
            case 3:  // the version follows the 8-byte mark
                bad[8] = char(bad[8] + 1);
                Reseal(bad);
                break;
            case 4: bad = other; break;
            case 5: bad = QByteArray(good.size(), 'x'); break;
        }
        BackgroundStrategies source(dir.path());
        Write(source.CacheFile(kDescendant), bad);
        source.Table(kDescendant);
        QVERIFY(source.WaitReady(kDescendant, 20000));
        QCOMPARE(source.OriginOf(kDescendant), BackgroundStrategies::Origin::Built);
        QCOMPARE(source.Table(kDescendant)->Type(), int(kDescendant));
        QCOMPARE(Read(source.CacheFile(kDescendant)), good);
    }

    // Whatever stands where the cache should be is judged by its type and
    // size before a byte is read: nothing huge is read, nothing waits, and a
    // sound table is built in its place.
    void cacheThatIsNoTableIsNotRead_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("sparse file of 1 GiB") << "huge";
        QTest::newRow("link to /dev/zero") << "zero";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("folder") << "folder";
    }
    void cacheThatIsNoTableIsNotRead() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        BackgroundStrategies source(dir.path());
        const QString file = source.CacheFile(kAscendant);
        if (kind == "huge") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(qint64(1) << 30));
        }
        if (kind == "zero") QVERIFY(QFile::link("/dev/zero", file));
        if (kind == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        if (kind == "folder") QVERIFY(QDir().mkpath(file));
        QElapsedTimer clock;
        clock.start();
        source.Table(kAscendant);
        QVERIFY(source.WaitReady(kAscendant, 20000));
        QCOMPARE(source.OriginOf(kAscendant), BackgroundStrategies::Origin::Built);
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        // The sound table took the name's place; nothing was written through
        // a link.
        struct stat device {};
        QVERIFY(::stat("/dev/zero", &device) == 0 && S_ISCHR(device.st_mode));
        if (kind != "folder") QCOMPARE(QFileInfo(file).size(), qint64(StrategyTable::FileBytes(kAscendant)));
        QVERIFY(!QFileInfo(file).isSymLink() || kind == "folder");
    }

    // Closing while the costly table is still being built stops the build:
    // the worker never keeps the program alive.
    void closingStopsABuildUnderWay() {
        QTemporaryDir dir;
        QElapsedTimer clock;
        {
            BackgroundStrategies source(dir.path());
            source.Table(kNormal);
            QTest::qWait(50);
            clock.start();
        }
        QVERIFY2(clock.elapsed() < 300, qPrintable(QString("%1 ms to close").arg(clock.elapsed())));
    }

    // A cache folder that cannot be written still gives the table.
    void unwritableCacheStillGivesTheTable() {
        QTemporaryDir dir;
        const QString blocked = dir.path() + "/file";
        Write(blocked, "not a folder");
        BackgroundStrategies source(blocked + "/cache");
        source.Table(kAscendant);
        QVERIFY(source.WaitReady(kAscendant, 20000));
        QVERIFY(source.Table(kAscendant) != nullptr);
        QVERIFY(!QFile::exists(source.CacheFile(kAscendant)));
    }
};

QUIMBA_TEST_MAIN("strategies", StrategiesTest)
#include "strategies_test.moc"
