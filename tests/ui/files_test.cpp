// Where the game finds its files (beside the program or installed), where the
// best-scores list lives when the program's folder may not be written, and
// the choice of the language file.
#include <unistd.h>
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QtTest>
#include <array>

#include "QtTestMain.h"
#include "SystemPorts.h"
#include "TForm2.h"
#include "TForm4.h"
#include "TForm5.h"
#include "UiTestSupport.h"

using namespace quimba;
using namespace quimba::uitest;
using quimba::ui::FileRequest;
using quimba::ui::LocateFiles;
using quimba::ui::ProgramFiles;
using quimba::widgets::TGlassButton;

namespace {

void WriteBytes(const QString& file, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

}  // namespace

class FilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    std::unique_ptr<QTemporaryDir> root;

    // A prefix as installed: <root>/games/ holds the program, the data lie in
    // <root>/share/games/quimba3d/, the player's own folder is <root>/user.
    QString at(const QString& relative) const { return root->path() + "/" + relative; }
    QString program() const { return at("games/"); }
    QString installed() const { return at("share/games/quimba3d/"); }
    QString user() const { return at("user/"); }

    FileRequest request(bool writable, QLocale::Language language = QLocale::French, const QString& lang = {}) {
        FileRequest r;
        r.language = lang;
        r.localeLanguage = language;
        r.userDataDir = user();
        r.writable = [writable](const QString&) { return writable; };
        return r;
    }

private slots:
    void initTestCase() { IsolateSettings(settingsDir.path()); }
    void init() {
        root = std::make_unique<QTemporaryDir>();
        QDir().mkpath(program());
        QSettings s("FENTORIX", "3DQUIMBA");
        s.clear();
    }
    void cleanup() {
        // Folders made read-only must be writable again to be removed.
        QFile(program()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void filesAreFound_data() {
        QTest::addColumn<QString>("besideProgram");  // files laid beside the program
        QTest::addColumn<QString>("inInstalled");    // files laid in the installed data folder
        QTest::addColumn<QString>("inUser");         // files in the player's own folder
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("french");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("dataDir");  // "program" or "installed"
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("scores");       // "program" or "user"
        QTest::addColumn<QString>("scoresStart");  // "program" or "user"

        const QString both = "francais.lan english.lan bitmaps/B_1.bmp";
        QTest::newRow("build folder") << both << ""
                                      << "" << true << true << ""
                                      << "program"
                                      << "francais.lan"
                                      << "program"
                                      << "program";
        QTest::newRow("build folder, English locale") << both << ""
                                                      << "" << true << false << ""
                                                      << "program"
                                                      << "english.lan"
                                                      << "program"
                                                      << "program";
        QTest::newRow("English locale without english.lan") << "francais.lan bitmaps/B_1.bmp"
                                                            << ""
                                                            << "" << true << false << ""
                                                            << "program"
                                                            << "francais.lan"
                                                            << "program"
                                                            << "program";
        QTest::newRow("--lang by name") << both << ""
                                        << "" << true << true << "english.lan"
                                        << "program"
                                        << "english.lan"
                                        << "program"
                                        << "program";
        QTest::newRow("--lang naming a missing file") << both << ""
                                                      << "" << true << false << "nosuch.lan"
                                                      << "program"
                                                      << "nosuch.lan"
                                                      << "program"
                                                      << "program";
        QTest::newRow("data beside win over installed data") << both << both << "" << true << true << ""
                                                             << "program"
                                                             << "francais.lan"
                                                             << "program"
                                                             << "program";
        QTest::newRow("installed") << "" << both << "" << false << true << ""
                                   << "installed"
                                   << "francais.lan"
                                   << "user"
                                   << "user";
        QTest::newRow("installed, English locale") << "" << both << "" << false << false << ""
                                                   << "installed"
                                                   << "english.lan"
                                                   << "user"
                                                   << "user";
        QTest::newRow("installed, folder writable (root)") << "" << both << "" << true << true << ""
                                                           << "installed"
                                                           << "francais.lan"
                                                           << "user"
                                                           << "user";
        QTest::newRow("installed, a list beside the program") << "s.frd" << both << "" << false << true << ""
                                                              << "installed"
                                                              << "francais.lan"
                                                              << "user"
                                                              << "program";
        QTest::newRow("read-only copy with its list") << both + " s.frd"
                                                      << ""
                                                      << "" << false << true << ""
                                                      << "program"
                                                      << "francais.lan"
                                                      << "user"
                                                      << "program";
        QTest::newRow("read-only copy, own list made") << both + " s.frd"
                                                       << ""
                                                       << "s.frd" << false << true << ""
                                                       << "program"
                                                       << "francais.lan"
                                                       << "user"
                                                       << "user";
        QTest::newRow("no data anywhere names the program's folder") << ""
                                                                     << ""
                                                                     << "" << true << true << ""
                                                                     << "program"
                                                                     << "francais.lan"
                                                                     << "program"
                                                                     << "program";
    }
    void filesAreFound() {
        QFETCH(QString, besideProgram);
        QFETCH(QString, inInstalled);
        QFETCH(QString, inUser);
        QFETCH(bool, writable);
        QFETCH(bool, french);
        QFETCH(QString, lang);
        QFETCH(QString, dataDir);
        QFETCH(QString, language);
        QFETCH(QString, scores);
        QFETCH(QString, scoresStart);
        auto lay = [](const QString& folder, const QString& files) {
            for (const QString& f : files.split(' ', Qt::SkipEmptyParts)) WriteBytes(folder + f, "x");
        };
        lay(program(), besideProgram);
        lay(installed(), inInstalled);
        lay(user(), inUser);

        const ProgramFiles f =
            LocateFiles(program(), request(writable, french ? QLocale::French : QLocale::English, lang));
        const QString data = dataDir == "program" ? program() : installed();
        auto folder = [&](const QString& which) { return which == "program" ? program() : user(); };
        QCOMPARE(f.programDir, program());
        QCOMPARE(f.dataDir, data);
        QCOMPARE(f.languageFile, data + language);
        QCOMPARE(f.scoresFile, folder(scores) + "s.frd");
        QCOMPARE(f.scoresStart, folder(scoresStart) + "s.frd");
    }

    void langWithAPathTakesThatFile() {
        WriteBytes(program() + "francais.lan", "x");
        const ProgramFiles f = LocateFiles(program(), request(true, QLocale::French, at("elsewhere/mine.lan")));
        QCOMPARE(f.languageFile, at("elsewhere/mine.lan"));
        QCOMPARE(f.dataDir, program());
    }

    // A copy of the game on a folder the player may not write (a shared or
    // read-only disk) that already holds a list: the list is the starting
    // list, the player's own copy is made on the first close and holds
    // every old entry too, and the list beside the program is left as it is.
    // The same when the list file itself is marked read-only.
    void readOnlyProgramFolderCarriesTheListOver_data() {
        QTest::addColumn<QString>("readOnly");
        QTest::newRow("folder reported read-only") << "reported";
        QTest::newRow("folder made read-only") << "folder";
        QTest::newRow("list file made read-only") << "file";
    }
    void readOnlyProgramFolderCarriesTheListOver() {
        QFETCH(QString, readOnly);
        LayData(program());
        const QByteArray old = "105 --- 01/01/2026 --- ANNE\r\n98 --- 02/01/2026 --- BOB\r\n";
        WriteBytes(program() + "s.frd", old);
        FileRequest r = request(false);
        if (readOnly != "reported") r.writable = nullptr;  // ask the file system
        if (readOnly == "folder") {
            if (geteuid() == 0) QSKIP("root writes into read-only folders; the other rows cover the rule");
            QVERIFY(QFile(program()).setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        } else if (readOnly == "file") {
            QVERIFY(QFile(program() + "s.frd").setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        }
        {
            Program p(LocateFiles(program(), r));
            QVERIFY(p.Start());
            p.w.Form1->show();
            QCOMPARE(p.game().ListBoxScore.Items(),
                     (std::vector<std::string>{"105 --- 01/01/2026 --- ANNE", "98 --- 02/01/2026 --- BOB"}));
            QVERIFY(!QFileInfo::exists(user()));  // made on the first save only
            p.game().ListBoxScore.Add("120 --- 03/01/2026 --- ZOÉ");
            p.w.Form1->close();
            QCOMPARE(p.messages, QStringList());
        }
        const QByteArray carried =
            "105 --- 01/01/2026 --- ANNE\r\n120 --- 03/01/2026 --- ZO\xc9\r\n98 --- 02/01/2026 --- BOB\r\n";
        QCOMPARE(ReadBytes(user() + "s.frd"), carried);
        QCOMPARE(ReadBytes(program() + "s.frd"), old);

        // The next start reads the player's own copy; clearing it there
        // leaves the list beside the program whole.
        {
            Program again(LocateFiles(program(), r));
            QCOMPARE(again.w.Form1->Files().scoresStart, user() + "s.frd");
            QVERIFY(again.Start());
            again.w.Form1->show();
            QCOMPARE(again.game().ListBoxScore.Items().size(), std::size_t(3));
            again.game().ListBoxScore.Clear();
            again.w.Form1->close();
        }
        QCOMPARE(ReadBytes(user() + "s.frd"), QByteArray());
        QCOMPARE(ReadBytes(program() + "s.frd"), old);
        Program third(LocateFiles(program(), r));
        QVERIFY(third.Start());
        QCOMPARE(third.game().ListBoxScore.Items().size(), std::size_t(0));
    }

    // Entries saved in the player's own folder while the program's folder
    // was read-only join the list beside the program once it is writable,
    // and the player's copy goes once they are saved there.
    void oneListWhereverItLives() {
        LayData(program());
        WriteBytes(program() + "s.frd", "98 --- 02/01/2026 --- BOB\r\n");
        WriteBytes(user() + "s.frd", "98 --- 02/01/2026 --- BOB\r\n120 --- 03/01/2026 --- EVE\r\n");
        const std::vector<std::string> both{"120 --- 03/01/2026 --- EVE", "98 --- 02/01/2026 --- BOB"};
        {
            Program p(LocateFiles(program(), request(true)));
            QCOMPARE(p.w.Form1->Files().scoresAlso, user() + "s.frd");
            QVERIFY(p.Start());
            p.w.Form1->show();
            QCOMPARE(p.game().ListBoxScore.Items(), both);
            p.w.Form1->close();
            QCOMPARE(p.messages, QStringList());
        }
        QCOMPARE(ReadBytes(program() + "s.frd"),
                 QByteArray("120 --- 03/01/2026 --- EVE\r\n98 --- 02/01/2026 --- BOB\r\n"));
        QVERIFY(!QFileInfo::exists(user() + "s.frd"));
        Program again(LocateFiles(program(), request(true)));
        QVERIFY(again.Start());
        QCOMPARE(again.game().ListBoxScore.Items(), both);
    }

    // A per-user folder that cannot be made says why; a relative one is
    // ignored for the default, as the base-folder rule asks.
    void perUserFolderThatCannotBeMadeSaysWhy() {
        LayData(program());
        WriteBytes(at("plain"), "a file, not a folder");
        FileRequest r = request(false);
        r.userDataDir = at("plain/user");
        Program p(LocateFiles(program(), r));
        QVERIFY(p.Start());
        p.w.Form1->show();
        p.w.Form1->close();
        QCOMPARE(p.messages, QStringList{"Cannot save file \"" + QDir::toNativeSeparators(at("plain/user/s.frd")) +
                                         "\". Cannot make folder \"" + at("plain/user") + "\". Not a directory"});
        r.userDataDir = "relative/user";
        QVERIFY(QDir::isAbsolutePath(LocateFiles(program(), r).scoresFile));
    }

    // Two copies open at once, each ending a game and closing in either
    // order: both entries stay, and the best score is the better of the two.
    void twoCopiesLoseNothing_data() {
        QTest::addColumn<bool>("firstClosesFirst");
        QTest::newRow("first copy closes first") << true;
        QTest::newRow("second copy closes first") << false;
    }
    void twoCopiesLoseNothing() {
        QFETCH(bool, firstClosesFirst);
        LayData(program());
        WriteBytes(program() + "s.frd", "50 --- 01/01/2026 --- OLD\r\n");
        {
            QSettings s("FENTORIX", "3DQUIMBA");
            s.setValue("HIGHSCORE", "100");
            s.setValue("NOM", "OLD");
        }
        const QString helper = QCoreApplication::applicationFilePath();
        QProcess first, second;
        first.start(helper,
                    {"scores_copy", program(), settingsDir.path(), "150 --- 02/01/2026 --- ANNE", "150", "ANNE"});
        second.start(helper,
                     {"scores_copy", program(), settingsDir.path(), "120 --- 02/01/2026 --- BOB", "120", "BOB"});
        for (QProcess* copy : {&first, &second}) {
            while (!copy->canReadLine())
                QVERIFY2(copy->waitForReadyRead(30000), qPrintable(copy->readAllStandardError()));
            QCOMPARE(copy->readLine(), QByteArray("ready\n"));
        }
        for (QProcess* copy : firstClosesFirst ? std::array{&first, &second} : std::array{&second, &first}) {
            copy->write("close\n");
            QVERIFY(copy->waitForFinished(30000));
            QCOMPARE(copy->readAllStandardError(), QByteArray());
            QCOMPARE(copy->exitCode(), 0);
        }
        QCOMPARE(
            ReadBytes(program() + "s.frd"),
            QByteArray("120 --- 02/01/2026 --- BOB\r\n150 --- 02/01/2026 --- ANNE\r\n50 --- 01/01/2026 --- OLD\r\n"));
        QSettings s("FENTORIX", "3DQUIMBA");
        s.sync();
        QCOMPARE(s.value("HIGHSCORE").toString(), QString("150"));
        QCOMPARE(s.value("NOM").toString(), QString("ANNE"));
    }

    void writableProgramFolderKeepsTheListBesideIt() {
        LayData(program());
        WriteBytes(program() + "s.frd", "98 --- 02/01/2026 --- BOB\r\n");
        Program p(LocateFiles(program(), request(true)));
        QVERIFY(p.Start());
        p.w.Form1->show();
        p.game().ListBoxScore.Add("120 --- 03/01/2026 --- EVE");
        p.w.Form1->close();
        QCOMPARE(ReadBytes(program() + "s.frd"),
                 QByteArray("120 --- 03/01/2026 --- EVE\r\n98 --- 02/01/2026 --- BOB\r\n"));
        QVERIFY(!QFileInfo::exists(user()));
    }

    void installedGameLoadsItsDataFromShare() {
        QDir().mkpath(installed());
        LayData(installed(), true);
        Program p(LocateFiles(program(), request(false)));
        QVERIFY2(p.Start(), qPrintable(p.messages.join('\n')));
        QCOMPARE(p.messages, QStringList());
        QCOMPARE(p.w.Form1->findChild<QLabel*>("Label19")->text(), QString("Carré"));
        QCOMPARE(p.w.Form1->Source.Count(), 9);
    }

    // The command line as the program reads it: --lang english.lan gives the
    // English captions and play texts, the main window's buttons included.
    void langEnglishShowsEnglishCaptions() {
        LayData(program(), true);
        QCommandLineParser parser;
        ui::AddOptions(parser);
        QVERIFY(parser.parse({"quimba3d", "--lang", "english.lan"}));
        FileRequest r = ui::FileRequestFrom(parser);
        r.localeLanguage = QLocale::French;  // the option wins over the locale
        r.userDataDir = user();
        Program p(LocateFiles(program(), r), std::make_unique<SeededRandom>(7));
        QVERIFY(p.Start());
        p.w.Form1->show();
        ui::TForm1* m = p.w.Form1;
        QCOMPARE(m->findChild<QLabel*>("Label25")->text(), QString("Player"));
        QCOMPARE(m->findChild<QLabel*>("Label15")->text(), QString("Minus"));
        QCOMPARE(m->findChild<QLabel*>("Label20")->text(), QString("3 of a kind"));
        QCOMPARE(m->Label22->text(), QString("Best scores"));
        QCOMPARE(p.w.Form4->windowTitle(), QString("How to play 3DQUIMBA?"));
        QCOMPARE(p.w.Form4->glassbtn2->Caption(), QString("Close"));
        QCOMPARE(p.w.Form2->GroupBox1->title(), QString("Game type "));
        QCOMPARE(p.w.Form2->RadioButton2->text(), QString("Upwards"));
        QCOMPARE(p.w.Form2->CheckBox[3]->text(), QString("Human/computer"));
        QCOMPARE(p.w.Form5->GlassButton1->Caption(), QString("Clear all"));
        const char* english[] = {"New game", "Quit the game", "Best scores", "Help", "Throw"};
        const TGlassButton* buttons[] = {m->glassbtn1, m->glassbtn2, m->glassbtn3, m->glassbtn4, m->glassbtn5};
        for (int i = 0; i < 5; ++i) QCOMPARE(buttons[i]->Caption(), QString(english[i]));
        // The help's last line stays clear of its close button.
        QVERIFY(p.w.Form4->Label[16]->geometry().right() < p.w.Form4->glassbtn2->x());
        // Every heading still clears the sheet at x 83.
        for (QLabel* label : m->TexturePanel1->findChildren<QLabel*>())
            if (label->y() > 100 && label->y() < 470 && label->x() < 83) QVERIFY(label->geometry().right() < 83);

        p.w.Form2->show();
        Click(p.w.Form2->glassbtn1);
        Click(m->glassbtn5);
        for (int frame = 0; frame < 200 && p.game().controls.FrameTimerEnabled; ++frame) {
            p.game().FrameTimerTimer();
            m->Sync();
        }
        QCOMPARE(m->Label23->text(), QString("Player 1/ throw 1"));
        Click(m->Grid, ui::ScoreGrid::CellRect(0, 9).center());
        QCOMPARE(m->Label23->text(), QString("Player 2/ your turn"));
    }

    // english.lan stands line for line for francais.lan: the same count, the
    // same code page and line ends, a text wherever the French file has one
    // and a place holder where it has one.
    void englishFileMatchesTheFrenchLineForLine() {
        const QByteArray fr = ReadBytes(QStringLiteral(QUIMBA_DATA_DIR) + "/francais.lan");
        const QByteArray en = ReadBytes(QStringLiteral(QUIMBA_DATA_DIR) + "/english.lan");
        QVERIFY(en.endsWith("\r\n"));
        QCOMPARE(en.count("\r\n"), fr.count("\r\n"));
        QCOMPARE(en.count('\n'), en.count("\r\n"));
        QCOMPARE(en.count('\r'), en.count("\r\n"));
        for (char c : en) {
            const auto b = static_cast<unsigned char>(c);
            // Bytes Windows-1252 leaves undefined, and control characters.
            QVERIFY2(b >= 0x20 || c == '\r' || c == '\n', "control character in english.lan");
            QVERIFY2(b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D, "byte undefined in Windows-1252");
        }
        const QList<QByteArray> frLines = fr.split('\n');
        const QList<QByteArray> enLines = en.split('\n');
        for (int n = 0; n < frLines.size(); ++n) {
            const bool frHolder = frLines[n] == "-\r";
            const bool enHolder = enLines[n] == "-\r";
            QVERIFY2(frHolder == enHolder, qPrintable(QString("line %1").arg(n)));
            if (n >= 20 && n <= 25) QCOMPARE(enLines[n], frLines[n]);  // the row numbers
        }
        // Both end their "game type" caption in a blank, as laid out.
        QVERIFY(frLines[53].endsWith(" \r"));
        QVERIFY(enLines[53].endsWith(" \r"));
    }
};

QUIMBA_TEST_MAIN("files", FilesTest)
#include "files_test.moc"
