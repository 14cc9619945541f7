#pragma once
// Sanity check of a Windows bitmap's headers against the bytes present.
// The image decoder happily returns a half-filled picture for a file cut
// short, so a truncated bitmap is caught here before decoding.

#include <QByteArray>
#include <QString>

namespace quimba {

// True when `bytes` does not start with the bitmap signature (not ours to
// judge) or when it is a bitmap whose headers are sound and whose pixel
// array is wholly present. Otherwise false, with the reason in `error`.
bool CheckBitmapBytes(const QByteArray& bytes, QString* error);

}  // namespace quimba
