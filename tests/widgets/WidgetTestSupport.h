#pragma once
// What the widget tests share: colours written out as text, the tint rule
// counted independently of the code, solid pictures, and a parent with one
// glass button dressed the way the game dresses its buttons.

#include <QFont>
#include <QImage>
#include <QMetaType>
#include <QPalette>
#include <QString>
#include <QWidget>
#include <cmath>

#include "PixelOps.h"
#include "TGlassButton.h"

using namespace quimba::widgets;

using PixelOps::Rgb;

Q_DECLARE_METATYPE(Rgb)

namespace widgettest {

constexpr Rgb kBg{100, 150, 200};
constexpr Rgb kTeal{0, 128, 128};

// The tint rule written out with real division, independent of the code.
inline int Expect(int v, int c, int w) { return v + int(std::floor((c - v) * w / 256.0)); }
inline Rgb ExpectTint(Rgb v, Rgb c, int w) {
    return {std::uint8_t(Expect(v.r, c.r, w)), std::uint8_t(Expect(v.g, c.g, w)), std::uint8_t(Expect(v.b, c.b, w))};
}

inline QString Str(Rgb c) { return QStringLiteral("(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b); }
inline QString At(const QImage& img, int x, int y) { return Str(PixelOps::PixelAt(img, x, y)); }

inline QImage Solid(int w, int h, Rgb c) {
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(QColor(c.r, c.g, c.b));
    return img;
}

// A command button of the main window, dressed as the window dresses it:
// caption, teal glossy face, blue drop shadow, bold 11-pixel text.
inline void DressAsCommand(TGlassButton* button, const QString& caption) {
    button->SetCaption(caption);
    button->SetColor(QColor(kTeal.r, kTeal.g, kTeal.b));
    button->SetColorShadow(QColor(0, 0, 255));
    button->SetFlat(false);
    button->SetGlossy(true);
    button->SetGlossyLevel(25);
    button->SetShadowStyle(TShadowStyle::ssDrop);
    QFont f = button->font();
    f.setPixelSize(11);
    f.setBold(true);
    button->setFont(f);
}

// A solid parent with one button in the game's own dress: teal, raised,
// glossy at level 25.
struct ButtonScene {
    explicit ButtonScene(Rgb bg = kBg, QSize size = QSize(230, 70), QPoint at = QPoint(12, 9)) {
        parent.resize(size);
        QPalette pal = parent.palette();
        pal.setColor(QPalette::Window, QColor(bg.r, bg.g, bg.b));
        parent.setPalette(pal);
        parent.setAutoFillBackground(true);
        button = new TGlassButton(&parent);
        button->setGeometry(QRect(at, QSize(198, 38)));
        button->SetColor(QColor(kTeal.r, kTeal.g, kTeal.b));
        button->SetFlat(false);
        button->SetGlossy(true);
        button->SetGlossyLevel(25);
    }
    QWidget parent;
    TGlassButton* button = nullptr;
};

}  // namespace widgettest
