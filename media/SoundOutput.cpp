// Loading the sound output from its plugin.
#include "SoundOutput.h"

#include <QDir>
#include <QLibrary>

namespace quimba {

std::unique_ptr<SoundOutput> LoadSoundOutput(const QStringList& folders, QString* found) {
    for (const QString& folder : folders) {
        // Only the file in the named folder: never a library of that name
        // somewhere on the system's search path.
        QLibrary plugin(QDir(folder).absoluteFilePath(kSoundPluginName));
        // Stays loaded: the output's code must outlive every copy it plays.
        if (!plugin.load()) continue;
        const auto make = reinterpret_cast<SoundOutputMaker>(plugin.resolve(kSoundOutputMaker));
        if (!make) continue;
        std::unique_ptr<SoundOutput> output(make());
        if (!output) continue;
        if (found) *found = plugin.fileName();
        return output;
    }
    return nullptr;
}

}  // namespace quimba
