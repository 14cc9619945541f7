// Stored sounds: reading wave bytes, the output format for a playback
// frequency, and playing without a device or a sound server.

#include "DeviceSoundOutput.h"
#include "MediaTestFiles.h"
#include "QtTestMain.h"
#include "SinkFormat.h"
#include "WaveData.h"
#include "WaveList.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QtTest>

using namespace quimba;
using namespace mediatest;

namespace {
// An output with no device behind it: every play is silent.
std::unique_ptr<SoundOutput> NoDevice() {
    return std::make_unique<DeviceSoundOutput>([] { return QAudioDevice(); });
}
}  // namespace

class WaveTest : public QObject {
    Q_OBJECT
private slots:
    void parsesGood_data();
    void parsesGood();
    void rejectsBad_data();
    void rejectsBad();
    void sinkFormat_data();
    void sinkFormat();
    void frequencies();
    void loadsFromResourceAndFile();
    void playWithoutDeviceIsSilentAndQuick();
    void playOnTheSystemOutputNeverBlocks();
    void soundPluginFound_data();
    void soundPluginFound();
};

void WaveTest::parsesGood_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QByteArray>("pcm");

    QTest::newRow("mono 19000") << Wave(1, 19000, 50) << 1 << 19000 << Samples(1, 50);
    QTest::newRow("stereo 44100") << Wave(2, 44100, 40) << 2 << 44100 << Samples(2, 40);
    QTest::newRow("single frame") << Wave(2, 8000, 1) << 2 << 8000 << Samples(2, 1);
    QTest::newRow("odd-sized chunk before data, padded")
        << Riff(Pcm16Fmt(1, 22050) + Chunk("LIST", "abc") + Chunk("data", Samples(1, 6))) << 1 << 22050
        << Samples(1, 6);
    QTest::newRow("data before fmt") << Riff(Chunk("data", Samples(2, 3)) + Pcm16Fmt(2, 11025)) << 2 << 11025
                                     << Samples(2, 3);
    QTest::newRow("longer fmt chunk with extra bytes")
        << Riff(Chunk("fmt ", FmtBody(1, 1, 16000, 16, 2) + QByteArray("\0\0", 2)) + Chunk("data", Samples(1, 4))) << 1
        << 16000 << Samples(1, 4);
    QTest::newRow("partial last frame dropped (mono, odd byte)")
        << Riff(Pcm16Fmt(1, 8000) + Chunk("data", Samples(1, 5) + "x")) << 1 << 8000 << Samples(1, 5);
    QTest::newRow("partial last frame dropped (stereo, 3 bytes over)")
        << Riff(Pcm16Fmt(2, 8000) + Chunk("data", Samples(2, 5) + "xyz")) << 2 << 8000 << Samples(2, 5);
    QTest::newRow("odd data as last chunk without pad byte")
        << Riff(Pcm16Fmt(1, 8000) + Chunk("data", Samples(1, 2) + "x", false)) << 1 << 8000 << Samples(1, 2);
    QTest::newRow("chunks after data") << Riff(Pcm16Fmt(1, 8000) + Chunk("data", Samples(1, 3)) +
                                               Chunk("junk", "12345"))
                                       << 1 << 8000 << Samples(1, 3);
    QTest::newRow("trailing bytes past the RIFF length")
        << Wave(1, 8000, 3) + QByteArray("garbage after the file") << 1 << 8000 << Samples(1, 3);
    QByteArray longRiff = Wave(1, 8000, 3);
    longRiff[4] = char(0xff);  // declares more than there is; every chunk is whole
    QTest::newRow("RIFF length past the end") << longRiff << 1 << 8000 << Samples(1, 3);
}

void WaveTest::parsesGood() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(QByteArray, pcm);
    QString error;
    const auto wave = ParseWave(bytes, &error);
    QVERIFY2(wave.has_value(), qPrintable(error));
    QCOMPARE(wave->channels, channels);
    QCOMPARE(wave->sampleRate, rate);
    QCOMPARE(wave->pcm, pcm);
    QCOMPARE(wave->Frames(), pcm.size() / (2 * channels));
}

void WaveTest::rejectsBad_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reasonPart");
    const QByteArray good = Wave(2, 44100, 20);

    QTest::newRow("empty") << QByteArray() << "RIFF/WAVE";
    QTest::newRow("RIFF only") << QByteArray("RIFF") << "RIFF/WAVE";
    QByteArray rifx = good;
    rifx[3] = 'X';
    QTest::newRow("big-endian RIFX") << rifx << "RIFF/WAVE";
    QByteArray avi = good;
    avi.replace(8, 4, "AVI ");
    QTest::newRow("not WAVE") << avi << "RIFF/WAVE";
    QTest::newRow("no fmt") << Riff(Chunk("data", Samples(1, 4))) << "no fmt";
    QTest::newRow("no data") << Riff(Pcm16Fmt(1, 8000)) << "no data";
    QTest::newRow("fmt too short") << Riff(Chunk("fmt ", FmtBody(1, 1, 8000, 16, 2).left(14)) +
                                           Chunk("data", Samples(1, 4)))
                                   << "too short";
    QTest::newRow("float samples") << Riff(Chunk("fmt ", FmtBody(3, 1, 8000, 32, 4)) + Chunk("data", Samples(2, 4)))
                                   << "not PCM";
    QTest::newRow("8-bit samples") << Riff(Chunk("fmt ", FmtBody(1, 1, 8000, 8, 1)) + Chunk("data", Samples(1, 4)))
                                   << "8-bit";
    QTest::newRow("three channels") << Riff(Chunk("fmt ", FmtBody(1, 3, 8000, 16, 6)) + Chunk("data", Samples(3, 4)))
                                    << "3 channels";
    QTest::newRow("no channel") << Riff(Chunk("fmt ", FmtBody(1, 0, 8000, 16, 0)) + Chunk("data", Samples(1, 4)))
                                << "0 channels";
    QTest::newRow("zero sampling rate") << Riff(Chunk("fmt ", FmtBody(1, 1, 0, 16, 2)) + Chunk("data", Samples(1, 4)))
                                        << "sampling rate";
    QTest::newRow("wrong block alignment")
        << Riff(Chunk("fmt ", FmtBody(1, 2, 8000, 16, 2)) + Chunk("data", Samples(2, 4))) << "block alignment";
    QTest::newRow("truncated data") << good.left(good.size() - 7) << "truncated 'data'";
    QTest::newRow("cut inside fmt") << good.left(12 + 8 + 10) << "truncated 'fmt '";
    QByteArray hugeChunk = Riff(Pcm16Fmt(1, 8000) + Chunk("data", Samples(1, 4)));
    hugeChunk.replace(hugeChunk.indexOf("data") + 4, 4, QByteArray(4, char(0xff)));
    QTest::newRow("data length 4 GiB") << hugeChunk << "truncated 'data'";
    QByteArray hugeOther = Riff(Chunk("LIST", "abcd") + Pcm16Fmt(1, 8000) + Chunk("data", Samples(1, 4)));
    hugeOther.replace(16, 4, QByteArray(4, char(0xff)));
    QTest::newRow("other chunk length 4 GiB") << hugeOther << "truncated 'LIST'";
    QTest::newRow("empty data") << Riff(Pcm16Fmt(2, 8000) + Chunk("data", QByteArray())) << "no sample";
    QTest::newRow("data shorter than a frame") << Riff(Pcm16Fmt(2, 8000) + Chunk("data", "abc")) << "no sample";
}

void WaveTest::rejectsBad() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reasonPart);
    // An exact-size copy, so that reading one byte past the end is caught
    // by the address checker.
    const QByteArray exact(bytes.constData(), bytes.size());
    QString error;
    const auto wave = ParseWave(exact, &error);
    QCOMPARE(wave.has_value(), false);
    QVERIFY2(error.contains(reasonPart), qPrintable(error));
    QCOMPARE(ParseWave(exact).has_value(), false);

    TWaveList list(nullptr, NoDevice);
    QString listError;
    QCOMPARE(list.AddFromData(exact, &listError), -1);
    QCOMPARE(listError, error);
    QCOMPARE(list.Count(), 0);
}

void WaveTest::sinkFormat_data() {
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("frequency");
    QTest::addColumn<int>("rate");
    QTest::newRow("mono at its own rate") << 1 << 19000 << 19000;
    QTest::newRow("stereo throw, lowest") << 2 << 32001 << 32001;
    QTest::newRow("stereo throw, highest") << 2 << 44000 << 44000;
    QTest::newRow("stereo faster than recorded") << 2 << 96000 << 96000;
    QTest::newRow("zero pulled up") << 1 << 0 << kMinFrequency;
    QTest::newRow("negative pulled up") << 2 << -5 << kMinFrequency;
    QTest::newRow("absurdly high pulled down") << 2 << 5000000 << kMaxFrequency;
}

void WaveTest::sinkFormat() {
    QFETCH(int, channels);
    QFETCH(int, frequency);
    QFETCH(int, rate);
    TWaveData wave;
    wave.channels = channels;
    wave.sampleRate = 44100;
    wave.pcm = Samples(channels, 10);
    const QAudioFormat f = SinkFormat(wave, frequency);
    QCOMPARE(f.sampleFormat(), QAudioFormat::Int16);
    QCOMPARE(f.channelCount(), channels);
    QCOMPARE(f.sampleRate(), rate);
    QCOMPARE(f.bytesPerFrame(), wave.BytesPerFrame());
    QCOMPARE(f.isValid(), true);
}

void WaveTest::frequencies() {
    TWaveList list(nullptr, NoDevice);
    const int pop = list.AddFromData(Wave(2, 44100, 100));
    const int tally = list.AddFromData(Wave(1, 19000, 100));
    QCOMPARE(pop, 0);
    QCOMPARE(tally, 1);
    QCOMPARE(list.Count(), 2);
    QCOMPARE(list.Frequency(pop), 44100);
    QCOMPARE(list.Frequency(tally), 19000);

    // Kept with no device to play on, and each sound keeps its own.
    list.SetFrequency(pop, 32001);
    QCOMPARE(list.Play(pop), false);
    QCOMPARE(list.Frequency(pop), 32001);
    QCOMPARE(list.Frequency(tally), 19000);
    list.SetFrequency(pop, 0);
    QCOMPARE(list.Frequency(pop), kMinFrequency);

    // Unknown items are ignored.
    list.SetFrequency(7, 1000);
    list.SetFrequency(-1, 1000);
    QCOMPARE(list.Frequency(7), 0);
    QCOMPARE(list.Count(), 2);
    QCOMPARE(list.Item(7), nullptr);
    QCOMPARE(list.Item(tally)->channels, 1);
}

void WaveTest::loadsFromResourceAndFile() {
    TWaveList list(nullptr, NoDevice);
    QString error;
    const int item = list.AddFromFile(QStringLiteral(":/test/tick.wav"), &error);
    QVERIFY2(item == 0, qPrintable(error));
    QCOMPARE(list.Item(item)->sampleRate, 19000);
    QCOMPARE(list.Item(item)->Frames(), 32);
    QCOMPARE(list.Frequency(item), 19000);

    QCOMPARE(list.AddFromFile(QStringLiteral(":/test/none.wav"), &error), -1);
    QVERIFY2(error.contains(QStringLiteral("none.wav")), qPrintable(error));
    QCOMPARE(list.Count(), 1);
}

void WaveTest::playWithoutDeviceIsSilentAndQuick() {
    int asked = 0;
    int made = 0;
    TWaveList list(nullptr, [&] {
        ++made;
        return std::make_unique<DeviceSoundOutput>([&] {
            ++asked;
            return QAudioDevice();
        });
    });
    const int item = list.AddFromData(Wave(2, 44100, 29000));  // about 0.66 s
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 5; ++i) QCOMPARE(list.Play(item), false);
    QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(asked, 5);  // asked afresh each time: a device may turn up
    QCOMPARE(made, 1);   // while the output is made once
    QCOMPARE(list.Playing(), 0);
    QCOMPARE(list.Play(-1), false);
    QCOMPARE(list.Play(3), false);
}

// Whatever this machine has: a device with a server, a device without one
// (start fails at once), or none. Play must return at once every time, and
// the copies it reports must go away once played.
void WaveTest::playOnTheSystemOutputNeverBlocks() {
    TWaveList list(nullptr, [] { return std::make_unique<DeviceSoundOutput>(); });
    const int item = list.AddFromData(Wave(1, 19000, 1900));  // 0.1 s
    list.SetFrequency(item, 38000);                           // 0.05 s at this speed
    QElapsedTimer clock;
    clock.start();
    int started = 0;
    for (int i = 0; i < 3; ++i) started += list.Play(item) ? 1 : 0;
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(list.Playing(), started);
    if (QMediaDevices::defaultAudioOutput().isNull()) QCOMPARE(started, 0);
    QTRY_COMPARE_WITH_TIMEOUT(list.Playing(), 0, 5000);
}

void WaveTest::soundPluginFound_data() {
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<bool>("found");
    const QString empty = QStringLiteral("empty");
    const QString built = QStringLiteral("built");  // the build folder: the plugin lies beside the tests
    QTest::newRow("beside the program") << QStringList{built} << true;
    QTest::newRow("after a folder without it") << QStringList{empty, built} << true;
    QTest::newRow("only where it is not") << QStringList{empty} << false;
    QTest::newRow("no folder at all") << QStringList{} << false;
}

void WaveTest::soundPluginFound() {
    QFETCH(QStringList, folders);
    QFETCH(bool, found);
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    // A file of the plugin's name that is no library is passed over.
    QFile fake(empty.filePath(QStringLiteral("lib%1.so").arg(kSoundPluginName)));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("not a library");
    fake.close();
    for (QString& folder : folders)
        folder = folder == QLatin1String("empty") ? empty.path() : QCoreApplication::applicationDirPath();
    QString where;
    const std::unique_ptr<SoundOutput> output = LoadSoundOutput(folders, &where);
    QCOMPARE(output != nullptr, found);
    if (found) QCOMPARE(QFileInfo(where).absolutePath(), QCoreApplication::applicationDirPath());
    if (!output) return;
    // Whatever this machine's device, the plugin's output returns at once.
    TWaveList list(nullptr, [&] { return LoadSoundOutput(folders); });
    const int item = list.AddFromData(Wave(1, 19000, 190));
    list.Play(item);
    QTRY_COMPARE_WITH_TIMEOUT(list.Playing(), 0, 5000);
}

QUIMBA_TEST_MAIN("wave", WaveTest)
#include "wave_test.moc"
