// Every text the four windows show or give a screen reader, in both
// languages: the French game as laid out, word for word; the English game
// without a French word.
#include <QAbstractButton>
#include <QAccessible>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTableView>
#include <QtTest>

#include "Language.h"
#include "QtTestMain.h"
#include "ReviewWindow.h"
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
    p.w.Form1->ToggleDie(2);  // die 2 itself, wherever it lies on the table
    QStringList texts = Texts(p.w);
    Click(p.w.Form1->Grid, ui::ScoreGrid::CellRect(0, 9).center());
    texts << Texts(p.w);
    return texts;
}

const QString kGolden = QStringLiteral(QUIMBA_TEST_DIR "/french_texts.txt");

// A shipped language file's lines as the game reads them.
QStringList FileLines(const QString& name) {
    const auto load = LoadLanguageFile((QStringLiteral(QUIMBA_DATA_DIR) + "/" + name).toStdString());
    QStringList lines;
    for (const std::string& line : load.Value()) lines << QString::fromStdString(line);
    return lines;
}

// The words of the French file that no line of the English file uses.
QSet<QString> FrenchOnlyWords() {
    static const QRegularExpression nonLetters("[^\\p{L}]+");
    auto words = [](const QStringList& lines) {
        QSet<QString> set;
        for (const QString& line : lines)
            for (const QString& word : line.toLower().split(nonLetters, Qt::SkipEmptyParts)) set.insert(word);
        return set;
    };
    return words(FileLines("francais.lan")) - words(FileLines("english.lan"));
}

// What a table view shows: its headers' texts and its cells'.
QStringList TableTexts(const QString& where, const QTableView* view) {
    QStringList texts;
    const QAbstractItemModel* m = view->model();
    for (int c = 0; c < m->columnCount(); ++c)
        texts << where + " header: " + m->headerData(c, Qt::Horizontal).toString();
    for (int r = 0; r < m->rowCount(); ++r) {
        texts << where + " header: " + m->headerData(r, Qt::Vertical).toString();
        for (int c = 0; c < m->columnCount(); ++c) texts << where + " cell: " + m->index(r, c).data().toString();
    }
    return texts;
}

}  // namespace

class WordsTest : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;

    // No French word, decimal comma or blank before a colon in any text.
    void CheckEnglish(const QStringList& texts) {
        const QSet<QString> french = FrenchOnlyWords();
        QVERIFY(french.contains("joueur") && french.contains("dé") && french.contains("lancer"));
        static const QRegularExpression nonLetters("[^\\p{L}]+"), decimalComma("\\d,\\d"), blankColon("\\w [:;!?]");
        for (const QString& text : texts) {
            const QString shown = text.mid(text.indexOf(": ") + 2);  // after "window/control kind: "
            for (const QString& word : shown.toLower().split(nonLetters, Qt::SkipEmptyParts))
                QVERIFY2(!french.contains(word), qPrintable(word + " in " + text));
            QVERIFY2(!shown.contains(decimalComma), qPrintable(text));
            QVERIFY2(!shown.contains(blankColon), qPrintable(text));
        }
    }

    // `folder` laid out with both language files, the English one chosen.
    static ui::ProgramFiles EnglishFiles(const QString& folder) {
        LayData(folder, true);
        ui::ProgramFiles files = ui::LocateFiles(folder + "/");
        files.languageFile = folder + "/english.lan";
        return files;
    }

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

    // Under english.lan no text of the four windows, of the question before
    // "Effacer tout" or of a screen reader's holds a French word, a decimal
    // comma or a blank before a colon, and every caption is the file's line.
    void englishGameHasNoFrenchWord() {
        auto dir = FreshProgramFolder();
        Program p(EnglishFiles(dir->path()), std::make_unique<SeededRandom>(5));
        QVERIFY(p.Start());
        QStringList texts = PlayAndRead(p);
        p.w.Form5->show();
        p.w.Form5->AskClearAll();
        auto* question = p.w.Form5->findChild<QMessageBox*>();
        QVERIFY(question);
        texts << question->text();
        for (QAbstractButton* b : question->buttons()) texts << b->text();
        question->reject();

        CheckEnglish(texts);
        if (QTest::currentTestFailed()) return;

        const QStringList english = FileLines("english.lan");
        auto windowOf = [&p](Window w) -> QWidget* {
            switch (w) {
                case Window::Main: return p.w.Form1;
                case Window::Setup: return p.w.Form2;
                case Window::Help: return p.w.Form4;
                case Window::BestScores: return p.w.Form5;
            }
            return nullptr;
        };
        std::vector<CaptionTarget> captions = CaptionLoadOrder();
        captions.insert(captions.end(), AddedCaptions().begin(), AddedCaptions().end());
        for (const CaptionTarget& t : captions) {
            QWidget* window = windowOf(t.window);
            QWidget* c = QString(t.control) == "caption" ? nullptr : window->findChild<QWidget*>(t.control);
            QString shown = window->windowTitle();
            if (auto* label = qobject_cast<QLabel*>(c)) shown = label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(c)) shown = button->text();
            if (auto* glass = qobject_cast<TGlassButton*>(c)) shown = glass->Caption();
            if (auto* group = qobject_cast<QGroupBox*>(c)) shown = group->title();
            QCOMPARE(shown, english.value(t.line));
        }
    }

    // Two computers play an ascending game to its end under english.lan:
    // the final standings and the review (F4) hold no French word either.
    void englishStandingsAndReviewHaveNoFrenchWord() {
        auto dir = FreshProgramFolder();
        Program p(EnglishFiles(dir->path()), std::make_unique<SeededRandom>(3));
        QVERIFY(p.Start());
        p.w.Form1->show();
        p.game().Form2.Edit[1] = "CPU";
        p.game().Form2.Edit[2] = "CPU";
        p.game().Form2.RadioButton = kAscendant;
        p.game().S.nbjoueurs = 2;
        p.w.Form2->show();
        Click(p.w.Form2->glassbtn1);
        for (int tick = 0; tick < 20000 && p.game().State().tour < kRounds; ++tick) {
            if (p.game().Controls().FrameTimerEnabled)
                p.w.Form1->Commands().FrameTimerTimer();
            else
                p.w.Form1->Commands().TimerordiTimer();
            p.w.Form1->Sync();
        }
        QCOMPARE(p.game().State().tour, kRounds);
        QTRY_VERIFY(p.w.Form1->Standings()->isVisible());
        QStringList texts = Texts(p.w) + TableTexts("standings", p.w.Form1->Standings()->Table());

        QTest::keyClick(p.w.Form1->Grid, Qt::Key_F4);
        ui::ReviewWindow* review = nullptr;
        const auto opened = [&] {
            for (QObject* c : p.w.Form1->children())
                if ((review = dynamic_cast<ui::ReviewWindow*>(c))) return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(opened(), 30000);
        texts << "review title: " + review->windowTitle();
        for (QWidget* c : review->findChildren<QWidget*>()) {
            if (auto* label = qobject_cast<QLabel*>(c)) texts << "review text: " + label->text();
            texts << "review name: " + c->accessibleName();
            if (auto* table = qobject_cast<QTableView*>(c)) texts << TableTexts("review", table);
        }
        CheckEnglish(texts);
    }
};

QUIMBA_TEST_MAIN("words", WordsTest)
#include "words_test.moc"
