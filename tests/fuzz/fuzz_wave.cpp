// The wave reader: any bytes give whole 16-bit frames taken from the input,
// or a reason.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "WaveData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString why;
    const auto wave = quimba::ParseWave(bytes, &why);
    if (!wave) {
        FUZZ_CHECK(!why.isEmpty());
        return 0;
    }
    FUZZ_CHECK(wave->channels == 1 || wave->channels == 2);
    FUZZ_CHECK(wave->sampleRate > 0);
    FUZZ_CHECK(wave->Frames() > 0);
    FUZZ_CHECK(wave->pcm.size() % wave->BytesPerFrame() == 0);
    FUZZ_CHECK(wave->pcm.size() + 44 <= bytes.size());
    FUZZ_CHECK(bytes.contains(wave->pcm));
    return 0;
}
