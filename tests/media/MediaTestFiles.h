#pragma once
// Bytes of small bitmap and wave files, written out field by field so the
// tests control every header value; and the first pixel where two pictures
// differ.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>

namespace mediatest {

// Where `got` first differs from `want` (alpha aside), or "" when it does not.
inline QString FirstDifference(const QImage& got, const QImage& want) {
    if (got.size() != want.size())
        return QStringLiteral("size %1x%2, want %3x%4")
            .arg(got.width())
            .arg(got.height())
            .arg(want.width())
            .arg(want.height());
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x)
            if ((got.pixel(x, y) & 0xffffff) != (want.pixel(x, y) & 0xffffff))
                return QStringLiteral("(%1,%2): got %3 want %4")
                    .arg(x)
                    .arg(y)
                    .arg(got.pixel(x, y) & 0xffffff, 6, 16, QChar('0'))
                    .arg(want.pixel(x, y) & 0xffffff, 6, 16, QChar('0'));
    return QString();
}

inline void Put16(QByteArray& b, std::uint32_t v) {
    b.append(char(v & 0xff));
    b.append(char((v >> 8) & 0xff));
}

inline void Put32(QByteArray& b, std::uint32_t v) {
    Put16(b, v & 0xffff);
    Put16(b, v >> 16);
}

// A 24-bit uncompressed bitmap of `image`; rows bottom-up unless topDown.
inline QByteArray Bitmap24(const QImage& image, bool topDown = false) {
    const int w = image.width(), h = image.height();
    const int stride = (w * 3 + 3) / 4 * 4;
    QByteArray b;
    b.append("BM");
    Put32(b, std::uint32_t(54 + stride * h));
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, std::uint32_t(w));
    Put32(b, std::uint32_t(topDown ? -h : h));
    Put16(b, 1);
    Put16(b, 24);
    Put32(b, 0);
    Put32(b, std::uint32_t(stride * h));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    for (int i = 0; i < h; ++i) {
        const int row = topDown ? i : h - 1 - i;
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, row);
            b.append(char(qBlue(c)));
            b.append(char(qGreen(c)));
            b.append(char(qRed(c)));
        }
        for (int pad = w * 3; pad < stride; ++pad) b.append(char(0x5a));  // junk padding must be ignored
    }
    return b;
}

inline QByteArray Chunk(const char* id, const QByteArray& body, bool pad = true) {
    QByteArray b(id, 4);
    Put32(b, std::uint32_t(body.size()));
    b.append(body);
    if (pad && body.size() % 2) b.append('\0');
    return b;
}

inline QByteArray FmtBody(std::uint32_t format, std::uint32_t channels, std::uint32_t rate, std::uint32_t bits,
                          std::uint32_t blockAlign) {
    QByteArray b;
    Put16(b, format);
    Put16(b, channels);
    Put32(b, rate);
    Put32(b, rate * blockAlign);
    Put16(b, blockAlign);
    Put16(b, bits);
    return b;
}

inline QByteArray Pcm16Fmt(int channels, int rate) {
    return Chunk("fmt ", FmtBody(1, std::uint32_t(channels), std::uint32_t(rate), 16, std::uint32_t(channels * 2)));
}

// Distinct samples: frame f, channel c holds 1000 * c + f (wrapping).
inline QByteArray Samples(int channels, int frames) {
    QByteArray b;
    for (int f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c) Put16(b, std::uint32_t(1000 * c + f) & 0xffff);
    return b;
}

inline QByteArray Riff(const QByteArray& chunks) {
    QByteArray b("RIFF");
    Put32(b, std::uint32_t(4 + chunks.size()));
    b.append("WAVE");
    b.append(chunks);
    return b;
}

inline QByteArray Wave(int channels, int rate, int frames) {
    return Riff(Pcm16Fmt(channels, rate) + Chunk("data", Samples(channels, frames)));
}

}  // namespace mediatest
