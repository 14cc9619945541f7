// The help dialog, opened by "Aide" (F1): the rules, the game types and the keys over the dark texture.
#include "TForm4.h"

#include <QLabel>
#include <QScreen>
#include <algorithm>

#include "CentreOnScreen.h"
#include "DialogFrame.h"
#include "Fonts.h"
#include "GlassLook.h"
#include "TForm1.h"
#include "TTextureFill.h"
#include "UiWidgets.h"

namespace quimba::ui {

TForm4::TForm4(TForm1* main) : QDialog(main) {
    SetUpDialog(*this, "Form4", "Comment jouer à 3DQUIMBA ?", QSize(kWidth, 379));
    TextureFill1 = FillDialog(*this, &main->Image2);

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
    // The guide to the game types, the levels and the advice goes below the
    // rules, the keys below it; the dialog grows to hold them.
    auto line = [this, &font](const QString& name, int top, const QColor& colour) {
        auto* label = new QLabel(TextureFill1);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);
        label->setFont(font);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, colour);
        label->setPalette(pal);
        label->move(10, top);
        return label;
    };
    const int guideCount = int(GuideLabel.size());
    for (int i = 0; i < guideCount; ++i)
        GuideLabel[i] = line(QString("GuideLabel%1").arg(i + 1), kKeysTop + kKeyPitch * i, QColor(255, 255, 0));
    for (int i = 0; i < int(KeyLabel.size()); ++i)
        KeyLabel[i] =
            line(QString("KeyLabel%1").arg(i + 1), kKeysTop + kKeyPitch * (guideCount + i + 1), QColor(255, 255, 255));
    const int bottom = kKeysTop + kKeyPitch * (guideCount + 1 + int(KeyLabel.size()));
    glassbtn2 = MakeGlassButton(TextureFill1, "glassbtn2", QRect(323, bottom + 10, 198, 38), "Fermer");
    glassbtn2->SetTabStop(true);
    connect(glassbtn2, &TGlassButton::OnClick, this, &TForm4::GradBtn1Click);
    FitContents();
}

void TForm4::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CentreOnScreen(this);
    // The only control: Enter closes the help at once.
    glassbtn2->setFocus(Qt::OtherFocusReason);
}

void TForm4::SetKeyHelp(const QStringList& keys, const QStringList& guide) {
    for (int i = 0; i < int(KeyLabel.size()); ++i) {
        KeyLabel[i]->setText(keys.value(i));
        KeyLabel[i]->adjustSize();
    }
    for (int i = 0; i < int(GuideLabel.size()); ++i) {
        GuideLabel[i]->setText(guide.value(i));
        GuideLabel[i]->adjustSize();
    }
    FitContents();
}

void TForm4::FitContents() {
    int width = kWidth;
    for (QLabel* label : Label)
        if (label) width = std::max(width, label->x() + label->sizeHint().width() + 10);
    for (QLabel* label : KeyLabel) width = std::max(width, label->x() + label->sizeHint().width() + 10);
    for (QLabel* label : GuideLabel) width = std::max(width, label->x() + label->sizeHint().width() + 10);
    // However long a language line, the help stays on the screen; a longer
    // line is cut at the help's edge.
    const QScreen* shownOn = screen();
    width = std::min(width, std::max(kWidth, shownOn ? shownOn->availableGeometry().width() : 2 * kWidth));
    const int height = glassbtn2->geometry().bottom() + 1 + 7;
    setFixedSize(width, height);
    TextureFill1->setGeometry(0, 0, width, height);
}

}  // namespace quimba::ui
