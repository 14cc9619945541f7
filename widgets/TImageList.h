#pragma once
// A list of same-sized pictures with a change notification, the source of
// glass-button glyphs.

#include <QImage>
#include <QList>
#include <QObject>

namespace quimba::widgets {

class TImageList : public QObject {
    Q_OBJECT
public:
    explicit TImageList(int width = 16, int height = 16, QObject* parent = nullptr);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return static_cast<int>(FImages.size()); }

    // Pictures of another size are placed at the top-left of a transparent
    // picture of the list's size.
    int Add(const QImage& image);
    void Replace(int index, const QImage& image);
    void Clear();

    // The picture at index, or a null image when out of range.
    QImage Image(int index) const;

signals:
    void OnChange();

private:
    QImage Fit(const QImage& image) const;

    int FWidth;
    int FHeight;
    QList<QImage> FImages;
};

}  // namespace quimba::widgets
