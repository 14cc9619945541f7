#pragma once
// Where the game's files are: the language file and the pictures beside the
// program (a build folder or an unpacked copy) or in the installed data
// folder, and the best-scores list beside the program when it may write
// there, else in the player's own data folder.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

namespace quimba::ui {

inline constexpr const char* kEnglishFileName = "english.lan";
// The data folder of an installed copy, relative to the program's folder
// (games/ or bin/ under the prefix).
inline constexpr const char* kInstalledDataDir = "../share/games/quimba3d";

struct ProgramFiles {
    QString programDir;    // the executable's folder, ending in '/'
    QString dataDir;       // holds the language files and bitmaps/, ending in '/'
    QString languageFile;  // the chosen language file
    QString scoresFile;    // where the best-scores list is saved
    // Where the list is read from at start: scoresFile, or a list left
    // beside a program that may not write there, until the player's own
    // copy exists.
    QString scoresStart;
    // The list in the other place, when there is one: the player's own list
    // while the list beside the program is saved, or the one beside a
    // program that may not write there until the player's own exists. What
    // it holds joins the list at start, so no entry saved in either place is
    // lost from view; the player's own is removed once its entries are saved
    // beside the program.
    QString scoresAlso;
    QDateTime scoresAlsoStamp;  // its time of change when it was read
    // The list was too large to show at start, and the player was told.
    bool scoresHeldBack = false;
};

struct FileRequest {
    QString language;  // a file name in the data folder, or a path; empty: by locale
    QLocale::Language localeLanguage = QLocale().language();
    QString userDataDir;  // empty: the per-user application data folder
    // Whether a folder may be written; empty: ask the file system.
    std::function<bool(const QString&)> writable;
};

ProgramFiles LocateFiles(const QString& programDir, const FileRequest& request = {});

// Where the sound plugin may be, in the order it is looked for: beside the
// program (a build folder), then the installed copy's library folder.
QStringList SoundPluginFolders(const ProgramFiles& files);

}  // namespace quimba::ui
