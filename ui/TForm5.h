#pragma once
// The best-scores dialog: the sorted list of finished games.

#include <QDialog>
#include <cstdint>

#include "UiWidgets.h"

class QListWidget;

namespace quimba::ui {

class TForm1;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(TForm1* main);

    TTextureFill* TextureFill1;
    QListWidget* ListBoxScore;
    TGlassButton* GlassButton1;
    TGlassButton* glassbtn2;
    TGlassButton* HistoryButton;  // opens the history and statistics

    // Shows the game's list.
    void Mirror();
    // Mirrors again while shown, when the list has changed since.
    void Refresh();
    // "Effacer tout": asks, and empties the list on yes.
    void AskClearAll();

protected:
    void showEvent(QShowEvent*) override;

private:
    TForm1* main_;
    std::uint64_t shownVersion_ = 0;
};

}  // namespace quimba::ui
