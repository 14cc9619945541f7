// The picture reader: any bytes give a picture or a reason, never a crash;
// no header, whatever size it claims, makes it hold more than the decoder's
// bound.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstddef>
#include <cstdint>

#include "BmpCheck.h"
#include "FuzzCheck.h"
#include "PictureList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString why;
    const bool sound = quimba::CheckBitmapBytes(bytes, &why);
    FUZZ_CHECK(sound || !why.isEmpty());
    QImage image;
    QString error;
    const bool decoded = quimba::DecodePicture(bytes, image, &error);
    FUZZ_CHECK(decoded != image.isNull());
    FUZZ_CHECK(decoded || !error.isEmpty());
    // Memory stays bounded whatever size a header claims.
    FUZZ_CHECK(image.sizeInBytes() <= 256 * 1024 * 1024);
    return 0;
}
