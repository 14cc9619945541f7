// A list of same-sized pictures with a change notification, the glass buttons' glyphs.
#include "TImageList.h"

#include <QPainter>

namespace quimba::widgets {

TImageList::TImageList(int width, int height, QObject* parent) : QObject(parent), FWidth(width), FHeight(height) {}

QImage TImageList::Fit(const QImage& image) const {
    QImage out(FWidth, FHeight, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, image.convertToFormat(QImage::Format_ARGB32));
    return out;
}

int TImageList::Add(const QImage& image) {
    FImages.append(Fit(image));
    emit OnChange();
    return Count() - 1;
}

void TImageList::Replace(int index, const QImage& image) {
    if (index < 0 || index >= Count()) return;
    FImages[index] = Fit(image);
    emit OnChange();
}

void TImageList::Clear() {
    FImages.clear();
    emit OnChange();
}

QImage TImageList::Image(int index) const {
    if (index < 0 || index >= Count()) return {};
    return FImages.at(index);
}

}  // namespace quimba::widgets
