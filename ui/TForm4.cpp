#include "TForm4.h"

#include <QLabel>

#include "Fonts.h"
#include "GlassLook.h"
#include "Startup.h"
#include "TForm1.h"
#include "TTextureFill.h"

namespace quimba::ui {

TForm4::TForm4(TForm1* main) : QDialog(main) {
    setObjectName("Form4");
    setWindowTitle("Comment jouer à 3DQUIMBA ?");
    setFixedSize(536, 379);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);

    TextureFill1 = new TTextureFill(this);
    TextureFill1->setObjectName("TextureFill1");
    TextureFill1->setGeometry(0, 0, 536, 379);
    TextureFill1->setTexture(&main->Image2);

    // The wider gap after the sixth line sets the introduction apart.
    const int tops[16] = {22, 41, 60, 80, 101, 121, 158, 177, 195, 215, 235, 255, 274, 292, 308, 324};
    const QFont font = LayoutFont("Comic Sans MS", 12, true);
    for (int i = 1; i <= 16; ++i) {
        auto* label = new QLabel(TextureFill1);
        label->setObjectName(QString("Label%1").arg(i));
        label->setTextFormat(Qt::PlainText);  // language lines, shown as written
        label->setFont(font);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, QColor(255, 255, 0));
        label->setPalette(pal);
        label->move(i % 2 ? 10 : 12, tops[i - 1]);
        Label[i] = label;
    }
    glassbtn2 = MakeGlassButton(TextureFill1, "glassbtn2", QRect(323, 334, 198, 38), "Fermer");
    connect(glassbtn2, &TGlassButton::OnClick, this, &TForm4::GradBtn1Click);
}

void TForm4::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CentreOnScreen(this);
}

}  // namespace quimba::ui
