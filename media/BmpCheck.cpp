#include "BmpCheck.h"

#include "ByteReading.h"

#include <cstdint>
#include <cstdlib>

namespace quimba {

namespace {

constexpr qsizetype kFileHeader = 14;
constexpr std::uint32_t kCoreHeader = 12;  // the old OS/2 header
constexpr std::uint32_t kInfoHeader = 40;

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
        pixelBytes = stride * height;
    } else if (compression == kRle8 || compression == kRle4) {
        pixelBytes = sizeImage;  // the run data's own length, when the writer gave it
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
