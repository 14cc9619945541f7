// The glass push button: its properties, its mouse, key and focus handling, and its paint over a copy of its parent.
#include "TGlassButton.h"

#include <QAccessible>
#include <QWindow>

#include "GlassButtonAccessible.h"

#include "GlassPaint.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cstring>

namespace quimba::widgets {

namespace {

// Above zero while a glass button copies its parent's look: any glass button
// met during that copy draws nothing, so the copy holds only what lies behind.
int gParentBackgroundDepth = 0;

struct DepthGuard {
    DepthGuard() { ++gParentBackgroundDepth; }
    ~DepthGuard() { --gParentBackgroundDepth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
};

}  // namespace

TGlassButton::TGlassButton(QWidget* parent) : QWidget(parent) {
    resize(75, 25);
    FStyle.lightHeight = height();
    FStyle.glossAlpha = PixelOps::GlossAlphaFromLevel(FGlossyLevel);
    FFaceBitmap = QImage(width(), height(), QImage::Format_RGB888);
    // The face covers every pixel; no erase, so no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    if (parent) parent->installEventFilter(this);
    InstallGlassButtonAccessibility();
    FConstructing = false;
}

TGlassButton::~TGlassButton() = default;

// --- properties -------------------------------------------------------------

void TGlassButton::SetCaption(const QString& caption) {
    FCaption = caption;
    update();
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void TGlassButton::PerformClick() {
    if (isEnabled()) emit OnClick();
}

// Each property repaints the button with its new value.
void TGlassButton::SetAltFocus(bool v) {
    FStyle.altFocus = v;
    update();
}

void TGlassButton::SetAltRender(bool v) {
    FStyle.altRender = v;
    update();
}

void TGlassButton::SetArrow(bool v) {
    FStyle.arrow = v;
    update();
}

void TGlassButton::SetArrowWidth(int v) {
    FStyle.arrowWidth = v;
    update();
}

void TGlassButton::SetAutoSize(bool v) {
    FAutoSize = v;
    update();
}

void TGlassButton::SetDown(bool v) {
    FStyle.down = v;
    update();
}

void TGlassButton::SetDuoStyle(bool v) {
    FStyle.duoStyle = v;
    update();
}

void TGlassButton::SetFlat(bool v) {
    FStyle.flat = v;
    update();
}

void TGlassButton::SetFlatDown(bool v) {
    FStyle.flatDown = v;
    update();
}

void TGlassButton::SetGlossy(bool v) {
    FStyle.glossy = v;
    update();
}

void TGlassButton::SetGlyphPos(TGlyphPos v) {
    FGlyphPos = v;
    update();
}

void TGlassButton::SetImageOffset(int v) {
    FImageOffset = v;
    update();
}

void TGlassButton::SetImageSpacing(int v) {
    FImageSpacing = v;
    update();
}

void TGlassButton::SetShadowStyle(TShadowStyle v) {
    FStyle.shadowStyle = v;
    update();
}

void TGlassButton::SetSingleBorder(bool v) {
    FStyle.singleBorder = v;
    update();
}

void TGlassButton::SetTextAlign(TTextAlign v) {
    FStyle.textAlign = v;
    update();
}

void TGlassButton::SetColor(const QColor& c) {
    FStyle.color = PixelOps::ToRgb(c);
    update();
}

void TGlassButton::SetColorDown(const QColor& c) {
    FStyle.colorDown = PixelOps::ToRgb(c);
    update();
}

void TGlassButton::SetColorFocused(const QColor& c) {
    FStyle.colorFocused = PixelOps::ToRgb(c);
    update();
}

void TGlassButton::SetColorFrame(const QColor& c) {
    FStyle.colorFrame = PixelOps::ToRgb(c);
    update();
}

void TGlassButton::SetColorShadow(const QColor& c) {
    FStyle.colorShadow = PixelOps::ToRgb(c);
    update();
}

void TGlassButton::SetColorDisabled(const QColor& c) {
    FStyle.colorDisabled = PixelOps::ToRgb(c);
    update();
}

void TGlassButton::SetGlossyLevel(int v) {
    FGlossyLevel = std::clamp(v, 0, 100);
    FStyle.glossAlpha = PixelOps::GlossAlphaFromLevel(FGlossyLevel);
    update();
}

void TGlassButton::SetLightHeight(int v) {
    // Only read at the next paint, so no redraw of its own.
    FStyle.lightHeight = std::max(v, 0);
}

void TGlassButton::SetImageIndex(int v) {
    if (v == FImageIndex) return;
    FImageIndex = v;
    if (FImages) update();
}

void TGlassButton::SetImages(TImageList* images) {
    if (FImagesLink) disconnect(FImagesLink);
    FImages = images;
    if (images) FImagesLink = connect(images, &TImageList::OnChange, this, [this] { update(); });
    update();
}

void TGlassButton::SetTabStop(bool v) {
    FTabStop = v;
    setFocusPolicy(v ? Qt::TabFocus : Qt::NoFocus);
}

void TGlassButton::SetFontColor(const QColor& c) {
    QPalette pal = palette();
    pal.setColor(QPalette::ButtonText, c);
    setPalette(pal);
    update();
}

QColor TGlassButton::FontColor() const { return palette().color(QPalette::ButtonText); }

QRect TGlassButton::TextRect() const {
    return QRect(FTextRect.left, FTextRect.top, FTextRect.right - FTextRect.left, FTextRect.bottom - FTextRect.top);
}

// --- layout -----------------------------------------------------------------

bool TGlassButton::HasGlyph() const { return FImageIndex != -1 && FImages; }

QSize TGlassButton::ComputeAutoSize() const {
    const QFontMetrics fm(font());
    int w = fm.horizontalAdvance(FCaption) + 8;
    int h = fm.height() + 8;
    if (HasGlyph()) {
        const int iw = FImages->Width(), ih = FImages->Height();
        if (FGlyphPos == TGlyphPos::gpTop || FGlyphPos == TGlyphPos::gpBottom) {
            w = std::max(w, iw + 6);
            h += FImageOffset + ih + FImageSpacing;
        } else {
            w += FImageOffset + iw + FImageSpacing;
            h = std::max(h, ih + 6);
        }
    }
    if (FStyle.duoStyle)
        w += FStyle.arrowWidth;
    else if (FStyle.arrow)
        w += 16;
    return {w, h};
}

void TGlassButton::ComputeLayout() {
    if (FConstructing) return;
    int W = width(), H = height();
    if (FStyle.arrow) FArrowOrigin.setX(W - 14);
    if (FStyle.duoStyle) FArrowOrigin.setX(W - FStyle.arrowWidth / 2 - 6);
    FArrowOrigin.setY(H / 2 - 4);
    if (FAutoSize) {
        const QSize s = ComputeAutoSize();
        resize(s);
        W = s.width();
        H = s.height();
    }
    FTextRect = {0, 0, W - 1, H - 1};
    if (HasGlyph()) {
        const int iw = FImages->Width(), ih = FImages->Height();
        const bool arrowed = FStyle.arrow || FStyle.duoStyle;
        switch (FGlyphPos) {
            case TGlyphPos::gpTop:
            case TGlyphPos::gpBottom:
                FGlyphOrigin.setX((W - iw) / 2 - (arrowed ? FStyle.arrowWidth / 2 : 0));
                if (FGlyphPos == TGlyphPos::gpBottom) {
                    FGlyphOrigin.setY(H - ih - FImageOffset);
                    FTextRect.bottom = FGlyphOrigin.y() - FImageSpacing;
                } else {
                    FGlyphOrigin.setY(FImageOffset);
                    FTextRect.top = FImageOffset + ih + FImageSpacing;
                }
                FTextRect.left = 0;
                FTextRect.right = W;
                break;
            case TGlyphPos::gpLeft:
                FGlyphOrigin.setX(FImageOffset);
                FTextRect.left = FImageOffset + iw + FImageSpacing;
                FTextRect.right = W - FImageOffset;
                break;
            case TGlyphPos::gpRight:
                FGlyphOrigin.setX(W - iw - FImageOffset - (arrowed ? FStyle.arrowWidth : 0));
                FTextRect.left = FImageOffset;
                FTextRect.right = W - iw - FImageOffset - FImageSpacing;
                break;
        }
        if (FGlyphPos == TGlyphPos::gpLeft || FGlyphPos == TGlyphPos::gpRight) FGlyphOrigin.setY((H - ih) / 2);
    }
    if (FStyle.duoStyle)
        FTextRect.right -= FStyle.arrowWidth;
    else if (FStyle.arrow)
        FTextRect.right -= 16;
}

// --- painting ---------------------------------------------------------------

void TGlassButton::PaintParentBackground() {
    QWidget* par = parentWidget();
    FBackground.fill(Qt::black);
    if (!par) return;
    const DepthGuard guard;
    const QRect area = geometry() & par->rect();
    if (area.isEmpty()) return;
    // The parent erases and paints itself, without its children...
    par->render(&FBackground, area.topLeft() - pos(), QRegion(area), QWidget::DrawWindowBackground);
    // ...then every sibling lying under the button adds its own look (labels,
    // pictures, fills). Other glass buttons are skipped: they are not part of
    // the background.
    for (QObject* o : par->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w == this || w->isWindow() || !w->isVisibleTo(par) || qobject_cast<TGlassButton*>(w)) continue;
        const QRect part = w->geometry() & area;
        if (part.isEmpty()) continue;
        w->render(&FBackground, part.topLeft() - pos(), QRegion(part.translated(-w->pos())), QWidget::DrawChildren);
    }
}

void TGlassButton::PaintFace() {
    if (FConstructing) return;
    ComputeLayout();
    // On a denser screen the whole face is computed at the screen's
    // resolution: every length of the look grows by the ratio. Asking for
    // the ratio allocates; it is asked with each copy of the background,
    // which a move to another screen renews.
    const BackgroundKey key = CurrentBackgroundKey();
    const bool copyValid = FBackgroundKey == key;
    if (!copyValid) FRatio = devicePixelRatioF();
    const qreal ratio = FRatio;
    const auto px = [ratio](int v) { return qRound(v * ratio); };
    const int W = px(width()), H = px(height());
    if (FFaceBitmap.width() != W || FFaceBitmap.height() != H) FFaceBitmap = QImage(W, H, QImage::Format_RGB888);
    if (FFaceBitmap.isNull()) return;
    if (!copyValid || FBackground.size() != FFaceBitmap.size()) {
        // Text measured in the face must match the screen. Asking costs
        // allocations, so it is done with the copy of the background, which
        // a move to another screen renews.
        const int dpmX = qRound(logicalDpiX() / 0.0254), dpmY = qRound(logicalDpiY() / 0.0254);
        FFaceBitmap.setDotsPerMeterX(dpmX);
        FFaceBitmap.setDotsPerMeterY(dpmY);
        if (FBackground.size() != FFaceBitmap.size()) FBackground = QImage(W, H, QImage::Format_RGB888);
        FBackground.setDotsPerMeterX(dpmX);
        FBackground.setDotsPerMeterY(dpmY);
        // The parent paints itself at the screen's resolution into the copy.
        FBackground.setDevicePixelRatio(ratio);
        PaintParentBackground();
        FBackground.setDevicePixelRatio(1);
        FBackgroundKey = key;
        ++FBackgroundCopies;
    }
    std::memcpy(FFaceBitmap.bits(), FBackground.constBits(), std::size_t(FFaceBitmap.sizeInBytes()));

    GlassLook look;
    static_cast<GlassStyle&>(look) = FStyle;
    look.enabled = isEnabled();
    look.focused = hasFocus();
    look.pressed = FInput.Pressed();
    look.hotPart = FInput.HotPart();
    // The light band's height and the arrow's width in device pixels.
    look.lightHeight = px(FStyle.lightHeight);
    look.arrowWidth = px(FStyle.arrowWidth);
    look.fontColor = PixelOps::ToRgb(FontColor());
    look.font = font();
    look.caption = FCaption;
    look.textRect = TextRect();
    look.arrowOrigin = FArrowOrigin;
    look.glyphOrigin = FGlyphOrigin;
    if (HasGlyph()) look.glyph = FImages->Image(FImageIndex);
    if (ratio != 1.0) {
        if (look.font.pixelSize() > 0)
            look.font.setPixelSize(px(look.font.pixelSize()));
        else
            look.font.setPointSizeF(look.font.pointSizeF() * ratio);
        const QRect t = look.textRect;
        look.textRect = QRect(px(t.x()), px(t.y()), px(t.width()), px(t.height()));
        look.arrowOrigin = QPoint(px(FArrowOrigin.x()), px(FArrowOrigin.y()));
        look.glyphOrigin = QPoint(px(FGlyphOrigin.x()), px(FGlyphOrigin.y()));
        // A glyph is a bitmap: scaled smoothly.
        if (!look.glyph.isNull())
            look.glyph = look.glyph.scaled(px(look.glyph.width()), px(look.glyph.height()), Qt::IgnoreAspectRatio,
                                           Qt::SmoothTransformation);
    }
    PaintGlass(FFaceBitmap, look, FContentCache);
}

void TGlassButton::paintEvent(QPaintEvent*) {
    if (gParentBackgroundDepth > 0) return;
    PaintFace();
    QPainter p(this);
    if (FRatio == 1.0)
        p.drawImage(0, 0, FFaceBitmap);
    else
        p.drawImage(QRectF(rect()), FFaceBitmap);
}

void TGlassButton::RepaintNow() { repaint(); }

// --- events -----------------------------------------------------------------

TGlassButton::BackgroundKey TGlassButton::CurrentBackgroundKey() const {
    return {.geometry = geometry(), .parentPaints = FParentPaints};
}

void TGlassButton::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // What the parent painted while the button was hidden is not trusted.
    ++FParentPaints;
    // Another screen may have another pixel ratio: the copy is made again.
    disconnect(FScreenLink);
    if (QWindow* w = window()->windowHandle())
        FScreenLink = connect(w, &QWindow::screenChanged, this, [this] {
            ++FParentPaints;
            update();
        });
}

bool TGlassButton::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::ParentAboutToChange:
            if (parentWidget()) parentWidget()->removeEventFilter(this);
            break;
        case QEvent::ParentChange:
            if (parentWidget()) parentWidget()->installEventFilter(this);
            ++FParentPaints;
            break;
        default: break;
    }
    return QWidget::event(event);
}

bool TGlassButton::eventFilter(QObject* watched, QEvent* event) {
    // The parent painting anything (its texture, a label over it) may have
    // changed what lies behind; copies made for a glass button's own face
    // do not count.
    if (watched == parentWidget() && event->type() == QEvent::Paint && gParentBackgroundDepth == 0) {
        ++FParentPaints;
        // The toolkit repaints no opaque child with its parent, but the
        // button shows what the parent paints behind it.
        if (static_cast<QPaintEvent*>(event)->region().boundingRect().intersects(geometry())) update();
    }
    return QWidget::eventFilter(watched, event);
}

void TGlassButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
        case QEvent::EnabledChange:
        case QEvent::FontChange:
        case QEvent::PaletteChange: update(); break;
        default: break;
    }
}

void TGlassButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (FTabStop) update();
}

void TGlassButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (FTabStop) update();
}

int TGlassButton::PartAt(int x) const { return x > width() - FStyle.arrowWidth - 2 ? 1 : 0; }

GlassShape TGlassButton::Shape() const {
    return {.duoStyle = FStyle.duoStyle, .arrow = FStyle.arrow, .hasMenu = FDropDownMenu != nullptr};
}

void TGlassButton::Apply(const GlassEffects& effects) {
    if (effects.takeFocus && !hasFocus() && FTabStop) setFocus(Qt::MouseFocusReason);
    if (effects.repaintNow) RepaintNow();
    if (effects.click) emit OnClick();
    if (effects.dropDown) PostDropDown();
    if (effects.repaint) update();
}

void TGlassButton::enterEvent(QEnterEvent* event) {
    Apply(FInput.Enter());
    emit OnMouseEnter();
    QWidget::enterEvent(event);
}

void TGlassButton::leaveEvent(QEvent* event) {
    Apply(FInput.Leave());
    emit OnMouseLeave();
    QWidget::leaveEvent(event);
}

void TGlassButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Apply(FInput.Move(rect().contains(p), PartAt(p.x()), event->buttons().testFlag(Qt::LeftButton)));
    QWidget::mouseMoveEvent(event);
}

void TGlassButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        FInput.OtherPress();
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    Apply(FInput.Press(rect().contains(p), PartAt(p.x())));
    event->accept();
}

void TGlassButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    const bool inside = rect().contains(p);
    Apply(FInput.ReleaseClick(inside, Shape()));
    Apply(FInput.ReleaseEnd(inside, PartAt(p.x()), Shape()));
    event->accept();
}

void TGlassButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit OnDblClick();
    mousePressEvent(event);
}

namespace {
GlassKey KeyOf(const QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return GlassKey::Enter;
        case Qt::Key_Down: return GlassKey::Down;
        default: return GlassKey::Other;
    }
}
}  // namespace

void TGlassButton::keyPressEvent(QKeyEvent* event) {
    Apply(FInput.KeyPress(KeyOf(event), event->isAutoRepeat(), Shape()));
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down: event->accept(); return;
        case Qt::Key_Left:
            focusNextPrevChild(false);
            event->accept();
            return;
        case Qt::Key_Right:
            focusNextPrevChild(true);
            event->accept();
            return;
        default: QWidget::keyPressEvent(event);
    }
}

void TGlassButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    const GlassKey key = KeyOf(event);
    Apply(FInput.KeyRelease(key, Shape()));
    if (key == GlassKey::Other)
        QWidget::keyReleaseEvent(event);
    else
        event->accept();
}

// --- drop-down menu ---------------------------------------------------------

void TGlassButton::PostDropDown() {
    // Opens after the current mouse or key handler has returned.
    QMetaObject::invokeMethod(this, &TGlassButton::DropDownMessage, Qt::QueuedConnection);
}

void TGlassButton::DropDownMessage() {
    if (!FDropDownMenu) return;
    emit OnBeforePopup();
    int x = 0;
    switch (FDropDownAlignment) {
        case TPopupAlignment::paLeft: x = 0; break;
        case TPopupAlignment::paCenter: x = width() / 2; break;
        case TPopupAlignment::paRight: x = width(); break;
    }
    const QPoint anchor = mapToGlobal(QPoint(x, height()));
    RepaintNow();
    FInput.PopupOpened();
    emit OnPopup();
    if (!FDropDownMenu) return;
    const int menuWidth = FDropDownMenu->sizeHint().width();
    int left = anchor.x() + FPopupOffset;
    if (FDropDownAlignment == TPopupAlignment::paRight)
        left -= menuWidth;
    else if (FDropDownAlignment == TPopupAlignment::paCenter)
        left -= menuWidth / 2;
    FDropDownMenu->exec(QPoint(left, anchor.y()));
    Apply(FInput.PopupClosed());
}

}  // namespace quimba::widgets
