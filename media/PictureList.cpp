// The dice table's pictures: loading them and drawing each with its transparent colour skipped and clipped to the
// table.
#include "PictureList.h"

#include "BmpCheck.h"
#include "ByteReading.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quimba {

namespace {

constexpr QRgb kRgbMask = 0x00ffffffu;

bool IsDirect32(QImage::Format f) {
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

TPictureList::Entry* TPictureList::Slot(int index, QString* error) {
    if (index < 0 || index >= kMaxPictures) {
        LoadFailed(error, QStringLiteral("picture index %1 out of range").arg(index));
        return nullptr;
    }
    if (index >= Count()) entries_.resize(std::size_t(index) + 1);
    return &entries_[std::size_t(index)];
}

bool ReadPictureFile(const QString& path, QImage& image, QString* error) {
    // Type and size come first: a FIFO or a device would be waited on or
    // read for ever, and a file larger than any picture of the game would
    // only cost memory and time before the decoder refused it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) return LoadFailed(error, QStringLiteral("file not found"));
        return LoadFailed(error, QString::fromLocal8Bit(std::strerror(errno)));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return LoadFailed(error, file.errorString());
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) return LoadFailed(error, QString::fromLocal8Bit(std::strerror(errno)));
    if (S_ISDIR(st.st_mode)) return LoadFailed(error, QStringLiteral("a folder, not a picture file"));
    if (S_ISFIFO(st.st_mode)) return LoadFailed(error, QStringLiteral("a FIFO, not a picture file"));
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return LoadFailed(error, QStringLiteral("a device, not a picture file"));
    if (!S_ISREG(st.st_mode)) return LoadFailed(error, QStringLiteral("not a regular file"));
    if (st.st_size > kMaxPictureFileBytes)
        return LoadFailed(error, QStringLiteral("file too large for a picture (%1 bytes, at most %2)")
                                     .arg(qint64(st.st_size))
                                     .arg(kMaxPictureFileBytes));
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // A buffer of the size just seen, not of the limit: asking for the limit
    // would take 32 MiB for every picture. One byte more tells a file that
    // grew meanwhile; it is read on, up to one byte more than allowed.
    QByteArray bytes(std::min<qint64>(st.st_size, kMaxPictureFileBytes) + 1, Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        const qint64 n = file.read(bytes.data() + got, bytes.size() - got);
        if (n < 0) return LoadFailed(error, file.errorString());
        got += n;
        if (got < bytes.size() || got > kMaxPictureFileBytes) break;
        bytes.resize(std::min<qint64>(bytes.size() * 2, kMaxPictureFileBytes + 1));
    }
    bytes.truncate(got);
    if (got > kMaxPictureFileBytes) return LoadFailed(error, QStringLiteral("file too large for a picture"));
    return DecodePicture(bytes, image, error);
}

bool DecodePicture(const QByteArray& bytes, QImage& image, QString* error) {
    if (bytes.isEmpty()) return LoadFailed(error, QStringLiteral("empty file"));
    if (!CheckBitmapBytes(bytes, error)) return false;
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    // The bytes were checked to be a bitmap: naming the format spares the
    // reader from asking every image plugin whether it knows them.
    QImageReader reader(&buffer, "bmp");
    QImage decoded = reader.read();
    if (decoded.isNull())
        return LoadFailed(error, QStringLiteral("not a readable picture (%1)").arg(reader.errorString()));
    image = decoded;
    return true;
}

bool TPictureList::LoadFromFile(int index, const QString& path, QString* error) {
    if (index < 0 || index >= kMaxPictures)
        return LoadFailed(error, QStringLiteral("picture index %1 out of range").arg(index));
    QImage image;
    QString why;
    if (!ReadPictureFile(path, image, &why)) return LoadFailed(error, QStringLiteral("%1: %2").arg(path, why));
    return SetPicture(index, image);
}

bool TPictureList::LoadFromData(int index, const QByteArray& bytes, QString* error) {
    if (index < 0 || index >= kMaxPictures)
        return LoadFailed(error, QStringLiteral("picture index %1 out of range").arg(index));
    QImage image;
    if (!DecodePicture(bytes, image, error)) return false;
    return SetPicture(index, image);
}

bool TPictureList::SetPicture(int index, const QImage& image) {
    Entry* e = Slot(index, nullptr);
    if (!e) return false;
    e->image = image.isNull() ? QImage() : image.convertToFormat(kFormat);
    BuildRuns(*e);
    return true;
}

void TPictureList::SetTransparentColor(int index, QRgb colour) {
    Entry* e = Slot(index, nullptr);
    if (!e) return;
    e->key = colour & kRgbMask;
    BuildRuns(*e);
}

std::optional<QRgb> TPictureList::TransparentColor(int index) const {
    if (index < 0 || index >= Count()) return std::nullopt;
    return entries_[std::size_t(index)].key;
}

const QImage& TPictureList::Picture(int index) const {
    static const QImage none;
    if (index < 0 || index >= Count()) return none;
    return entries_[std::size_t(index)].image;
}

void TPictureList::BuildRuns(Entry& e) {
    e.runs.clear();
    e.rowRuns.assign(1, 0);
    const int w = e.image.width();
    const int h = e.image.height();
    e.rowRuns.reserve(std::size_t(h) + 1);
    for (int row = 0; row < h; ++row) {
        const auto* px = reinterpret_cast<const QRgb*>(e.image.constScanLine(row));
        int c = 0;
        while (c < w) {
            if (e.key) {
                while (c < w && (px[c] & kRgbMask) == *e.key) ++c;
            }
            const int start = c;
            if (e.key) {
                while (c < w && (px[c] & kRgbMask) != *e.key) ++c;
            } else {
                c = w;
            }
            if (c > start) e.runs.push_back({start, c - start});
        }
        e.rowRuns.push_back(std::int32_t(e.runs.size()));
    }
}

void TPictureList::Draw(QImage& target, int index, int x, int y) const {
    if (index < 0 || index >= Count() || target.isNull()) return;
    const Entry& e = entries_[std::size_t(index)];
    if (e.image.isNull()) return;

    // Visible part of the picture, in picture coordinates; 64-bit so that
    // a far-off position cannot overflow.
    const long long w = e.image.width(), h = e.image.height();
    const long long x0 = std::max(0LL, -(long long)x);
    const long long x1 = std::min(w, (long long)target.width() - x);
    const long long y0 = std::max(0LL, -(long long)y);
    const long long y1 = std::min(h, (long long)target.height() - y);
    if (x0 >= x1 || y0 >= y1) return;

    if (!IsDirect32(target.format())) {
        DrawSlow(target, e, x, y, int(x0), int(x1), int(y0), int(y1));
        return;
    }
    const int cx0 = int(x0), cx1 = int(x1);
    for (int row = int(y0); row < int(y1); ++row) {
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(y + row));
        const auto* src = reinterpret_cast<const QRgb*>(e.image.constScanLine(row));
        const Run* run = e.runs.data() + e.rowRuns[std::size_t(row)];
        const Run* end = e.runs.data() + e.rowRuns[std::size_t(row) + 1];
        for (; run != end; ++run) {
            const int s = std::max(run->x, cx0);
            const int t = std::min(run->x + run->length, cx1);
            if (s < t) std::memcpy(line + (x + s), src + s, std::size_t(t - s) * sizeof(QRgb));
        }
    }
}

// Any other target format: the same runs, copied through a painter.
void TPictureList::DrawSlow(QImage& target, const Entry& e, int x, int y, int x0, int x1, int y0, int y1) const {
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int row = y0; row < y1; ++row) {
        for (std::int32_t r = e.rowRuns[std::size_t(row)]; r < e.rowRuns[std::size_t(row) + 1]; ++r) {
            const Run& run = e.runs[std::size_t(r)];
            const int s = std::max(run.x, x0);
            const int t = std::min(run.x + run.length, x1);
            if (s < t) painter.drawImage(QPoint(x + s, y + row), e.image, QRect(s, row, t - s, 1));
        }
    }
}

}  // namespace quimba
