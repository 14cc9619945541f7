// The bitmap header check: sizes, offsets and pixel data measured against the bytes present, before any decoding.
#include "BmpCheck.h"

#include "ByteReading.h"

#include <cstdint>
#include <cstdlib>

namespace quimba {

namespace {

constexpr qsizetype kFileHeader = 14;
constexpr std::uint32_t kCoreHeader = 12;  // the old OS/2 header
constexpr std::uint32_t kInfoHeader = 40;

// Walks the run-length codes from `at`: true when they reach the end-of-picture
// mark or pass the last row within the bytes.
bool RunsComplete(const QByteArray& bytes, qsizetype at, std::int64_t height, bool fourBits) {
    const qsizetype size = bytes.size();
    std::int64_t row = 0;
    while (row < height) {
        if (at + 2 > size) return false;
        const auto count = std::uint8_t(bytes[at]);
        const auto code = std::uint8_t(bytes[at + 1]);
        at += 2;
        if (count != 0) continue;  // a run of one value
        if (code == 0) {
            ++row;  // end of row
        } else if (code == 1) {
            return true;  // end of picture
        } else if (code == 2) {
            if (at + 2 > size) return false;
            row += std::uint8_t(bytes[at + 1]);  // a move down by that many rows
            at += 2;
        } else {
            // `code` values given literally, padded to an even length.
            const qsizetype literal = fourBits ? (code + 1) / 2 : code;
            at += literal + (literal & 1);
        }
    }
    return true;
}

}  // namespace

bool CheckBitmapBytes(const QByteArray& bytes, QString* error) {
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return true;
    if (bytes.size() < kFileHeader + 4) return LoadFailed(error, QStringLiteral("truncated bitmap header"));

    const std::uint32_t offBits = ReadU32(bytes, 10);
    const std::uint32_t infoSize = ReadU32(bytes, kFileHeader);
    if (infoSize < kCoreHeader) return LoadFailed(error, QStringLiteral("bad bitmap header size"));
    if (bytes.size() < kFileHeader + qsizetype(infoSize))
        return LoadFailed(error, QStringLiteral("truncated bitmap header"));

    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    if (infoSize == kCoreHeader) {
        width = ReadU16(bytes, kFileHeader + 4);
        height = ReadU16(bytes, kFileHeader + 6);
        bitCount = ReadU16(bytes, kFileHeader + 10);
    } else {
        if (infoSize < kInfoHeader) return LoadFailed(error, QStringLiteral("bad bitmap header size"));
        width = std::int32_t(ReadU32(bytes, kFileHeader + 4));
        height = std::int32_t(ReadU32(bytes, kFileHeader + 8));  // negative = rows top-down
        bitCount = ReadU16(bytes, kFileHeader + 14);
        compression = ReadU32(bytes, kFileHeader + 16);
        sizeImage = ReadU32(bytes, kFileHeader + 20);
    }
    height = std::llabs(height);
    if (width <= 0 || height <= 0) return LoadFailed(error, QStringLiteral("bitmap has no pixels"));
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32: break;
        default: return LoadFailed(error, QStringLiteral("unsupported bitmap depth %1").arg(bitCount));
    }

    std::int64_t pixelBytes = 0;
    constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
    if (compression == kRgb || compression == kBitFields) {
        const std::int64_t stride = ((width * bitCount + 31) / 32) * 4;
        // Header sizes near 2^31 both ways overflow 64 bits; no file holds
        // that much, so the product stops at a size that is missing anyway.
        if (__builtin_mul_overflow(stride, height, &pixelBytes)) pixelBytes = std::int64_t(1) << 62;
    } else if (compression == kRle8 || compression == kRle4) {
        // The run data's own length, when the writer gave it; either way the
        // runs must reach the last row or their end mark before the bytes end.
        pixelBytes = sizeImage;
        if (offBits < bytes.size() && !RunsComplete(bytes, offBits, height, compression == kRle4))
            return LoadFailed(error, QStringLiteral("truncated bitmap: the runs stop before the last row"));
    } else {
        return LoadFailed(error, QStringLiteral("unsupported bitmap compression %1").arg(compression));
    }
    if (offBits < kFileHeader + infoSize)
        return LoadFailed(error, QStringLiteral("bitmap pixel data overlaps its header"));
    if (std::int64_t(offBits) + pixelBytes > bytes.size())
        return LoadFailed(error, QStringLiteral("truncated bitmap: %1 bytes of pixel data missing")
                                     .arg(std::int64_t(offBits) + pixelBytes - bytes.size()));
    return true;
}

}  // namespace quimba
