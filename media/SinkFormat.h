#pragma once
// The output format a stored sound is played with. The samples go out
// unchanged at the playback frequency, so a higher frequency plays the
// sound faster and higher, a lower one slower and deeper, like a tape.

#include "WaveData.h"

#include <QAudioFormat>

namespace quimba {

inline constexpr int kMinFrequency = 100;
inline constexpr int kMaxFrequency = 200000;

// Playback frequencies outside what an output can take are pulled in.
int ClampFrequency(int hz);

QAudioFormat SinkFormat(const TWaveData& wave, int frequency);

}  // namespace quimba
