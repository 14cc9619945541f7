#pragma once
// The output format a stored sound is played with. The samples go out
// unchanged at the playback frequency, so a higher frequency plays the
// sound faster and higher, a lower one slower and deeper, like a tape.

#include "WaveData.h"

#include <QAudioFormat>

namespace quimba {

QAudioFormat SinkFormat(const TWaveData& wave, int frequency);

}  // namespace quimba
