// The window's record of its games: a closed game comes back as it was, and
// a row written by the keyboard is taken back with Ctrl+Z.
#include <signal.h>
#include <sqlite3.h>
#include <QtTest>

#include <random>

#include "GameRecording.h"
#include "Language.h"
#include "PartyStore.h"
#include "QtTestMain.h"
#include "SystemPorts.h"
#include "TForm2.h"
#include "UiTestSupport.h"

using namespace quimba;
using namespace quimba::uitest;

namespace {

// What a person sees of the game and what it lets them do next.
struct Table {
    int player = 0;
    int throws = 0;
    std::array<int, kDice + 1> faces{};
    std::array<int, kDice + 1> kept{};
    std::vector<std::string> cells;
    bool operator==(const Table&) const = default;
};

Table Look(const Game& g) {
    Table t{.player = g.State().joueur, .throws = g.State().nblancers, .faces = {}, .kept = {}, .cells = {}};
    for (int d = 1; d <= kDice; ++d) {
        t.faces[d] = g.State().valeurde[d];
        t.kept[d] = g.State().garde[d];
    }
    for (int c = 0; c < g.State().nbjoueurs; ++c)
        for (int r = 0; r < kRows; ++r) t.cells.push_back(g.Sheet().Cell(c, r));
    return t;
}

// One answer of SQL over the games file, or the error.
QString Ask(const QString& file, const char* sql) {
    sqlite3* db = nullptr;
    QString answer;
    if (sqlite3_open_v2(file.toLocal8Bit().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
            answer = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        else
            answer = sqlite3_errmsg(db);
        sqlite3_finalize(s);
    } else {
        answer = sqlite3_errmsg(db);
    }
    sqlite3_close(db);
    return answer;
}

// How far a printed position is into the game: round, player, throws.
std::tuple<int, int, int> Progress(const QByteArray& position) {
    const QList<QByteArray> f = position.split(' ');
    return {f.value(0).toInt(), f.value(1).toInt(), f.value(2).toInt()};
}

}  // namespace

class RecordingTest : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    std::unique_ptr<QTemporaryDir> dataDir;
    std::unique_ptr<QTemporaryDir> dir;

    std::unique_ptr<Program> Make(std::uint32_t seed) {
        auto p = std::make_unique<Program>(dir->path(), std::make_unique<SeededRandom>(seed));
        if (!p->Start()) return nullptr;
        p->w.Form1->show();
        QApplication::setActiveWindow(p->w.Form1);
        if (!QTest::qWaitForWindowActive(p->w.Form1)) return nullptr;
        return p;
    }
    void TwoPersons(Program& p) {
        p.game().Form2.Edit[1] = "ANNE";
        p.game().Form2.Edit[2] = "BOB";
        p.game().S.nbjoueurs = 2;
        p.w.Form2->show();
        Click(p.w.Form2->glassbtn1);
    }
    void Throw(Program& p) {
        Click(p.w.Form1->glassbtn5);
        Settle(p.w.Form1);
    }
    // The keyboard's write: the cursor one row down, then Enter.
    int WriteByKeys(Program& p) {
        QTest::keyClick(p.w.Form1->Grid, Qt::Key_Down);
        const int row = p.w.Form1->game().SheetCursorRow();
        QTest::keyClick(p.w.Form1->Grid, Qt::Key_Return);
        return row;
    }
    QString ResultLine(Program& p) { return QString::fromStdString(p.w.Form1->game().Controls().resultext); }
    QString Line(Program& p, int n) { return QString::fromStdString(p.w.Form1->game().Line(n)); }

private slots:
    void initTestCase() { IsolateSettings(settingsDir.path()); }
    // Each test has its own games file.
    void init() {
        dir = FreshProgramFolder();
        dataDir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", dataDir->path().toLocal8Bit());
    }

    void closedGameComesBackWithTheSameDice() {
        Table before;
        {
            auto p = Make(11);
            QVERIFY(p);
            TwoPersons(*p);
            Throw(*p);
            WriteByKeys(*p);
            QTRY_COMPARE(p->game().State().joueur, 1);
            Throw(*p);
            before = Look(p->game());
            QCOMPARE(before.throws, 1);
            p->w.Form1->close();
        }
        // Other dice: a throw on resume would show.
        auto p = Make(99);
        QVERIFY(p);
        QTRY_COMPARE(ResultLine(*p), Line(*p, kLineGameResumed));
        QVERIFY(Look(p->game()) == before);
        QCOMPARE(QString::fromStdString(p->game().Sheet().Cell(1, lignenoms)), QString("BOB"));
        // The second player writes at once, and the game goes on recording.
        const int row = WriteByKeys(*p);
        QVERIFY(!p->game().Sheet().Free(1, row));
        p->w.Form1->Recording().Drain();
    }

    void ctrlZTakesBackAKeyboardWrite() {
        auto p = Make(5);
        QVERIFY(p);
        TwoPersons(*p);
        Throw(*p);
        const Table thrown = Look(p->game());
        const int row = WriteByKeys(*p);
        QVERIFY(!p->game().Sheet().Free(0, row));
        QTRY_COMPARE(p->game().State().joueur, 1);

        QTest::keyClick(p->w.Form1->Grid, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(p->game().Sheet().Free(0, row));
        QVERIFY(Look(p->game()) == thrown);
        QCOMPARE(ResultLine(*p), Line(*p, kLineRowTakenBack));

        // Written again, then the second person throws: no more undo.
        WriteByKeys(*p);
        QTRY_COMPARE(p->game().State().joueur, 1);
        Throw(*p);
        const Table after = Look(p->game());
        QTest::keyClick(p->w.Form1->Grid, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(Look(p->game()) == after);
        QCOMPARE(ResultLine(*p), Line(*p, kLineUndoAfterThrow));
    }

    // Taking a row back takes back the computer's turn played after it.
    void ctrlZTakesBackTheComputersTurnToo() {
        auto p = Make(7);
        QVERIFY(p);
        p->game().Form2.Edit[1] = "ANNE";
        p->game().Form2.Edit[2] = "CPU";
        p->game().S.nbjoueurs = 2;
        p->w.Form2->show();
        Click(p->w.Form2->glassbtn1);
        Throw(*p);
        const Table thrown = Look(p->game());
        WriteByKeys(*p);
        QTRY_VERIFY_WITH_TIMEOUT(p->game().State().joueur == 0 && p->game().State().tour == 1, 30000);
        // Cells of the computer's column that its turn changed.
        const auto changedByComputer = [&] {
            const Table now = Look(p->game());
            int n = 0;
            for (int r = 0; r < kRows; ++r) n += now.cells[kRows + r] != thrown.cells[kRows + r];
            return n;
        };
        QVERIFY(changedByComputer() > 0);

        QTest::keyClick(p->w.Form1->Grid, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(Look(p->game()) == thrown);
        QCOMPARE(ResultLine(*p), Line(*p, kLineRowTakenBack));
    }

    // kill -9 at any moment, mid-move included, then a new start: the file
    // passes its integrity check, the same game comes back (never a new one)
    // where the last move printed as recorded left it, or later, never
    // earlier; with equal progress, the same dice, kept dice and cells.
    void killedAtAnyMomentComesBackWhereItWas() {
        QTemporaryDir home;
        const QString copy = QCoreApplication::applicationFilePath();
        const QString file = home.path() + "/data/FENTORIX/3DQUIMBA/parties.sqlite";
        const QString finished = QString::number(int(store::GameSummary::Finished));
        const QString allRows = QString::number(2 * kRounds);
        const QString writes =
            QString("SELECT count(*) FROM events WHERE game = 1 AND kind = %1").arg(int(EventKind::Write));
        std::mt19937 pick(2026);
        QByteArray last;
        bool ended = false;
        for (int run = 0; run < 60 && !ended; ++run) {
            // Killed between its last row and its end, the game is finished
            // at the next start, and a new one begins.
            const bool lastRowOnly = run > 0 && Ask(file, qPrintable(writes)) == allRows;
            QProcess game;
            game.start(copy, {"record_copy", dir->path(), home.path(), QString::number(run + 1)});
            QVERIFY(game.waitForStarted());
            QList<QByteArray> lines;
            const int wanted = 2 + static_cast<int>(pick() % 6);
            while (lines.size() < wanted && !lines.contains("end")) {
                while (!game.canReadLine()) QVERIFY2(game.waitForReadyRead(30000), game.readAllStandardError());
                lines << game.readLine().trimmed();
            }
            QCOMPARE(lines[0], QByteArray(run == 0 || lastRowOnly ? "new" : "resumed"));
            if (run > 0 && !lastRowOnly) {
                QVERIFY2(Progress(lines[1]) >= Progress(last), lines[1] + " after " + last);
                if (Progress(lines[1]) == Progress(last)) QCOMPARE(lines[1], last);
            }
            QThread::usleep(pick() % 40000);
            ::kill(static_cast<pid_t>(game.processId()), SIGKILL);
            QVERIFY(game.waitForFinished(30000));
            for (const QByteArray& more : game.readAllStandardOutput().split('\n'))
                if (!more.isEmpty()) lines << more.trimmed();
            for (const QByteArray& line : lines)
                if (line.contains(' ')) last = line;
            QCOMPARE(Ask(file, "PRAGMA integrity_check"), QString("ok"));
            if (!lastRowOnly) QCOMPARE(Ask(file, "SELECT count(*) FROM games"), QString("1"));
            // The end may be in the file before the copy could print it.
            ended = Ask(file, "SELECT state FROM games WHERE id = 1") == finished;
            if (lines.contains("end") || lastRowOnly) QVERIFY(ended);
        }
        QVERIFY2(ended, "60 starts and the game did not end");
    }
};

QUIMBA_TEST_MAIN("recording", RecordingTest)
#include "recording_test.moc"
