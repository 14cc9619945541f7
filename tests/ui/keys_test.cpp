// Keyboard play through the main window: each key against the click it
// stands for, the dialogs' keys, and what screen readers are given.
#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "../game/TestSupport.h"
#include "GameAccessible.h"
#include "HistoryWindow.h"
#include "Language.h"
#include "NameEdit.h"
#include "QtTestMain.h"
#include "SystemPorts.h"
#include "TForm2.h"
#include "TForm4.h"
#include "TForm5.h"
#include "UiTestSupport.h"
#include "UpDown.h"

using namespace quimba;
using namespace quimba::uitest;
using quimba::widgets::TGlassButton;

namespace {

void StartGame(Program& p, std::initializer_list<const char*> names, QRadioButton* type = nullptr) {
    int i = 1;
    for (const char* name : names) p.game().Form2.Edit[i++] = name;
    p.game().S.nbjoueurs = int(names.size());
    p.w.Form2->show();
    if (type) Click(type);
    Click(p.w.Form2->glassbtn1);
}

void Throw(Program& p) {
    Click(p.w.Form1->glassbtn5);
    Settle(p.w.Form1);
}

// Keys go where the keyboard is: the sheet holds it in the main window.
void Key(Program& p, int key) { QTest::keyClick(p.w.Form1->Grid, Qt::Key(key)); }

QPoint DieSpot(const Game& g, int die) { return {g.S.posx[die] + 35, g.S.posy[die] + 30}; }

// Compares two snapshots and names the first line that differs.
#define SAME_STATE(actual, expected)                                                                              \
    do {                                                                                                          \
        const std::string a_ = (actual), e_ = (expected);                                                         \
        if (a_ != e_) {                                                                                           \
            QStringList al = QString::fromStdString(a_).split('\n'), el = QString::fromStdString(e_).split('\n'); \
            int i_ = 0;                                                                                           \
            while (i_ < al.size() && i_ < el.size() && al[i_] == el[i_]) ++i_;                                    \
            QFAIL(qPrintable("state differs:\n  " + al.value(i_) + "\n  " + el.value(i_)));                       \
        }                                                                                                         \
    } while (0)

// The game's state without the mouse pointer's shapes, which only mouse
// moves set and keys have no reason to.
std::string StateWithoutCursors(const Game& g) {
    std::string s = quimba::testing::Snapshot(g);
    const std::size_t at = s.find(" cursors ");
    if (at != std::string::npos) s.erase(at, 11);
    return s;
}

enum Setup { NewGameOnly, Thrown, ThrownThrice, ComputerToPlay, AscendantThrown, RowTwoTaken };
enum Action { ClickDie, ClickRoll, ClickCell };

void Prepare(Program& p, Setup setup) {
    switch (setup) {
        case NewGameOnly: StartGame(p, {"ANNE", "BOB"}); break;
        case Thrown:
            StartGame(p, {"ANNE", "BOB"});
            Throw(p);
            break;
        case ThrownThrice:
            StartGame(p, {"ANNE", "BOB"});
            Throw(p);
            Throw(p);
            Throw(p);
            break;
        case ComputerToPlay:
            // The person writes after one throw, just before the
            // computer's turn.
            StartGame(p, {"ANNE", "CPU"});
            Throw(p);
            Click(p.w.Form1->Grid, ui::ScoreGrid::CellRect(0, lignequimba).center());
            break;
        case AscendantThrown:
            StartGame(p, {"ANNE", "BOB"}, p.w.Form2->RadioButton2);
            Throw(p);
            break;
        case RowTwoTaken:
            StartGame(p, {"ANNE", "BOB"});
            Throw(p);
            Click(p.w.Form1->Grid, ui::ScoreGrid::CellRect(0, ligne2).center());
            Throw(p);
            Click(p.w.Form1->Grid, ui::ScoreGrid::CellRect(1, ligne2).center());
            Throw(p);
            break;
    }
}

}  // namespace

class KeysTest : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    std::unique_ptr<QTemporaryDir> dir;

    std::unique_ptr<Program> Make(const QString& folder) {
        auto p = std::make_unique<Program>(folder, std::make_unique<SeededRandom>(7));
        if (!p->Start()) return nullptr;
        p->w.Form1->show();
        QApplication::setActiveWindow(p->w.Form1);
        if (!QTest::qWaitForWindowActive(p->w.Form1)) return nullptr;
        return p;
    }

private slots:
    void initTestCase() { IsolateSettings(settingsDir.path()); }
    void init() { dir = FreshProgramFolder(); }

    void keyAgainstClick_data() {
        QTest::addColumn<int>("setup");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("target");  // a die's key (its place from the left), or a row of the current column
        QTest::addColumn<bool>("keyRefused");
        QTest::addColumn<bool>("changes");
        using L = QList<int>;
        QTest::newRow("die 2 kept") << int(Thrown) << L{Qt::Key_2} << int(ClickDie) << 2 << false << true;
        QTest::newRow("die 5 kept") << int(Thrown) << L{Qt::Key_5} << int(ClickDie) << 5 << false << true;
        QTest::newRow("die before a throw") << int(NewGameOnly) << L{Qt::Key_1} << int(ClickDie) << 1 << false << false;
        QTest::newRow("die after the third throw")
            << int(ThrownThrice) << L{Qt::Key_3} << int(ClickDie) << 3 << false << false;
        QTest::newRow("space throws") << int(NewGameOnly) << L{Qt::Key_Space} << int(ClickRoll) << 0 << false << true;
        QTest::newRow("enter throws without the cursor")
            << int(Thrown) << L{Qt::Key_Return} << int(ClickRoll) << 0 << false << true;
        QTest::newRow("space after the third throw")
            << int(ThrownThrice) << L{Qt::Key_Space} << int(ClickRoll) << 0 << false << false;
        QTest::newRow("down and enter write the first free row")
            << int(Thrown) << L{Qt::Key_Down, Qt::Key_Return} << int(ClickCell) << 1 << false << true;
        QTest::newRow("cursor moved to Full")
            << int(Thrown)
            << L{Qt::Key_Down, Qt::Key_Up,   Qt::Key_Up,   Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
                 Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}
            << int(ClickCell) << int(lignefull) << false << true;
        QTest::newRow("enter on a filled row") << int(RowTwoTaken) << L{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}
                                               << int(ClickCell) << 2 << false << false;
        QTest::newRow("enter on the forced row") << int(AscendantThrown) << L{Qt::Key_Down, Qt::Key_Return}
                                                 << int(ClickCell) << int(lignequimba) << false << true;
        QTest::newRow("enter off the forced row") << int(AscendantThrown) << L{Qt::Key_Down, Qt::Key_Up, Qt::Key_Return}
                                                  << int(ClickCell) << int(lignecarre) << false << false;
        QTest::newRow("space in the computer's turn")
            << int(ComputerToPlay) << L{Qt::Key_Space} << int(ClickRoll) << 0 << false << false;
        QTest::newRow("die key in the computer's turn")
            << int(ComputerToPlay) << L{Qt::Key_1} << int(ClickDie) << 1 << false << false;
    }

    void keyAgainstClick() {
        QFETCH(int, setup);
        QFETCH(QList<int>, keys);
        QFETCH(int, action);
        QFETCH(int, target);
        QFETCH(bool, keyRefused);
        QFETCH(bool, changes);
        QTemporaryDir otherDir;
        LayData(otherDir.path());
        auto byKey = Make(dir->path());
        auto byClick = Make(otherDir.path());
        QVERIFY(byKey && byClick);
        Prepare(*byKey, Setup(setup));
        Prepare(*byClick, Setup(setup));
        const std::string before = StateWithoutCursors(byClick->game());
        SAME_STATE(StateWithoutCursors(byKey->game()), before);

        for (int key : keys) Key(*byKey, key);
        ui::TForm1* m = byClick->w.Form1;
        const Game& g = byClick->game();
        if (action == ClickDie) {
            QTest::mouseClick(m->DiceTable, Qt::LeftButton, Qt::NoModifier, DieSpot(g, g.DieForKey(target)));
        } else if (action == ClickRoll) {
            Click(m->glassbtn5);
        } else {
            Click(m->Grid, ui::ScoreGrid::CellRect(g.S.joueur, target).center());
        }

        QCOMPARE(StateWithoutCursors(byClick->game()) != before, changes);
        if (keyRefused)
            SAME_STATE(StateWithoutCursors(byKey->game()), before);
        else
            SAME_STATE(StateWithoutCursors(byKey->game()), StateWithoutCursors(byClick->game()));
    }

    void theSheetCursorIsDrawnAndFollowsTheKeys() {
        auto p = Make(dir->path());
        QVERIFY(p);
        Prepare(*p, Thrown);
        ui::ScoreGrid* grid = p->w.Form1->Grid;
        QCOMPARE(grid->KeyCursorRow(), -1);
        Key(*p, Qt::Key_Down);
        QCOMPARE(grid->KeyCursorRow(), 1);
        QCOMPARE(grid->KeyCursorColumn(), 0);
        // The cursor shows: its red frame lies on the cell's edge.
        const QImage shot = grid->grab().toImage();
        const QRect cell = ui::ScoreGrid::CellRect(0, 1);
        QCOMPARE(QColor(shot.pixel(cell.left() + 1, cell.center().y())), QColor(255, 0, 0));
        QCOMPARE(
            QColor(shot.pixel(ui::ScoreGrid::CellRect(0, 3).left() + 1, ui::ScoreGrid::CellRect(0, 3).center().y())),
            QColor(200, 200, 0));
        Key(*p, Qt::Key_Down);
        QCOMPARE(grid->KeyCursorRow(), 2);
        Key(*p, Qt::Key_Escape);
        QCOMPARE(grid->KeyCursorRow(), -1);
        Key(*p, Qt::Key_Space);
        QCOMPARE(p->game().S.nblancers, 2);
    }

    void commandKeysOpenTheDialogsAndEscapeClosesThem() {
        auto p = Make(dir->path());
        QVERIFY(p);
        ui::TForm1* m = p->w.Form1;
        struct Case {
            QKeySequence keys;
            QDialog* dialog;
        } cases[] = {{QKeySequence(Qt::Key_F1), p->w.Form4},
                     {QKeySequence(Qt::CTRL | Qt::Key_S), p->w.Form5},
                     {QKeySequence(Qt::CTRL | Qt::Key_H), nullptr},  // the history, made at its first opening
                     {QKeySequence(Qt::CTRL | Qt::Key_N), p->w.Form2}};
        for (const Case& c : cases) {
            // The history reads a scratch games file, never the user's.
            if (!c.dialog) qputenv("XDG_DATA_HOME", (dir->path() + "/data").toLocal8Bit());
            QTest::keySequence(m, c.keys);
            QDialog* dialog = c.dialog ? c.dialog : m->History();
            // The dialogs open without a nested loop: the key returns with
            // the dialog shown.
            QVERIFY2(dialog && dialog->isVisible(), qPrintable(c.keys.toString()));
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus && focus->window() == dialog ? focus : dialog, Qt::Key_Escape);
            QVERIFY(!dialog->isVisible());
            QApplication::setActiveWindow(m);
        }
        // Escape in the setup dialog changes nothing, like its close box.
        QCOMPARE(p->game().Grid.Cell(0, 0), std::string(""));
        QVERIFY(!m->glassbtn5->isEnabled());
        QVERIFY(m->isVisible());
        QTest::keySequence(m, QKeySequence(Qt::CTRL | Qt::Key_Q));
        QVERIFY(!m->isVisible());
    }

    // The main window's commands take the Tab focus; each dialog opens with
    // its focus on a button.
    void tabReachesTheButtonsAndDialogsShowTheirFocus() {
        auto p = Make(dir->path());
        QVERIFY(p);
        ui::TForm1* m = p->w.Form1;
        StartGame(*p, {"ANNE", "BOB"});
        for (TGlassButton* b : {m->glassbtn1, m->glassbtn2, m->glassbtn3, m->glassbtn4, m->glassbtn5}) {
            QCOMPARE(b->focusPolicy(), Qt::TabFocus);
        }
        // Tab from the sheet reaches "Nouvelle Partie", which then looks focused.
        m->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m));
        m->Grid->setFocus();
        const QImage unfocused = m->glassbtn1->grab().toImage();
        for (int i = 0; i < 8 && !m->glassbtn1->hasFocus(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(m->glassbtn1->hasFocus());
        QVERIFY(m->glassbtn1->grab().toImage() != unfocused);
        p->w.Form2->show();
        QCOMPARE(p->w.Form2->focusWidget(), static_cast<QWidget*>(p->w.Form2->glassbtn1));
        p->w.Form2->hide();
        p->w.Form5->show();
        QCOMPARE(p->w.Form5->focusWidget(), static_cast<QWidget*>(p->w.Form5->glassbtn2));
        p->w.Form5->hide();
    }

    void enterInTheSetupDialogStartsTheGame() {
        auto p = Make(dir->path());
        QVERIFY(p);
        ui::TForm2* f = p->w.Form2;
        f->show();
        f->CheckBox[2]->setFocus();
        QTest::keyClick(f->CheckBox[2], Qt::Key_Space);
        QCOMPARE(f->Edit[2]->text(), QString("CPU"));
        QTest::keyClick(f->CheckBox[2], Qt::Key_Return);
        QVERIFY(!f->isVisible());
        QCOMPARE(p->game().Grid.Cell(1, 0), std::string("CPU"));
        QVERIFY(p->w.Form1->glassbtn5->isEnabled());
    }

    void theDialogButtonsTakeTheFocusAndEnter() {
        auto p = Make(dir->path());
        QVERIFY(p);
        ui::TForm4* help = p->w.Form4;
        // The dialog opens without blocking the key that asked for it.
        QTest::keyClick(p->w.Form1, Qt::Key_F1);
        QVERIFY(help->isVisible());
        (void)QTest::qWaitForWindowActive(help);
        QCOMPARE(help->focusWidget(), static_cast<QWidget*>(help->glassbtn2));
        // The button's own Enter closes the dialog, glow and all.
        QTest::keyClick(help->glassbtn2, Qt::Key_Return);
        QVERIFY(!help->isVisible());
        for (TGlassButton* b :
             {p->w.Form2->glassbtn1, p->w.Form2->glassbtn2, p->w.Form5->glassbtn2, p->w.Form5->GlassButton1})
            QCOMPARE(b->focusPolicy(), Qt::TabFocus);
    }

    void theHelpListsTheKeys() {
        auto p = Make(dir->path());
        QVERIFY(p);
        ui::TForm4* help = p->w.Form4;
        QVERIFY(help->KeyLabel[0]->text().contains("1 à 5"));
        QVERIFY(help->KeyLabel[3]->text().contains("Ctrl+Q"));
        // Nothing is cut: every line lies inside the dialog, above the button.
        for (QLabel* label : help->KeyLabel) {
            QVERIFY(label->geometry().right() < help->width());
            QVERIFY(label->geometry().bottom() < help->glassbtn2->y());
        }
        QVERIFY(help->glassbtn2->geometry().bottom() < help->height());
    }

    void anOlderLanguageFileGetsTheBuiltInKeyHelp() {
        QFile file(dir->path() + "/francais.lan");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        // The file stops after the first key line.
        lines = lines.mid(0, kFirstKeyHelpLine + 2);
        lines[kFirstKeyHelpLine] = "Premi\xe8re ligne des touches\r";
        lines[kFirstKeyHelpLine + 1] = "";
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.join('\n'));
        file.close();
        auto p = Make(dir->path());
        QVERIFY(p);
        QCOMPARE(p->w.Form4->KeyLabel[0]->text(), QString("Première ligne des touches"));
        QCOMPARE(p->w.Form4->KeyLabel[1]->text(), QString::fromStdString(BuiltInLine(kFirstKeyHelpLine + 1)));
        QCOMPARE(p->w.Form4->KeyLabel[3]->text(), QString::fromStdString(BuiltInLine(kFirstKeyHelpLine + 3)));
    }
};

QUIMBA_TEST_MAIN("keys", KeysTest)
#include "keys_test.moc"
