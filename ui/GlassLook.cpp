#include "GlassLook.h"

#include "Fonts.h"
#include "TGlassButton.h"

namespace quimba::ui {

TGlassButton* MakeGlassButton(QWidget* parent, const char* name, const QRect& geometry, const QString& caption) {
    auto* b = new TGlassButton(parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setCaption(caption);
    b->setColor(QColor(0, 128, 128));
    b->setColorDown(QColor(0, 0, 0));
    b->setColorFrame(QColor(128, 128, 128));
    b->setColorShadow(QColor(0, 0, 255));
    b->setFlat(false);
    b->setGlossy(true);
    b->setGlossyLevel(25);
    b->setLightHeight(25);
    b->setShadowStyle(TShadowStyle::ssDrop);
    b->setTextAlign(TTextAlign::taCenter);
    b->setGlyphPos(TGlyphPos::gpLeft);
    b->setImageIndex(0);
    b->setImageSpacing(2);
    b->setAltFocus(false);
    b->setAltRender(false);
    b->setTabStop(false);
    b->setFont(LayoutFont("Default", 11, true));
    // No desktop colour exists here; a warm white reads best on the teal face.
    b->setFontColor(QColor(255, 255, 240));
    return b;
}

}  // namespace quimba::ui
