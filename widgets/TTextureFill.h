#pragma once
// A fill control that tiles a picture it does not own over its whole area.

#include <QImage>
#include <QWidget>

#include "TileDraw.h"

class TTextureFill : public QWidget {
    Q_OBJECT
public:
    explicit TTextureFill(QWidget* parent = nullptr);

    // The picture must outlive this control (or be detached first).
    // Assigning repaints at once.
    void setTexture(const QImage* image);
    const QImage* Texture() const { return FTexture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* FTexture = nullptr;
    ScaledTexture FScaled;  // the picture at the screen's resolution
};
