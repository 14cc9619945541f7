#pragma once
// The sound output over the system's audio devices (Qt Multimedia): what
// the sound plugin makes, and what the tests play on directly.

#include <QAudioDevice>

#include <functional>

#include "SoundOutput.h"

namespace quimba {

class DeviceSoundOutput : public SoundOutput {
public:
    using DeviceSource = std::function<QAudioDevice()>;

    // With no source given, the system's default output is used, asked
    // afresh at every play so that a device plugged in later is found.
    explicit DeviceSoundOutput(DeviceSource device = {});

    QObject* Start(const QByteArray& pcm, int channels, int frequency, QObject* parent) override;

private:
    DeviceSource device_;
};

}  // namespace quimba
