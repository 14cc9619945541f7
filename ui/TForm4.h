#pragma once
// The help dialog: the rules in sixteen lines over the dark texture.

#include <QDialog>
#include <QStringList>
#include <array>

#include "UiWidgets.h"

class QLabel;

namespace quimba::ui {

class TForm1;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(TForm1* main);

    TTextureFill* TextureFill1;
    std::array<QLabel*, 17> Label{};  // Label1..Label16
    TGlassButton* glassbtn2;
    // Under the rules: the game types, the computer's levels and the advice,
    // then the keys of the game.
    std::array<QLabel*, 6> GuideLabel{};
    std::array<QLabel*, 4> KeyLabel{};
    void SetKeyHelp(const QStringList& keys, const QStringList& guide = {});

    void GradBtn1Click() { accept(); }

protected:
    void showEvent(QShowEvent* e) override;

private:
    static constexpr int kWidth = 536;
    static constexpr int kKeysTop = 350;
    static constexpr int kKeyPitch = 18;
    // Wide enough for the longest line, tall enough for the key help.
    void FitContents();
};

}  // namespace quimba::ui
