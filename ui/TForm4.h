#pragma once
// The help dialog: the rules in sixteen lines over the dark texture.

#include <QDialog>
#include <QStringList>
#include <array>

class QLabel;
class TGlassButton;
class TTextureFill;

namespace quimba::ui {

class TForm1;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(TForm1* main);

    TTextureFill* TextureFill1;
    std::array<QLabel*, 17> Label{};  // Label1..Label16
    TGlassButton* glassbtn2;
    // The keys of the game, under the rules.
    std::array<QLabel*, 4> KeyLabel{};
    void SetKeyHelp(const QStringList& lines);

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
