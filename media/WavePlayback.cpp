// One playing copy of a sound, with its own output and buffer, gone when it has played.
#include "WavePlayback.h"

#include <QAudioSink>

namespace quimba {

TWavePlayback::TWavePlayback(const QAudioDevice& device, const QAudioFormat& format, const QByteArray& pcm,
                             QObject* parent)
    : QObject(parent),
      pcm_(pcm),
      buffer_(&pcm_) {
    buffer_.open(QIODevice::ReadOnly);
    sink_ = new QAudioSink(device, format, this);
    connect(sink_, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState || state == QAudio::StoppedState) Done();
    });
}

TWavePlayback::~TWavePlayback() {
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
        delete sink_;  // before the buffer it reads from goes
        sink_ = nullptr;
    }
}

TWavePlayback* TWavePlayback::Start(const QAudioDevice& device, const QAudioFormat& format, const QByteArray& pcm,
                                    QObject* parent) {
    if (device.isNull() || !format.isValid() || pcm.isEmpty()) return nullptr;
    auto* copy = new TWavePlayback(device, format, pcm, parent);
    copy->sink_->start(&copy->buffer_);
    // Without a sound server start() fails at once and reports it only
    // here, with no state change to wait for.
    if (copy->sink_->error() != QAudio::NoError || copy->done_) {
        delete copy;
        return nullptr;
    }
    return copy;
}

void TWavePlayback::Done() {
    if (done_) return;
    done_ = true;
    deleteLater();
}

}  // namespace quimba
