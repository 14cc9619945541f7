#pragma once
// The program's stored sounds, each with its own playback frequency.
// Playing never waits and never fails loudly: with no output device, or
// when the output will not start, the sound is simply not heard.

#include "WaveData.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "SoundOutput.h"

namespace quimba {

class TWaveList : public QObject {
    Q_OBJECT
public:
    using OutputSource = std::function<std::unique_ptr<SoundOutput>()>;

    // The output is made at the first play, and asked once: with none
    // (no source, or none made) every sound is silent.
    explicit TWaveList(QObject* parent = nullptr, OutputSource output = {});
    ~TWaveList() override;

    // Adds a sound; returns its item number, or -1 with the reason.
    int AddFromData(const QByteArray& wavBytes, QString* error = nullptr);
    // Also takes Qt resource paths (":/...").
    int AddFromFile(const QString& path, QString* error = nullptr);
    int Add(const TWaveData& wave);

    int Count() const { return int(items_.size()); }
    const TWaveData* Item(int item) const;

    // Playback frequency in Hz; starts as the sound's sampling rate.
    // Kept whether or not anything can be played; 0 for an unknown item.
    int Frequency(int item) const;
    void SetFrequency(int item, int hz);

    // Starts one more copy of the sound and returns at once; true when a
    // copy is playing. Earlier copies play on.
    bool Play(int item);
    // Copies still playing.
    int Playing() const { return playing_; }

private:
    struct Entry {
        TWaveData wave;
        int frequency = 0;
    };
    std::vector<Entry> items_;
    OutputSource source_;  // until the first play
    std::unique_ptr<SoundOutput> output_;
    int playing_ = 0;
};

}  // namespace quimba
