#pragma once
// The player setup dialog. Its state lives in the game's SetupForm; this
// window shows it and forwards the user's changes.

#include <QDialog>
#include <array>

#include "UiWidgets.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace quimba::ui {

class NameEdit;
class TForm1;
class UpDown;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(TForm1* main);

    TTexturePanel* TexturePanel1;
    QLabel* Label6;
    UpDown* UpDown1;
    QLabel* Label7;
    std::array<QLabel*, 6> PlayerLabel{};  // Label1..Label4, Label8 by player
    std::array<NameEdit*, 6> Edit{};
    std::array<QCheckBox*, 6> CheckBox{};
    QGroupBox* GroupBox1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QGroupBox* GroupBox2;        // the computer's level
    QRadioButton* RadioButton4;  // "Classique"
    QRadioButton* RadioButton5;  // "Expert"
    TGlassButton* glassbtn1;
    TGlassButton* glassbtn2;

    // Shows the form state on the controls.
    void Mirror();
    // The count the arrows show, and a screen reader's way to set it.
    int PlayerCount() const;
    void SetPlayerCount(int count);

protected:
    void showEvent(QShowEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    void button1Click();
    void CheckBoxClick(int player, bool checked);

    TForm1* main_;
};

}  // namespace quimba::ui
