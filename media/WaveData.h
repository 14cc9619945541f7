#pragma once
// A stored sound: 16-bit PCM samples read from the bytes of a wave file.

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <optional>

namespace quimba {

struct TWaveData {
    int channels = 0;    // 1 or 2
    int sampleRate = 0;  // Hz, as recorded
    QByteArray pcm;      // interleaved little-endian 16-bit samples, whole frames only

    int BytesPerFrame() const { return channels * 2; }
    qsizetype Frames() const { return channels > 0 ? pcm.size() / BytesPerFrame() : 0; }
};

inline constexpr int kMinFrequency = 100;
inline constexpr int kMaxFrequency = 200000;

// Playback frequencies outside what an output can take are pulled in.
inline int ClampFrequency(int hz) { return std::clamp(hz, kMinFrequency, kMaxFrequency); }

// Reads RIFF/WAVE bytes holding 16-bit PCM, mono or stereo. Anything else,
// and any chunk that runs past the end of the bytes, gives nullopt with the
// reason in `error`.
std::optional<TWaveData> ParseWave(const QByteArray& bytes, QString* error = nullptr);

}  // namespace quimba
