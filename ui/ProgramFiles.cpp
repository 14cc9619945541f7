// Where the game finds its files: beside the program or in the installed data folder, and where "s.frd" may be written.
#include "ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QStandardPaths>

#include "BestScores.h"
#include "Language.h"

namespace quimba::ui {

namespace {

QString WithSeparator(const QString& dir) { return dir.endsWith('/') ? dir : dir + '/'; }

bool HoldsData(const QString& dir) {
    return QFileInfo::exists(dir + kLanguageFileName) || QFileInfo::exists(dir + kEnglishFileName) ||
           QFileInfo(dir + "bitmaps").isDir();
}

// A list file marked read-only is kept as it is, whoever runs the game (root
// included), so the player's games go to their own folder instead.
bool ListMayBeWritten(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists()) return true;
    const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return (info.permissions() & anyWrite) && info.isWritable();
}

}  // namespace

ProgramFiles LocateFiles(const QString& programDir, const FileRequest& request) {
    ProgramFiles f;
    f.programDir = WithSeparator(QDir::fromNativeSeparators(programDir));

    // Beside the program first, so a build folder runs as it is; an
    // installed copy keeps its data under share/. When neither holds
    // anything, the program's folder is named in the failure messages.
    const QString installed = WithSeparator(QDir::cleanPath(f.programDir + kInstalledDataDir));
    f.dataDir = HoldsData(f.programDir) || !HoldsData(installed) ? f.programDir : installed;

    if (!request.language.isEmpty()) {
        f.languageFile = request.language.contains('/') ? QFileInfo(request.language).absoluteFilePath()
                                                        : f.dataDir + request.language;
    } else if (request.localeLanguage != QLocale::French && QFileInfo::exists(f.dataDir + kEnglishFileName)) {
        f.languageFile = f.dataDir + kEnglishFileName;
    } else {
        f.languageFile = f.dataDir + kLanguageFileName;
    }

    // The list stays beside a self-contained program that may write its
    // folder and the list there. An installed program's folder is shared by
    // every user (and root could write into /usr/games), so there it is
    // always per user.
    const QString beside = f.programDir + kBestScoresFileName;
    const bool selfContained = f.dataDir == f.programDir;
    const bool writable = request.writable ? request.writable(f.programDir) : QFileInfo(f.programDir).isWritable();
    QString userDir = request.userDataDir.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                                    : request.userDataDir;
    // A relative folder (a relative XDG_DATA_HOME) would move with the
    // working folder; the base folder's rule is to ignore it.
    if (QDir::isRelativePath(userDir))
        userDir = QDir::homePath() + "/.local/share/" + QCoreApplication::organizationName() + '/' +
                  QCoreApplication::applicationName();
    const QString own = WithSeparator(QDir::fromNativeSeparators(userDir)) + kBestScoresFileName;
    if (selfContained && writable && ListMayBeWritten(beside)) {
        f.scoresFile = f.scoresStart = beside;
        // Entries saved in the player's own folder while this one could not
        // be written join the list here, once.
        if (QFileInfo::exists(own)) f.scoresAlso = own;
        return f;
    }
    f.scoresFile = own;
    // Until the player's own copy exists, a list left beside the program
    // is the starting list; it is read, never written, so nothing is lost.
    f.scoresStart = !QFileInfo::exists(f.scoresFile) && QFileInfo::exists(beside) ? beside : f.scoresFile;
    if (f.scoresStart != f.scoresFile) f.scoresAlso = f.scoresStart;
    return f;
}

QStringList SoundPluginFolders(const ProgramFiles& files) {
    return {files.programDir, QDir::cleanPath(files.programDir + QUIMBA_PLUGIN_DIR)};
}

}  // namespace quimba::ui
