// Every text the four windows show or give a screen reader, in both
// languages: the French game as laid out, word for word; the English game
// without a French word.
#include <QAbstractButton>
#include <QAccessible>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QtTest>

#include "Language.h"
#include "SystemPorts.h"
#include "TForm2.h"
#include "TForm4.h"
#include "TForm5.h"
#include "UiTestSupport.h"

using namespace quimba;
using namespace quimba::uitest;
using quimba::widgets::TGlassButton;

namespace {

// One line per text: "window/control kind: text".
QStringList Texts(const ui::Windows& w) {
    QStringList texts;
    auto add = [&texts](const QString& where, const char* kind, const QString& text) {
        if (!text.isEmpty()) texts << where + " " + kind + ": " + text;
    };
    auto accessible = [&add](const QString& where, QAccessibleInterface* i) {
        if (!i) return;
        add(where, "name", i->text(QAccessible::Name));
        add(where, "description", i->text(QAccessible::Description));
    };
    const QList<QWidget*> windows{w.Form1, w.Form2, w.Form4, w.Form5};
    for (QWidget* window : windows) {
        add(window->objectName(), "title", window->windowTitle());
        for (QWidget* c : window->findChildren<QWidget*>()) {
            if (c->window() != window) continue;
            const QString where = window->objectName() + "/" +
                                  (c->objectName().isEmpty() ? c->metaObject()->className() : c->objectName());
            if (auto* label = qobject_cast<QLabel*>(c)) add(where, "text", label->text());
            if (auto* button = qobject_cast<QAbstractButton*>(c)) add(where, "text", button->text());
            if (auto* glass = qobject_cast<TGlassButton*>(c)) add(where, "caption", glass->Caption());
            if (auto* group = qobject_cast<QGroupBox*>(c)) add(where, "title", group->title());
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(c);
            accessible(where, i);
            // The dice and the sheet's cells are children without a widget.
            if (i && (c == w.Form1->Grid || c == w.Form1->DiceTable))
                for (int n = 0; n < i->childCount(); ++n) accessible(where + "#" + QString::number(n), i->child(n));
        }
    }
    return texts;
}

// A start, a throw, a kept die and a written row: every kind of text shows.
QStringList PlayAndRead(Program& p) {
    p.w.Form1->show();
    p.w.Form2->show();
    Click(p.w.Form2->glassbtn1);
    Click(p.w.Form1->glassbtn5);
    Settle(p.w.Form1);
    QTest::keyClick(p.w.Form1->Grid, Qt::Key_2);
    QStringList texts = Texts(p.w);
    Click(p.w.Form1->Grid, ui::ScoreGrid::CellRect(0, 9).center());
    texts << Texts(p.w);
    return texts;
}

const QString kGolden = QStringLiteral(QUIMBA_TEST_DIR "/french_texts.txt");

}  // namespace

class WordsTest : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;

private slots:
    void initTestCase() { IsolateSettings(settingsDir.path()); }

    void frenchTextsAreAsLaidOut() {
        auto dir = FreshProgramFolder();
        Program p(dir->path(), std::make_unique<SeededRandom>(5));
        QVERIFY(p.Start());
        const QStringList texts = PlayAndRead(p);
        if (qEnvironmentVariableIsSet("QUIMBA_WRITE_GOLDEN")) {
            QFile out(kGolden);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write((texts.join('\n') + '\n').toUtf8());
        }
        QFile golden(kGolden);
        QVERIFY(golden.open(QIODevice::ReadOnly));
        const QStringList expected = QString::fromUtf8(golden.readAll()).split('\n', Qt::SkipEmptyParts);
        for (int n = 0; n < std::min(texts.size(), expected.size()); ++n) QCOMPARE(texts[n], expected[n]);
        QCOMPARE(texts.size(), expected.size());
    }
};

QTEST_MAIN(WordsTest)
#include "words_test.moc"
