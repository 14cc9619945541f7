// Reading a wave file's bytes into 16-bit PCM samples, refusing what is damaged or cut short.
#include "WaveData.h"

#include "ByteReading.h"

#include <algorithm>
#include <cstdint>

namespace quimba {

namespace {

std::optional<TWaveData> Fail(QString* error, const QString& why) {
    LoadFailed(error, why);
    return std::nullopt;
}

constexpr std::uint32_t kPcm = 1;
constexpr std::int64_t kChunkHeader = 8;
constexpr std::int64_t kFmtSize = 16;

}  // namespace

std::optional<TWaveData> ParseWave(const QByteArray& bytes, QString* error) {
    const char* b = bytes.constData();
    const std::int64_t size = bytes.size();
    if (size < 12 || bytes.left(4) != "RIFF" || bytes.mid(8, 4) != "WAVE")
        return Fail(error, QStringLiteral("not a RIFF/WAVE file"));

    // Trailing bytes past the declared RIFF length are not ours; a RIFF
    // length past the end of the bytes is tolerated as long as every
    // chunk we need is whole.
    const std::int64_t end = std::min<std::int64_t>(size, std::int64_t(ReadU32(bytes, 4)) + 8);

    bool haveFmt = false;
    TWaveData wave;
    const char* data = nullptr;
    std::int64_t dataSize = 0;

    std::int64_t at = 12;
    while (at + kChunkHeader <= end) {
        const QByteArray id = bytes.mid(at, 4);
        const std::int64_t length = ReadU32(bytes, at + 4);
        const std::int64_t body = at + kChunkHeader;
        if (body + length > end)
            return Fail(error, QStringLiteral("truncated '%1' chunk").arg(QString::fromLatin1(id)));
        if (id == "fmt ") {
            if (length < kFmtSize) return Fail(error, QStringLiteral("fmt chunk too short"));
            const std::uint32_t format = ReadU16(bytes, body);
            const std::uint32_t channels = ReadU16(bytes, body + 2);
            const std::uint32_t rate = ReadU32(bytes, body + 4);
            const std::uint32_t blockAlign = ReadU16(bytes, body + 12);
            const std::uint32_t bits = ReadU16(bytes, body + 14);
            if (format != kPcm) return Fail(error, QStringLiteral("not PCM (format %1)").arg(format));
            if (bits != 16) return Fail(error, QStringLiteral("%1-bit samples, 16 expected").arg(bits));
            if (channels != 1 && channels != 2)
                return Fail(error, QStringLiteral("%1 channels, 1 or 2 expected").arg(channels));
            if (rate == 0 || rate > 1000000) return Fail(error, QStringLiteral("bad sampling rate %1").arg(rate));
            if (blockAlign != channels * 2)
                return Fail(error, QStringLiteral("bad block alignment %1").arg(blockAlign));
            wave.channels = int(channels);
            wave.sampleRate = int(rate);
            haveFmt = true;
        } else if (id == "data" && !data) {
            data = b + body;
            dataSize = length;
        }
        at = body + length + (length & 1);  // chunks are padded to even lengths
    }

    if (!haveFmt) return Fail(error, QStringLiteral("no fmt chunk"));
    if (!data) return Fail(error, QStringLiteral("no data chunk"));
    // A last, partial frame cannot be played; drop it.
    const std::int64_t whole = dataSize - dataSize % wave.BytesPerFrame();
    if (whole == 0) return Fail(error, QStringLiteral("data chunk holds no sample"));
    wave.pcm = QByteArray(data, qsizetype(whole));
    return wave;
}

}  // namespace quimba
