#pragma once
// The help dialog: the rules in sixteen lines over the dark texture.

#include <QDialog>
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

    void GradBtn1Click() { accept(); }

protected:
    void showEvent(QShowEvent*) override;
};

}  // namespace quimba::ui
