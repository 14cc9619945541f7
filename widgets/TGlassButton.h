#pragma once
// The see-through glossy push button: it paints itself completely into its
// own 24-bit bitmap over a copy of what its parent shows behind it, and then
// copies that bitmap to the screen in one block.

#include "GlassPaint.h"
#include "GlassTypes.h"
#include "PixelOps.h"
#include "TImageList.h"

#include <QColor>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

class TGlassButton : public QWidget {
    Q_OBJECT
public:
    explicit TGlassButton(QWidget* parent = nullptr);
    ~TGlassButton() override;

    void setCaption(const QString& caption);
    QString Caption() const { return FCaption; }

    void setAltFocus(bool v);
    bool AltFocus() const { return FAltFocus; }
    void setAltRender(bool v);
    bool AltRender() const { return FAltRender; }
    void setArrow(bool v);
    bool Arrow() const { return FArrow; }
    void setArrowWidth(int v);
    int ArrowWidth() const { return FArrowWidth; }
    void setAutoSize(bool v);
    bool AutoSize() const { return FAutoSize; }
    void setColor(const QColor& c);
    QColor Color() const { return PixelOps::ToColor(FColor); }
    void setColorDown(const QColor& c);
    QColor ColorDown() const { return PixelOps::ToColor(FColorDown); }
    void setColorFocused(const QColor& c);
    QColor ColorFocused() const { return PixelOps::ToColor(FColorFocused); }
    void setColorFrame(const QColor& c);
    QColor ColorFrame() const { return PixelOps::ToColor(FColorFrame); }
    void setColorShadow(const QColor& c);
    QColor ColorShadow() const { return PixelOps::ToColor(FColorShadow); }
    void setColorDisabled(const QColor& c);
    QColor ColorDisabled() const { return PixelOps::ToColor(FColorDisabled); }
    void setDown(bool v);
    bool Down() const { return FDown; }
    void setDropDownAlignment(TPopupAlignment v) { FDropDownAlignment = v; }
    TPopupAlignment DropDownAlignment() const { return FDropDownAlignment; }
    void setDropDownMenu(QMenu* menu) { FDropDownMenu = menu; }
    QMenu* DropDownMenu() const { return FDropDownMenu; }
    void setDuoStyle(bool v);
    bool DuoStyle() const { return FDuoStyle; }
    void setFlat(bool v);
    bool Flat() const { return FFlat; }
    void setFlatDown(bool v);
    bool FlatDown() const { return FFlatDown; }
    void setGlossy(bool v);
    bool Glossy() const { return FGlossy; }
    void setGlossyLevel(int v);
    int GlossyLevel() const { return FGlossyLevel; }
    void setGlyphPos(TGlyphPos v);
    TGlyphPos GlyphPos() const { return FGlyphPos; }
    void setImageIndex(int v);
    int ImageIndex() const { return FImageIndex; }
    void setImageOffset(int v);
    int ImageOffset() const { return FImageOffset; }
    void setImages(TImageList* images);
    TImageList* Images() const { return FImages; }
    void setImageSpacing(int v);
    int ImageSpacing() const { return FImageSpacing; }
    void setLightHeight(int v);
    int LightHeight() const { return FLightHeight; }
    void setPopupOffset(int v) { FPopupOffset = v; }
    int PopupOffset() const { return FPopupOffset; }
    void setShadowStyle(TShadowStyle v);
    TShadowStyle ShadowStyle() const { return FShadowStyle; }
    void setSingleBorder(bool v);
    bool SingleBorder() const { return FSingleBorder; }
    void setTextAlign(TTextAlign v);
    TTextAlign TextAlign() const { return FTextAlign; }
    // Keyboard reachability: with it the button takes the focus on a click.
    void setTabStop(bool v);
    bool TabStop() const { return FTabStop; }
    // Caption colour while enabled (the palette's button text).
    void setFontColor(const QColor& c);
    QColor FontColor() const;

    // State and layout, read-only.
    int HotPart() const { return FHotPart; }
    bool Pressed() const { return FPressed; }
    bool MouseInside() const { return FMouseInside; }
    bool PopupShown() const { return FPopupShown; }
    int GlossAlpha() const { return FGlossAlpha; }
    // Caption area as (x, y, width, height); right and bottom edges excluded.
    QRect TextRect() const;
    QPoint ArrowOrigin() const { return FArrowOrigin; }
    QPoint GlyphOrigin() const { return FGlyphOrigin; }
    // In the screen's pixels: on a denser screen larger than the button.
    const QImage& FaceBitmap() const { return FFaceBitmap; }

    // A click from elsewhere than the mouse (a screen reader's press):
    // fires OnClick while the button is enabled.
    void PerformClick();

    // Runs the layout and rebuilds FaceBitmap exactly as the next paint does.
    void PaintFace();
    // The parent's look behind the button has changed in a way it could not
    // see (its own paint is seen): the next paint copies it afresh.
    void BackgroundChanged() { FBackgroundValid = false; }
    // How many times the parent's look behind the button has been copied.
    int BackgroundCopies() const { return FBackgroundCopies; }
    // Size the contents need (caption, glyph, arrow), measured with the font.
    QSize ComputeAutoSize() const;

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseEnter();
    void OnMouseLeave();
    void OnBeforePopup();
    void OnPopup();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void DropDownMessage();

private:
    void ComputeLayout();
    void PaintParentBackground();
    void Click();
    int PartAt(int x) const;
    bool HasGlyph() const;
    void PostDropDown();
    void RepaintNow();

    bool FConstructing = true;
    QString FCaption;
    bool FAltFocus = false;
    bool FAltRender = false;
    bool FArrow = false;
    int FArrowWidth = 18;
    bool FAutoSize = false;
    PixelOps::Rgb FColor{255, 255, 255};
    PixelOps::Rgb FColorDown{0, 0, 0};
    PixelOps::Rgb FColorFocused{255, 255, 0};
    PixelOps::Rgb FColorFrame{128, 128, 128};
    PixelOps::Rgb FColorShadow{0, 0, 0};
    PixelOps::Rgb FColorDisabled{192, 192, 192};
    bool FDown = false;
    TPopupAlignment FDropDownAlignment = TPopupAlignment::paLeft;
    QPointer<QMenu> FDropDownMenu;
    bool FDuoStyle = false;
    bool FFlat = true;
    bool FFlatDown = false;
    bool FGlossy = false;
    int FGlossyLevel = 37;
    TGlyphPos FGlyphPos = TGlyphPos::gpLeft;
    int FImageIndex = 0;
    int FImageOffset = 4;
    QPointer<TImageList> FImages;
    QMetaObject::Connection FImagesLink;
    int FImageSpacing = 4;
    int FLightHeight = 25;
    int FPopupOffset = 0;
    TShadowStyle FShadowStyle = TShadowStyle::ssNone;
    bool FSingleBorder = false;
    TTextAlign FTextAlign = TTextAlign::taCenter;
    bool FTabStop = false;

    int FHotPart = -1;
    bool FPressed = false;
    bool FMouseInside = false;
    bool FClickHandled = false;
    bool FPopupShown = false;
    int FGlossAlpha = 72;

    QPoint FArrowOrigin;
    QPoint FGlyphOrigin;
    PixelOps::Box FTextRect;
    QImage FFaceBitmap;  // in the screen's pixels: the widget's size times FRatio
    qreal FRatio = 1.0;

    // What the parent shows behind the button, copied once and reused until
    // the parent paints again or the button moves: a hover or a press then
    // repaints without walking the parent's drawing.
    QImage FBackground;
    bool FBackgroundValid = false;
    int FBackgroundCopies = 0;
    GlassContentCache FContentCache;
};
