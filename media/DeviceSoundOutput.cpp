// Playing a sound on the system's audio device, one output per copy.
#include "DeviceSoundOutput.h"

#include <QMediaDevices>

#include "SinkFormat.h"
#include "WavePlayback.h"

namespace quimba {

DeviceSoundOutput::DeviceSoundOutput(DeviceSource device) : device_(std::move(device)) {
    if (!device_) device_ = [] { return QMediaDevices::defaultAudioOutput(); };
}

QObject* DeviceSoundOutput::Start(const QByteArray& pcm, int channels, int frequency, QObject* parent) {
    const QAudioDevice device = device_();
    if (device.isNull()) return nullptr;
    TWaveData wave;
    wave.channels = channels;
    return TWavePlayback::Start(device, SinkFormat(wave, frequency), pcm, parent);
}

}  // namespace quimba
