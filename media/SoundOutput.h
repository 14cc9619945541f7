#pragma once
// Where the program's sounds go. The output that plays them is made by a
// plugin loaded at the first sound, so that starting the game neither
// loads nor links the multimedia libraries (a sixth of its start-up).

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace quimba {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts one copy of 16-bit `pcm` at `frequency` Hz and returns at once.
    // The copy is owned by `parent` and deletes itself once it has played;
    // nullptr when nothing can play it (no device, or it would not start).
    virtual QObject* Start(const QByteArray& pcm, int channels, int frequency, QObject* parent) = 0;
};

// The plugin's file name and the function it exports to make its output.
inline constexpr const char* kSoundPluginName = "quimba-sound";
inline constexpr const char* kSoundOutputMaker = "QuimbaMakeSoundOutput";
using SoundOutputMaker = SoundOutput* (*)();

// The output of the first of `folders` whose plugin loads; nullptr when
// none does. `found` is told the plugin's path.
std::unique_ptr<SoundOutput> LoadSoundOutput(const QStringList& folders, QString* found = nullptr);

}  // namespace quimba
