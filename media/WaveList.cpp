// The program's sounds: loading them and starting a copy of one, silently when there is no output.
#include "WaveList.h"

#include <QFile>

namespace quimba {

TWaveList::TWaveList(QObject* parent, OutputSource output) : QObject(parent), source_(std::move(output)) {}

TWaveList::~TWaveList() {
    // The copies are children and go with us; their count no longer matters.
    for (QObject* child : children()) child->disconnect(this);
}

int TWaveList::Add(const TWaveData& wave) {
    if (wave.channels < 1 || wave.sampleRate <= 0 || wave.pcm.isEmpty()) return -1;
    items_.push_back({wave, ClampFrequency(wave.sampleRate)});
    return Count() - 1;
}

int TWaveList::AddFromData(const QByteArray& wavBytes, QString* error) {
    auto wave = ParseWave(wavBytes, error);
    if (!wave) return -1;
    return Add(*wave);
}

int TWaveList::AddFromFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return -1;
    }
    QString why;
    const int item = AddFromData(file.readAll(), &why);
    if (item < 0 && error) *error = QStringLiteral("%1: %2").arg(path, why);
    return item;
}

const TWaveData* TWaveList::Item(int item) const {
    if (item < 0 || item >= Count()) return nullptr;
    return &items_[std::size_t(item)].wave;
}

int TWaveList::Frequency(int item) const {
    if (item < 0 || item >= Count()) return 0;
    return items_[std::size_t(item)].frequency;
}

void TWaveList::SetFrequency(int item, int hz) {
    if (item < 0 || item >= Count()) return;
    items_[std::size_t(item)].frequency = ClampFrequency(hz);
}

bool TWaveList::Play(int item) {
    if (item < 0 || item >= Count()) return false;
    if (source_) {
        output_ = source_();
        source_ = nullptr;  // asked once, whatever it answered
    }
    if (!output_) return false;
    const Entry& e = items_[std::size_t(item)];
    QObject* copy = output_->Start(e.wave.pcm, e.wave.channels, e.frequency, this);
    if (!copy) return false;
    ++playing_;
    connect(copy, &QObject::destroyed, this, [this] { --playing_; });
    return true;
}

}  // namespace quimba
