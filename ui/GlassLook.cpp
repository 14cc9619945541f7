// The look every command button of the game shares.
#include "GlassLook.h"

#include "Fonts.h"
#include "TGlassButton.h"
#include "UiWidgets.h"

namespace quimba::ui {

TGlassButton* MakeGlassButton(QWidget* parent, const char* name, const QRect& geometry, const QString& caption) {
    auto* b = new TGlassButton(parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->SetCaption(caption);
    b->SetColor(QColor(0, 128, 128));
    b->SetColorDown(QColor(0, 0, 0));
    b->SetColorFrame(QColor(128, 128, 128));
    b->SetColorShadow(QColor(0, 0, 255));
    b->SetFlat(false);
    b->SetGlossy(true);
    b->SetGlossyLevel(25);
    b->SetLightHeight(25);
    b->SetShadowStyle(TShadowStyle::ssDrop);
    b->SetTextAlign(TTextAlign::taCenter);
    b->SetGlyphPos(TGlyphPos::gpLeft);
    b->SetImageIndex(0);
    b->SetImageSpacing(2);
    b->SetAltFocus(false);
    b->SetAltRender(false);
    b->SetTabStop(false);
    b->setFont(LayoutFont("Default", 11, true));
    // No desktop colour exists here; a warm white reads best on the teal face.
    b->SetFontColor(QColor(255, 255, 240));
    return b;
}

}  // namespace quimba::ui
