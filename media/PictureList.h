#pragma once
// The picture set drawn on the dice table: pictures by index, each drawn
// whole at a given corner, with the pixels of its transparent colour
// skipped and everything past the target's edges clipped.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace quimba {

// The picture held in a file, with the checks every picture of the game goes
// through: the file must open, a bitmap's headers must match the bytes
// present, and the decoder must find a picture. On failure `image` is left
// alone and `error` gets the reason (without the path).
// Only a regular file (or a link to one) of at most kMaxPictureFileBytes is
// read; a folder, FIFO or device is named as what it is.
inline constexpr qint64 kMaxPictureFileBytes = 32 * 1024 * 1024;
bool ReadPictureFile(const QString& path, QImage& image, QString* error = nullptr);
bool DecodePicture(const QByteArray& bytes, QImage& image, QString* error = nullptr);

class TPictureList {
public:
    // Indices at or above this are refused, so a stray index cannot make
    // the list allocate without bound.
    static constexpr int kMaxPictures = 256;
    // What the pictures are kept and drawn in; a picture already in it is
    // taken as it is.
    static constexpr QImage::Format kFormat = QImage::Format_RGB32;

    // Replaces picture `index` (the list grows as needed). A missing file,
    // a file cut short or one that holds no readable picture leaves the
    // picture as it was and returns false with the reason.
    bool LoadFromFile(int index, const QString& path, QString* error = nullptr);
    bool LoadFromData(int index, const QByteArray& bytes, QString* error = nullptr);
    // Pictures made in code; a null image empties the slot.
    bool SetPicture(int index, const QImage& image);

    // Pixels of this colour (alpha ignored) are not drawn from then on.
    void SetTransparentColor(int index, QRgb colour);
    std::optional<QRgb> TransparentColor(int index) const;

    // Top-left corner at (x, y), no scaling; an empty or unknown picture
    // draws nothing.
    void Draw(QImage& target, int index, int x, int y) const;

    // The stored picture (32-bit RGB), or a null image for an unknown index.
    const QImage& Picture(int index) const;
    int Count() const { return int(entries_.size()); }

private:
    struct Run {
        std::int32_t x;
        std::int32_t length;
    };
    struct Entry {
        QImage image;
        std::optional<QRgb> key;
        std::vector<Run> runs;              // opaque spans, row after row
        std::vector<std::int32_t> rowRuns;  // runs of row r: [rowRuns[r], rowRuns[r + 1])
    };

    Entry* Slot(int index, QString* error);
    static void BuildRuns(Entry& entry);
    void DrawSlow(QImage& target, const Entry& e, int x, int y, int x0, int x1, int y0, int y1) const;

    std::vector<Entry> entries_;
};

}  // namespace quimba
