#pragma once
// A panel that tiles its own texture bitmap behind its child controls,
// inside a raised one-pixel bevel.

#include <QImage>
#include <QWidget>

#include "TileDraw.h"

class TTexturePanel : public QWidget {
    Q_OBJECT
public:
    explicit TTexturePanel(QWidget* parent = nullptr);

    // The panel's own bitmap; loading into it does not repaint by itself.
    QImage& Texture() { return FTexture; }
    const QImage& Texture() const { return FTexture; }
    // Copies the bitmap; no repaint request either.
    void setTexture(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage FTexture;
    ScaledTexture FScaled;  // the texture at the screen's resolution
};
