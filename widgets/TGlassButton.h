#pragma once
// The see-through glossy push button: it paints itself completely into its
// own 24-bit bitmap over a copy of what its parent shows behind it, and then
// copies that bitmap to the screen in one block.

#include "GlassInput.h"
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
#include <optional>

namespace quimba::widgets {

class TGlassButton : public QWidget {
    Q_OBJECT
public:
    explicit TGlassButton(QWidget* parent = nullptr);
    ~TGlassButton() override;

    void SetCaption(const QString& caption);
    QString Caption() const { return FCaption; }

    void SetAltFocus(bool v);
    bool AltFocus() const { return FStyle.altFocus; }
    void SetAltRender(bool v);
    bool AltRender() const { return FStyle.altRender; }
    void SetArrow(bool v);
    bool Arrow() const { return FStyle.arrow; }
    void SetArrowWidth(int v);
    int ArrowWidth() const { return FStyle.arrowWidth; }
    void SetAutoSize(bool v);
    bool AutoSize() const { return FAutoSize; }
    void SetColor(const QColor& c);
    QColor Color() const { return PixelOps::ToColor(FStyle.color); }
    void SetColorDown(const QColor& c);
    QColor ColorDown() const { return PixelOps::ToColor(FStyle.colorDown); }
    void SetColorFocused(const QColor& c);
    QColor ColorFocused() const { return PixelOps::ToColor(FStyle.colorFocused); }
    void SetColorFrame(const QColor& c);
    QColor ColorFrame() const { return PixelOps::ToColor(FStyle.colorFrame); }
    void SetColorShadow(const QColor& c);
    QColor ColorShadow() const { return PixelOps::ToColor(FStyle.colorShadow); }
    void SetColorDisabled(const QColor& c);
    QColor ColorDisabled() const { return PixelOps::ToColor(FStyle.colorDisabled); }
    void SetDown(bool v);
    bool Down() const { return FStyle.down; }
    void SetDropDownAlignment(TPopupAlignment v) { FDropDownAlignment = v; }
    TPopupAlignment DropDownAlignment() const { return FDropDownAlignment; }
    void SetDropDownMenu(QMenu* menu) { FDropDownMenu = menu; }
    QMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDuoStyle(bool v);
    bool DuoStyle() const { return FStyle.duoStyle; }
    void SetFlat(bool v);
    bool Flat() const { return FStyle.flat; }
    void SetFlatDown(bool v);
    bool FlatDown() const { return FStyle.flatDown; }
    void SetGlossy(bool v);
    bool Glossy() const { return FStyle.glossy; }
    void SetGlossyLevel(int v);
    int GlossyLevel() const { return FGlossyLevel; }
    void SetGlyphPos(TGlyphPos v);
    TGlyphPos GlyphPos() const { return FGlyphPos; }
    void SetImageIndex(int v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageOffset(int v);
    int ImageOffset() const { return FImageOffset; }
    void SetImages(TImageList* images);
    TImageList* Images() const { return FImages; }
    void SetImageSpacing(int v);
    int ImageSpacing() const { return FImageSpacing; }
    void SetLightHeight(int v);
    int LightHeight() const { return FStyle.lightHeight; }
    void SetPopupOffset(int v) { FPopupOffset = v; }
    int PopupOffset() const { return FPopupOffset; }
    void SetShadowStyle(TShadowStyle v);
    TShadowStyle ShadowStyle() const { return FStyle.shadowStyle; }
    void SetSingleBorder(bool v);
    bool SingleBorder() const { return FStyle.singleBorder; }
    void SetTextAlign(TTextAlign v);
    TTextAlign TextAlign() const { return FStyle.textAlign; }
    // Keyboard reachability: with it the button takes the focus on a click.
    void SetTabStop(bool v);
    bool TabStop() const { return FTabStop; }
    // Caption colour while enabled (the palette's button text).
    void SetFontColor(const QColor& c);
    QColor FontColor() const;

    // State and layout, read-only.
    int HotPart() const { return FInput.HotPart(); }
    bool Pressed() const { return FInput.Pressed(); }
    bool MouseInside() const { return FInput.MouseInside(); }
    bool PopupShown() const { return FInput.PopupShown(); }
    int GlossAlpha() const { return FStyle.glossAlpha; }
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
    void BackgroundChanged() { ++FParentPaints; }
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
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void DropDownMessage();

private:
    void ComputeLayout();
    void PaintParentBackground();
    int PartAt(int x) const;
    bool HasGlyph() const;
    void PostDropDown();
    void RepaintNow();
    GlassShape Shape() const;
    // Carries out what a transition of the press and hover asks.
    void Apply(const GlassEffects& effects);

    bool FConstructing = true;
    QString FCaption;
    GlassStyle FStyle;
    bool FAutoSize = false;
    TPopupAlignment FDropDownAlignment = TPopupAlignment::paLeft;
    QPointer<QMenu> FDropDownMenu;
    int FGlossyLevel = 37;
    TGlyphPos FGlyphPos = TGlyphPos::gpLeft;
    int FImageIndex = 0;
    int FImageOffset = 4;
    QPointer<TImageList> FImages;
    QMetaObject::Connection FImagesLink;
    int FImageSpacing = 4;
    int FPopupOffset = 0;
    bool FTabStop = false;

    GlassInput FInput;

    QPoint FArrowOrigin;
    QPoint FGlyphOrigin;
    PixelOps::Box FTextRect;
    QImage FFaceBitmap;  // in the screen's pixels: the widget's size times FRatio
    qreal FRatio = 1.0;

    // What the parent shows behind the button, copied once and reused until
    // the parent paints again or the button moves: a hover or a press then
    // repaints without walking the parent's drawing.
    // The copy is good while its key holds: the same size and place, and no
    // paint of the parent since (nor a new parent, nor a move of the window
    // to another screen).
    struct BackgroundKey {
        QRect geometry;
        quint64 parentPaints = 0;
        bool operator==(const BackgroundKey&) const = default;
    };
    BackgroundKey CurrentBackgroundKey() const;
    QImage FBackground;
    std::optional<BackgroundKey> FBackgroundKey;  // of the copy; none before the first
    quint64 FParentPaints = 0;
    QMetaObject::Connection FScreenLink;
    int FBackgroundCopies = 0;
    GlassContentCache FContentCache;
};

}  // namespace quimba::widgets
