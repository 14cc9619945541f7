// The output format a stored sound plays with, its frequency setting its speed and pitch.
#include "SinkFormat.h"

namespace quimba {

QAudioFormat SinkFormat(const TWaveData& wave, int frequency) {
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Int16);
    format.setChannelCount(wave.channels);
    format.setChannelConfig(QAudioFormat::defaultChannelConfigForChannelCount(wave.channels));
    format.setSampleRate(ClampFrequency(frequency));
    return format;
}

}  // namespace quimba
