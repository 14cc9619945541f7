// What screen readers are given: a name for every control, the dice and the
// sheet cells as children with their content, and the news of each throw
// and turn.
#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QtTest>

#include "DrawSurface.h"
#include "NameEdit.h"
#include "QtTestMain.h"
#include "SystemPorts.h"
#include "TForm2.h"
#include "TForm4.h"
#include "TForm5.h"
#include "UiTestSupport.h"

using namespace quimba;
using namespace quimba::uitest;
using quimba::widgets::TGlassButton;

namespace {

struct Told {
    QObject* object;
    QAccessible::Event type;
    QString value;
};
QList<Told> told;
void Record(QAccessibleEvent* e) {
    QString value;
    if (e->type() == QAccessible::ValueChanged)
        value = static_cast<QAccessibleValueChangeEvent*>(e)->value().toString();
    // Other news carry the name the reader will fetch.
    if (e->type() != QAccessible::ValueChanged && e->accessibleInterface())
        value = e->accessibleInterface()->text(QAccessible::Name);
    told.append({e->object(), e->type(), value});
}

// A click with no pointer move before it.
void ClickInPlace(QWidget* w, QPoint at = QPoint()) {
    if (at.isNull()) at = w->rect().center();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at);
}

QString Name(QObject* o) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(QAccessible::Name) : QString("<no interface>");
}

}  // namespace

class AccessTest : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Program> p;

    void StartGame() {
        p->w.Form2->show();
        ClickInPlace(p->w.Form2->glassbtn1);
    }

private slots:
    void initTestCase() { IsolateSettings(settingsDir.path()); }
    void init() {
        dir = FreshProgramFolder();
        p = std::make_unique<Program>(dir->path(), std::make_unique<SeededRandom>(3));
        QVERIFY(p->Start());
        p->w.Form1->TellReaders = Record;
        p->w.Form1->show();
        told.clear();
    }
    void cleanup() { p.reset(); }

    void everyControlHasAName() {
        QList<QWidget*> windows{p->w.Form1, p->w.Form2, p->w.Form4, p->w.Form5};
        int controls = 0;
        for (QWidget* window : windows) {
            for (QWidget* w : window->findChildren<QWidget*>()) {
                if (w->window() != window) continue;
                const bool control = qobject_cast<TGlassButton*>(w) || qobject_cast<QAbstractButton*>(w) ||
                                     qobject_cast<QLineEdit*>(w) || qobject_cast<QListWidget*>(w) ||
                                     qobject_cast<ui::ScoreGrid*>(w) || qobject_cast<TDrawSurface*>(w);
                if (!control) continue;
                ++controls;
                QVERIFY2(!Name(w).isEmpty(), qPrintable(window->objectName() + "/" + w->objectName()));
            }
        }
        // 5 + 2 + 1 + 3 glass buttons, 5 boxes, 3 game types and 2 levels,
        // 2 arrows, 5 fields, the list, the sheet and the dice table, and the
        // end standings' review button and its table's corner.
        QCOMPARE(controls, 33);
        QCOMPARE(Name(p->w.Form2->Edit[3]), QString("Joueur 3"));
        QCOMPARE(Name(p->w.Form2->CheckBox[4]), QString("Joueur 4 : Humain/ordinateur"));
    }

    void glassButtonsArePushButtonsNamedByTheirCaption() {
        QAccessibleInterface* roll = QAccessible::queryAccessibleInterface(p->w.Form1->glassbtn5);
        QCOMPARE(roll->role(), QAccessible::Button);
        QCOMPARE(roll->text(QAccessible::Name), QString("Lancer"));
        QVERIFY(roll->state().disabled);
        QVERIFY(roll->actionInterface());
        QCOMPARE(roll->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()), false);
        // A press through the reader is a click.
        p->game().ListBoxScore.Add("12 --- x --- ANNE");
        QAccessibleInterface* clear = QAccessible::queryAccessibleInterface(p->w.Form5->GlassButton1);
        QCOMPARE(clear->text(QAccessible::Name), QString("Effacer tout"));
        clear->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // It asks first, without blocking the press.
        QVERIFY(!p->game().ListBoxScore.Empty());
        auto* question = p->w.Form5->findChild<QMessageBox*>("ClearAllQuestion");
        QVERIFY(question && question->isVisible());
        for (QAbstractButton* b : question->buttons())
            if (b->text() == "Oui") b->click();
        QVERIFY(p->game().ListBoxScore.Empty());
    }

    void eachDieTellsItsFaceAndWhetherItIsKept() {
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(p->w.Form1->DiceTable);
        QCOMPARE(table->childCount(), 5);
        QCOMPARE(table->child(2)->text(QAccessible::Name), QString("Dé 3"));
        StartGame();
        QVERIFY2(table->child(2)->state().disabled, "no picking before a throw");
        ClickInPlace(p->w.Form1->glassbtn5);
        Settle(p->w.Form1);
        const GameState& s = p->game().S;
        for (int die = 1; die <= 5; ++die) {
            QAccessibleInterface* d = table->child(die - 1);
            QCOMPARE(d->role(), QAccessible::CheckBox);
            QCOMPARE(d->text(QAccessible::Name), QString("Dé %1 : %2").arg(die).arg(s.valeurde[die]));
            QVERIFY(!d->state().checked);
            QVERIFY(!d->state().disabled);
            QCOMPARE(table->indexOfChild(d), die - 1);
            QCOMPARE(d->parent(), table);
        }
        // Kept with its key (its place from the left); toggled back with the
        // reader's action.
        QTest::keyClick(p->w.Form1->Grid, Qt::Key(Qt::Key_0 + p->game().DieKey(4)));
        QAccessibleInterface* four = table->child(3);
        QCOMPARE(four->text(QAccessible::Name), QString("Dé 4 : %1, gardé").arg(s.valeurde[4]));
        QVERIFY(four->state().checked);
        // Hit where a click picks it.
        const QPoint spot = p->w.Form1->DiceTable->mapToGlobal(QPoint(s.posx[2] + 35, s.posy[2] + 30));
        QAccessibleInterface* hit = table->childAt(spot.x(), spot.y());
        QVERIFY(hit);
        QVERIFY(hit->rect().contains(spot));
        four->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(int(s.garde[4]), 0);
        QVERIFY(!four->state().checked);
    }

    void eachCellTellsPlayerRowAndScore() {
        StartGame();
        ClickInPlace(p->w.Form1->glassbtn5);
        Settle(p->w.Form1);
        const int sum = p->game().S.sommedes;
        ClickInPlace(p->w.Form1->Grid, ui::ScoreGrid::CellRect(0, 10).center());
        QAccessibleInterface* sheet = QAccessible::queryAccessibleInterface(p->w.Form1->Grid);
        QCOMPARE(sheet->role(), QAccessible::Table);
        QCOMPARE(sheet->text(QAccessible::Name), QString("Feuille de score"));
        QCOMPARE(sheet->childCount(), 5 * 17);
        struct Case {
            int column, row;
            QString name, value;
        } cases[] = {
            {0, 10, QString("PLA1, Moins : %1").arg(sum), QString::number(sum)},
            {0, 0, "PLA1", "PLA1"},
            {1, 11, "PLA2, Brelan", ""},
            {0, 8, QString("PLA1, Total : 0"), "0"},
            {3, 15, "Joueur 4, Quimba", ""},
        };
        for (const Case& c : cases) {
            QAccessibleInterface* cell = sheet->child(c.column * 17 + c.row);
            QVERIFY(cell);
            QCOMPARE(cell->role(), QAccessible::Cell);
            QCOMPARE(cell->text(QAccessible::Name), c.name);
            QCOMPARE(cell->text(QAccessible::Value), c.value);
            QCOMPARE(sheet->indexOfChild(cell), c.column * 17 + c.row);
            const QPoint centre = p->w.Form1->Grid->mapToGlobal(ui::ScoreGrid::CellRect(c.column, c.row).center());
            QCOMPARE(sheet->childAt(centre.x(), centre.y()), cell);
        }
        // The reader follows the keyboard's cursor.
        ClickInPlace(p->w.Form1->glassbtn5);
        Settle(p->w.Form1);
        p->w.Form1->Grid->setFocus();
        QTest::keyClick(p->w.Form1->Grid, Qt::Key_Down);
        QAccessibleInterface* focus = sheet->focusChild();
        QVERIFY(focus);
        QCOMPARE(focus->text(QAccessible::Name), QString("PLA2, 1"));
    }

    void aThrowAndATurnAreAnnounced() {
        StartGame();
        ClickInPlace(p->w.Form1->glassbtn5);
        auto announced = [](QObject* o) {
            QStringList values;
            for (const Told& t : told)
                if (t.object == o && t.type == QAccessible::NameChanged) values << t.value;
            return values;
        };
        // Not while the dice roll: the line is still hidden.
        QCOMPARE(announced(p->w.Form1->resultext), QStringList());
        Settle(p->w.Form1);
        const QString result = p->w.Form1->resultext->text();
        QVERIFY(!result.isEmpty());
        QCOMPARE(announced(p->w.Form1->resultext), QStringList{result});
        // The line itself reads as what it shows.
        QCOMPARE(Name(p->w.Form1->resultext), result);
        ClickInPlace(p->w.Form1->Grid, ui::ScoreGrid::CellRect(0, 9).center());
        QCOMPARE(announced(p->w.Form1->Label23), QStringList{"Joueur 2/ à vous de jouer"});
        // Nothing is said twice.
        p->w.Form1->Sync();
        QCOMPARE(announced(p->w.Form1->resultext).size(), 1);
        QCOMPARE(announced(p->w.Form1->Label23).size(), 1);
    }

    // Each change a reader needs arrives as its own event: the dice once
    // still, a kept die, the keyboard's cursor, a written cell.
    void keptDieCursorAndWrittenCellAreTold() {
        StartGame();
        ClickInPlace(p->w.Form1->glassbtn5);
        Settle(p->w.Form1);
        const GameState& s = p->game().S;
        auto saw = [](QAccessible::Event type, const QString& value) {
            for (const Told& t : told)
                if (t.type == type && t.value == value) return true;
            return false;
        };
        QVERIFY(saw(QAccessible::DescriptionChanged, "Table de dés"));
        const QString faces = QString("Table de dés : %1 %2 %3 %4 %5")
                                  .arg(s.valeurde[1])
                                  .arg(s.valeurde[2])
                                  .arg(s.valeurde[3])
                                  .arg(s.valeurde[4])
                                  .arg(s.valeurde[5]);
        QCOMPARE(Name(p->w.Form1->DiceTable), QString("Table de dés"));
        QCOMPARE(QAccessible::queryAccessibleInterface(p->w.Form1->DiceTable)->text(QAccessible::Description), faces);
        told.clear();
        QTest::keyClick(p->w.Form1->Grid, Qt::Key_3);
        const QString kept = QString("Dé 3 : %1, gardé").arg(s.valeurde[3]);
        QVERIFY(saw(QAccessible::StateChanged, kept));
        QVERIFY(saw(QAccessible::NameChanged, kept));
        told.clear();
        QTest::keyClick(p->w.Form1->Grid, Qt::Key_Down);
        QVERIFY(saw(QAccessible::Focus, "PLA1, 1"));
        QVERIFY(saw(QAccessible::ActiveDescendantChanged, "PLA1, 1"));
        told.clear();
        QTest::keyClick(p->w.Form1->Grid, Qt::Key_Return);
        QVERIFY(saw(QAccessible::NameChanged, "PLA1, 1 : " + QString::fromStdString(p->game().Grid.Cell(0, 1))));
        QVERIFY(saw(QAccessible::NameChanged, "Joueur 2/ à vous de jouer"));
    }
};

QUIMBA_TEST_MAIN("access", AccessTest)
#include "access_test.moc"
