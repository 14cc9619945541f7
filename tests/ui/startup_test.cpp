// Start-up of the four windows: captions from the language file, pictures,
// stored settings and the best-scores file, and the failures that end it.
#include <sys/stat.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QScreen>

#include <QListWidget>
#include <QtTest>
#include "Language.h"
#include "NameEdit.h"
#include "PictureList.h"

#include "BestScores.h"
#include "QtTestMain.h"
#include "TForm2.h"
#include "TForm4.h"
#include "TForm5.h"
#include "UiTestSupport.h"

using namespace quimba;
using namespace quimba::uitest;

class StartupTest : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    std::unique_ptr<QTemporaryDir> dir;

    QString path(const QString& name) const { return dir->path() + "/" + name; }
    static void writeBytes(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readBytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    void clearSettings() {
        QSettings s("FENTORIX", "3DQUIMBA");
        s.clear();
        s.sync();
    }

private slots:
    void initTestCase() { IsolateSettings(settingsDir.path()); }
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        LayData(dir->path());
        clearSettings();
    }

    void captionsComeFromTheLanguageFile() {
        // Every line N reads "T<N>" plus an accented letter, so each caption
        // names the line it came from and proves the Windows-1252 decoding.
        QByteArray bytes;
        for (int n = 0; n < quimba::kLanguageLineCount; ++n) bytes += "T" + QByteArray::number(n) + "\xe9\r\n";
        writeBytes(path("francais.lan"), bytes);
        Program p(dir->path());
        QVERIFY(p.Start());
        QCOMPARE(p.messages, QStringList());
        auto line = [](int n) { return QString("T%1é").arg(n); };
        QCOMPARE(p.w.Form1->findChild<QLabel*>("Label25")->text(), line(19));
        QCOMPARE(p.w.Form1->findChild<QLabel*>("Label16")->text(), line(34));
        QCOMPARE(p.w.Form1->findChild<QLabel*>("Label21")->text(), line(35));
        QCOMPARE(p.w.Form1->Label22->text(), line(89));
        QCOMPARE(p.w.Form5->windowTitle(), line(89));
        QCOMPARE(p.w.Form5->GlassButton1->Caption(), line(90));
        QCOMPARE(p.w.Form5->glassbtn2->Caption(), line(75));
        QCOMPARE(p.w.Form4->windowTitle(), line(18));
        QCOMPARE(p.w.Form4->glassbtn2->Caption(), line(17));
        QCOMPARE(p.w.Form4->Label[1]->text(), line(1));
        QCOMPARE(p.w.Form4->Label[16]->text(), line(16));
        QCOMPARE(p.w.Form2->windowTitle(), line(58));
        for (int i = 1; i <= 5; ++i) QCOMPARE(p.w.Form2->CheckBox[i]->text(), line(52));
        QCOMPARE(p.w.Form2->PlayerLabel[5]->text(), line(51));
        QCOMPARE(p.w.Form2->RadioButton3->text(), line(56));
        // The main window's own texts are not the file's.
        QCOMPARE(p.w.Form1->windowTitle(), QString("3D QUIMBA"));
        QCOMPARE(p.w.Form1->glassbtn1->Caption(), QString("Nouvelle Partie"));
        QCOMPARE(p.w.Form2->glassbtn1->Caption(), QString("Commencer"));
    }

    void shippedFileGivesTheFrenchCaptions() {
        Program p(dir->path());
        QVERIFY(p.Start());
        QCOMPARE(p.w.Form1->findChild<QLabel*>("Label19")->text(), QString("Carré"));
        QCOMPARE(p.w.Form2->GroupBox1->title(), QString("Type de jeu "));
        QCOMPARE(p.w.Form4->windowTitle(), QString("Comment jouer à 3DQUIMBA ?"));
        QCOMPARE(p.game().Line(78), std::string("lancer n\xC2\xB0 "));
    }

    void languageFailuresEndTheStartUp_data() {
        QTest::addColumn<int>("lines");  // -1: no file at all
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << -1 << QString();
        QTest::newRow("empty") << 0 << "List index out of bounds (1)";
        QTest::newRow("50 lines") << 50 << "List index out of bounds (50)";
        QTest::newRow("57 lines") << 57 << "List index out of bounds (58)";
        QTest::newRow("90 lines") << 90 << "List index out of bounds (90)";
    }
    void languageFailuresEndTheStartUp() {
        QFETCH(int, lines);
        QFETCH(QString, message);
        QFile::remove(path("francais.lan"));
        if (lines >= 0) {
            QByteArray bytes;
            for (int n = 0; n < lines; ++n) bytes += "x\r\n";
            writeBytes(path("francais.lan"), bytes);
        } else {
            message = "Cannot open file \"" + QDir::toNativeSeparators(path("francais.lan")) +
                      "\". No such file or directory";
        }
        Program p(dir->path());
        QVERIFY(!p.Start());
        QCOMPARE(p.messages, QStringList{message});
    }

    // A missing file and a damaged one are told apart; the textures are
    // checked like the table pictures.
    void badPicturesAreReportedInOrder_data() {
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QStringList>("corrupt");
        QTest::addColumn<QStringList>("messages");
        const QString sep = QDir::separator();
        const QString damaged = " illisible (truncated bitmap header). ARRET";
        QTest::newRow("die 3 and border") << QStringList{"B_3.bmp", "B_bord.bmp"} << QStringList{}
                                          << QStringList{"Fichier bitmaps" + sep + "B_3.bmp absent. ARRET",
                                                         "Fichier bitmaps" + sep + "B_bord.bmp absent. ARRET"};
        QTest::newRow("corrupt keep mark") << QStringList{} << QStringList{"B_garde.bmp"}
                                           << QStringList{"Fichier bitmaps" + sep + "B_garde.bmp" + damaged};
        QTest::newRow("corrupt texture and missing board")
            << QStringList{"B_plateau.bmp"} << QStringList{"B_ngame.bmp"}
            << QStringList{"Fichier bitmaps" + sep + "B_ngame.bmp" + damaged,
                           "Fichier bitmaps" + sep + "B_plateau.bmp absent. ARRET"};
    }
    void badPicturesAreReportedInOrder() {
        QFETCH(QStringList, missing);
        QFETCH(QStringList, corrupt);
        QFETCH(QStringList, messages);
        for (const QString& name : missing) QVERIFY(QFile::remove(path("bitmaps/" + name)));
        for (const QString& name : corrupt) writeBytes(path("bitmaps/" + name), "BM not really a bitmap");
        Program p(dir->path());
        QVERIFY(!p.Start());
        QVERIFY(p.w.Form1->CloseRequested());
        QCOMPARE(p.messages, messages);
    }

    // A texture cut short decodes to a half-empty picture unless its
    // headers are checked against its size, as the table pictures are.
    void truncatedTextureIsReportedAsDamaged() {
        const QString file = path("bitmaps/B_fond.bmp");
        const QByteArray whole = readBytes(file);
        writeBytes(file, whole.left(whole.size() / 2));
        Program p(dir->path());
        QVERIFY(!p.Start());
        QCOMPARE(p.messages.size(), 1);
        const QString folder = QDir::toNativeSeparators(dir->path() + "/");
        QVERIFY2(p.messages[0].startsWith("Fichier >" + folder + "< bitmaps" + QDir::separator() +
                                          "B_fond.bmp illisible (truncated bitmap"),
                 qPrintable(p.messages[0]));
    }

    // What stands where a picture should be is named, and a FIFO is not
    // waited on.
    void picturesThatAreNoFilesAreNamed_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("told");
        QTest::newRow("folder") << "folder"
                                << "a folder, not a picture file";
        QTest::newRow("fifo") << "fifo"
                              << "a FIFO, not a picture file";
        QTest::newRow("device") << "device"
                                << "a device, not a picture file";
    }
    void picturesThatAreNoFilesAreNamed() {
        QFETCH(QString, kind);
        QFETCH(QString, told);
        const QString file = path("bitmaps/B_2.bmp");
        QVERIFY(QFile::remove(file));
        if (kind == "folder") QVERIFY(QDir().mkpath(file));
        if (kind == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        if (kind == "device") QVERIFY(QFile::link("/dev/zero", file));
        Program p(dir->path());
        QVERIFY(!p.Start());
        QCOMPARE(p.messages, QStringList{QString("Fichier bitmaps") + QDir::separator() + "B_2.bmp illisible (" + told +
                                         "). ARRET"});
    }

    // Runs of a bitmap whose size field is 0 are checked too: half a file
    // is not drawn with rows of garbage.
    void rleBitmapWithoutItsSizeIsCheckedForTruncation() {
        QFile seed(QStringLiteral(QUIMBA_FUZZ_CORPUS) + "/bitmap/rle8_size0.bmp");
        QVERIFY(seed.open(QIODevice::ReadOnly));
        const QByteArray whole = seed.readAll();
        QImage image;
        QString why;
        QVERIFY2(DecodePicture(whole, image, &why), qPrintable(why));
        for (const qsizetype cut : {whole.size() - 6, whole.size() - 12}) {  // the last row, the last two
            QVERIFY(!DecodePicture(whole.left(cut), image, &why));
            QCOMPARE(why, QString("truncated bitmap: the runs stop before the last row"));
        }
    }

    // However long a language line, the help stays on the screen.
    void helpStaysOnScreenWhateverItsLines() {
        QList<QByteArray> lines = readBytes(path("francais.lan")).split('\n');
        lines[1] = QByteArray(1000000, 'W') + '\r';  // the help's first line
        writeBytes(path("francais.lan"), lines.join('\n'));
        Program p(dir->path());
        QVERIFY(p.Start());
        p.w.Form4->show();
        const QRect screen = p.w.Form4->screen()->availableGeometry();
        QVERIFY2(p.w.Form4->width() <= screen.width(), qPrintable(QString::number(p.w.Form4->width())));
        p.w.Form4->hide();
    }

    void missingMainTextureNamesTheFolder() {
        QVERIFY(QFile::remove(path("bitmaps/B_fond.bmp")));
        Program p(dir->path());
        QVERIFY(!p.Start());
        const QString folder = QDir::toNativeSeparators(dir->path() + "/");
        QCOMPARE(p.messages,
                 QStringList{"Fichier >" + folder + "< bitmaps" + QDir::separator() + "B_fond.bmp absent. ARRET"});
    }

    void failedStartUpOverwritesNothing() {
        {
            QSettings s("FENTORIX", "3DQUIMBA");
            s.setValue("HIGHSCORE", "245");
            s.setValue("NOM1", "ANNE");
        }
        writeBytes(path("s.frd"), "245 --- 01/01/2026 --- ANNE\r\n");
        QVERIFY(QFile::remove(path("bitmaps/B_6.bmp")));
        {
            Program p(dir->path());
            QVERIFY(!p.Start());
            p.w.Form1->close();
        }
        QSettings s("FENTORIX", "3DQUIMBA");
        QCOMPARE(s.value("HIGHSCORE").toString(), QString("245"));
        QCOMPARE(s.value("NOM1").toString(), QString("ANNE"));
        QVERIFY(!s.contains("NOM2"));
        QCOMPARE(readBytes(path("s.frd")), QByteArray("245 --- 01/01/2026 --- ANNE\r\n"));
    }

    void unreadableScoresFileEndsTheStartUp() {
        QDir().mkpath(path("s.frd"));  // exists, cannot be read as a file
        Program p(dir->path());
        QVERIFY(!p.Start());
        QCOMPARE(p.messages.size(), 1);
        QVERIFY2(p.messages[0].startsWith("Cannot open file \"" + QDir::toNativeSeparators(path("s.frd")) + "\". "),
                 qPrintable(p.messages[0]));
    }

    void firstRunShowsTheDefaults() {
        Program p(dir->path());
        QVERIFY(p.Start());
        p.w.Form1->show();
        QCOMPARE(p.w.Form1->Label28->text(), QString(" 0"));
        QCOMPARE(p.game().S.nbjoueurs, 2);
        QCOMPARE(p.w.Form2->Edit[3]->text(), QString("PLA3"));
        QVERIFY(!p.w.Form1->glassbtn5->isEnabled());
        QCOMPARE(p.w.Form1->Label23->text(), QString("..."));
        QCOMPARE(p.w.Form5->ListBoxScore->count(), 0);
    }

    // Names from the store are shown as typed; a name that would be a
    // picture in rich text opens nothing (it used to hang the start-up).
    void storedMarkupNamesShowAsTyped_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("bold markup") << "<b>Zq</b>";
        QTest::newRow("endless picture") << "<img src=/dev/zero>";
        QTest::newRow("picture") << "<img src=\":/images/image1.bmp\">";
    }
    void storedMarkupNamesShowAsTyped() {
        QFETCH(QString, name);
        {
            QSettings s("FENTORIX", "3DQUIMBA");
            s.setValue("NOM", name);
            s.setValue("HIGHSCORE", "12");
        }
        Program p(dir->path());
        QVERIFY(p.Start());
        p.w.Form1->show();
        QLabel* label = p.w.Form1->Label28;
        QCOMPARE(label->text(), name + " 12");
        const QFontMetrics fm(label->font());
        QVERIFY(label->sizeHint().width() >= fm.horizontalAdvance(label->text()));
        QVERIFY(label->sizeHint().height() < 2 * fm.height());
    }

    void windowsAreCentredWithTheirOwnCaptions() {
        Program p(dir->path());
        QVERIFY(p.Start());
        p.w.Form1->show();
        p.w.Form2->show();
        for (QWidget* w : {static_cast<QWidget*>(p.w.Form1), static_cast<QWidget*>(p.w.Form2)}) {
            const QPoint centre = w->screen()->availableGeometry().center();
            const QPoint mine = w->frameGeometry().center();
            QVERIFY2(std::abs(mine.x() - centre.x()) <= 1 && std::abs(mine.y() - centre.y()) <= 1,
                     qPrintable(w->objectName()));
        }
        QCOMPARE(p.w.Form1->windowTitle(), QString("3D QUIMBA"));
        QCOMPARE(p.w.Form1->resultext->palette().color(QPalette::WindowText), QColor(128, 128, 128));
        // No display name of the application's own: the platform would add
        // it to every caption.
        const QString name = QCoreApplication::applicationName();
        ui::SetUpApplication();
        QCOMPARE(QCoreApplication::applicationName(), QString("3DQUIMBA"));
        QCoreApplication::setApplicationName("probe");
        QCOMPARE(QGuiApplication::applicationDisplayName(), QString("probe"));
        QCoreApplication::setApplicationName(name);
    }

    // The task bar shows the die drawn for its size, not a scaled picture.
    void windowIconIsTheDieDrawnForEachSize() {
        ui::SetUpApplication();
        const QIcon icon = QGuiApplication::windowIcon();
        for (int size : {16, 22, 24, 32, 48, 128}) {
            const QString file = QString(QUIMBA_DATA_DIR "/icons/hicolor/%1x%1/apps/" QUIMBA_APP_ID ".png").arg(size);
            const QImage drawn(file);
            QVERIFY2(!drawn.isNull(), qPrintable(file));
            QCOMPARE(icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32),
                     drawn.convertToFormat(QImage::Format_ARGB32));
        }
    }

    void elevenThousandEntriesSurviveAClose() {
        QByteArray bytes;
        std::vector<std::string> lines;
        for (int i = 0; i < 11000; ++i)
            lines.push_back(std::to_string(100 + i % 300) + " --- 0" + std::to_string(i % 9 + 1) + "/12/2026 --- P" +
                            std::to_string(i));
        BestScores ordered;
        ordered.AddLines(lines);
        for (const std::string& line : ordered.Lines()) bytes += QByteArray::fromStdString(line) + "\r\n";
        writeBytes(path("s.frd"), bytes);
        {
            Program p(dir->path());
            QVERIFY(p.Start());
            p.w.Form1->show();
            QCOMPARE(p.game().ListBoxScore.Size(), std::size_t(11000));
            p.game().ListBoxScore.Add("999 --- 08/12/2026 --- NEW");
            p.w.Form1->close();
            QCOMPARE(p.messages, QStringList());
        }
        QCOMPARE(readBytes(path("s.frd")), bytes + "999 --- 08/12/2026 --- NEW\r\n");
    }

    void settingsAndScoresSurviveARestart() {
        writeBytes(path("s.frd"), "98 --- 02/01/2026 --- BOB\r\n105 --- 01/01/2026 --- ANNE\r\n");
        {
            Program p(dir->path());
            QVERIFY(p.Start());
            p.w.Form1->show();
            QCOMPARE(p.game().ListBoxScore.Items(),
                     (std::vector<std::string>{"105 --- 01/01/2026 --- ANNE", "98 --- 02/01/2026 --- BOB"}));
            p.game().S.meilleurscore = 312;
            p.game().S.meilleurnom = "ZOÉ";
            p.game().ListBoxScore.Add("312 --- 03/01/2026 --- ZOÉ");
            p.w.Form2->Edit[2]->setText("CPU");
            p.game().Form2.Edit[2] = "CPU";
            p.w.Form1->close();
            QCOMPARE(p.messages, QStringList());
        }
        QCOMPARE(readBytes(path("s.frd")),
                 QByteArray(
                     "105 --- 01/01/2026 --- ANNE\r\n312 --- 03/01/2026 --- ZO\xc9\r\n98 --- 02/01/2026 --- BOB\r\n"));
        Program again(dir->path());
        QVERIFY(again.Start());
        again.w.Form1->show();
        QCOMPARE(again.w.Form1->Label28->text(), QString("ZOÉ 312"));
        QCOMPARE(again.game().S.meilleurscore, 312);
        QCOMPARE(again.w.Form2->Edit[2]->text(), QString("CPU"));
        QCOMPARE(again.w.Form2->Edit[1]->text(), QString("PLA1"));
        QCOMPARE(again.game().ListBoxScore.Items().size(), std::size_t(3));
    }

    void failedSaveTellsThePlayerAndKeepsTheOldFile() {
        writeBytes(path("s.frd"), "98 --- 02/01/2026 --- BOB\r\n");
        Program p(dir->path());
        QVERIFY(p.Start());
        p.w.Form1->show();
        p.game().ListBoxScore.Add("120 --- 03/01/2026 --- EVE");
        // A folder where the new file would go makes the replacement fail.
        QFile::remove(path("s.frd"));
        QDir().mkpath(path("s.frd"));
        QDir().mkpath(path("s.frd/keep"));
        p.w.Form1->close();
        QCOMPARE(p.messages.size(), 1);
        QVERIFY2(p.messages[0].contains("s.frd"), qPrintable(p.messages[0]));
        QVERIFY(QFileInfo(path("s.frd/keep")).isDir());
    }
};

QUIMBA_TEST_MAIN("startup", StartupTest)
#include "startup_test.moc"
