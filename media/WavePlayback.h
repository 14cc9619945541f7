#pragma once
// One playing copy of a sound: its own output and its own buffer, both
// gone as soon as the copy has played out or failed.

#include <QAudioDevice>
#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QObject>

class QAudioSink;

namespace quimba {

class TWavePlayback : public QObject {
    Q_OBJECT
public:
    // Starts playing at once. Returns nullptr (and leaves nothing behind)
    // when the output refuses to start; otherwise the copy, owned by
    // `parent`, deletes itself when done.
    static TWavePlayback* Start(const QAudioDevice& device, const QAudioFormat& format, const QByteArray& pcm,
                                QObject* parent);
    ~TWavePlayback() override;

private:
    TWavePlayback(const QAudioDevice& device, const QAudioFormat& format, const QByteArray& pcm, QObject* parent);
    void Done();

    QByteArray pcm_;
    QBuffer buffer_;
    QAudioSink* sink_ = nullptr;
    bool done_ = false;
};

}  // namespace quimba
