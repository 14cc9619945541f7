#pragma once
// The dice table control: an off-screen image the game composes frames in,
// and a widget that shows the last presented frame.

#include <QImage>
#include <QWidget>

namespace quimba {

class TDrawSurface : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 526;
    static constexpr int kHeight = 332;

    explicit TDrawSurface(QWidget* parent = nullptr);

    // Where frames are composed (32-bit RGB, kWidth x kHeight).
    QImage& Surface() { return surface_; }
    // The frame on screen: what the last Flip presented.
    const QImage& Shown() const { return shown_; }

    // Presents the off-screen image; later drawing on Surface() does not
    // touch the shown frame until the next Flip.
    void Flip();

signals:
    void OnInitialize();
    void OnRestoreSurface();
    void OnMouseDown(int x, int y);
    void OnMouseMove(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage surface_;
    QImage shown_;
    bool initialized_ = false;
};

}  // namespace quimba
