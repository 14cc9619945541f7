#pragma once
// What the loaders of stored pictures and sounds share: little-endian
// numbers read from a file's bytes, and one way to report why a load failed.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace quimba {

// Unsigned little-endian numbers at byte `at`; the caller has checked that
// the bytes are there.
inline std::uint32_t ReadU16(const QByteArray& bytes, qsizetype at) {
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8;
}
inline std::uint32_t ReadU32(const QByteArray& bytes, qsizetype at) {
    return ReadU16(bytes, at) | ReadU16(bytes, at + 2) << 16;
}

// Gives the reason to a caller that asked for it (`error` may be null).
// Always false, so a loader can `return LoadFailed(error, why);`.
inline bool LoadFailed(QString* error, const QString& why) {
    if (error) *error = why;
    return false;
}

}  // namespace quimba
