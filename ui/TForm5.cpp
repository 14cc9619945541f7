// The best-scores dialog, opened by "Voir les scores" (Ctrl+S): the list of finished games, "Effacer tout" and the way
// to the history.
#include "TForm5.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "CentreOnScreen.h"
#include "DialogFrame.h"
#include "Fonts.h"
#include "GlassLook.h"
#include "Language.h"
#include "TForm1.h"
#include "TTextureFill.h"
#include "UiWidgets.h"

namespace quimba::ui {

TForm5::TForm5(TForm1* main) : QDialog(main), main_(main) {
    SetUpDialog(*this, "Form5", "Meilleurs Scores", QSize(254, 470));
    TextureFill1 = FillDialog(*this, &main->Image2);

    ListBoxScore = new QListWidget(TextureFill1);
    ListBoxScore->setObjectName("ListBoxScore");
    ListBoxScore->setGeometry(16, 13, 217, 300);
    ListBoxScore->setFont(LayoutFont("MS Serif", 11, true));
    ListBoxScore->setUniformItemSizes(true);
    ListBoxScore->setStyleSheet(
        "QListWidget { background: rgb(0, 0, 128); color: rgb(255, 255, 0); border: 1px solid rgb(64, 64, 64); }"
        "QListWidget::item { height: 13px; padding: 0px 2px; }"
        "QListWidget::item:selected { background: rgb(0, 0, 255); color: rgb(255, 255, 0); }");

    GlassButton1 = MakeGlassButton(TextureFill1, "GlassButton1", QRect(24, 326, 198, 38), "Effacer tout");
    HistoryButton = MakeGlassButton(TextureFill1, "HistoryButton", QRect(24, 374, 198, 38), "Historique");
    glassbtn2 = MakeGlassButton(TextureFill1, "glassbtn2", QRect(23, 422, 198, 38), "Fermer");
    HistoryButton->SetTabStop(true);
    GlassButton1->SetTabStop(true);
    glassbtn2->SetTabStop(true);
    connect(GlassButton1, &TGlassButton::OnClick, this, &TForm5::AskClearAll);
    connect(glassbtn2, &TGlassButton::OnClick, this, &QDialog::accept);
    connect(HistoryButton, &TGlassButton::OnClick, main_, &TForm1::ShowHistory);
}

void TForm5::AskClearAll() {
    // The list holds games that cannot be played again: it is emptied only
    // once the player says so. The question does not block, so a screen
    // reader's press on "Effacer tout" returns at once.
    const Game& game = main_->game();
    auto line = [&game](int n) { return QString::fromStdString(game.Line(n)); };
    auto* box =
        new QMessageBox(QMessageBox::Question, windowTitle(), line(kLineClearAllQuestion), QMessageBox::NoButton, this);
    box->setObjectName("ClearAllQuestion");
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* yes = box->addButton(line(kLineYes), QMessageBox::YesRole);
    QPushButton* no = box->addButton(line(kLineNo), QMessageBox::NoRole);
    box->setDefaultButton(no);
    box->setEscapeButton(no);
    connect(yes, &QPushButton::clicked, this, [this] {
        main_->Commands().ClearBestScores();
        Mirror();
    });
    box->open();
}

void TForm5::Mirror() {
    const BestScores& list = main_->game().BestScoreList();
    ListBoxScore->clear();
    for (const std::string& entry : list.Items()) ListBoxScore->addItem(QString::fromStdString(entry));
    shownVersion_ = list.Version();
}

void TForm5::Refresh() {
    if (isVisible() && main_->game().BestScoreList().Version() != shownVersion_) Mirror();
}

void TForm5::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CentreOnScreen(this);
    Mirror();
    // The dialog opens with its focus shown, on "Fermer", never on "Effacer tout".
    glassbtn2->setFocus(Qt::TabFocusReason);
}

}  // namespace quimba::ui
