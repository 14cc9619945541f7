// Loading the one best-scores list and saving it, with the best score, merged
// with the other copies of the game.
#include "ScoreFiles.h"

#include "Language.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

#include "BestScoresFile.h"
#include "FileAccess.h"
#include "Game.h"
#include "QtSettingsStore.h"

namespace quimba::ui {

namespace {

std::string Native(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

QString TooLargeMessage(const QString& path) {
    return QString(
               "The best-scores list \"%1\" is too large to show (more than %2 entries or %3 MiB). It is kept "
               "as it is, and new games are added at its end.")
        .arg(QDir::toNativeSeparators(path))
        .arg(kBestScoresMaxEntries)
        .arg(kBestScoresMaxBytes / (1024 * 1024));
}

}  // namespace

ScoresLoad LoadScoreLists(BestScores& list, ProgramFiles& files) {
    ScoresLoad out;
    if (!list.Empty()) return out;
    bool tooLarge = false;
    const Status loaded = LoadBestScores(list, Native(files.scoresFile), &tooLarge);
    if (tooLarge) {
        files.scoresHeldBack = true;
        out.message = TooLargeMessage(files.scoresFile);
    } else if (!loaded.Ok()) {
        return {false, QString::fromStdString(loaded.Error())};
    }
    if (files.scoresAlso.isEmpty()) return out;
    BestScores other;
    const Status also = LoadBestScores(other, Native(files.scoresAlso), &tooLarge);
    if (tooLarge) {
        // Too large to merge; it stays where it is, untouched.
        if (out.message.isEmpty()) out.message = TooLargeMessage(files.scoresAlso);
    } else if (!also.Ok()) {
        return {false, QString::fromStdString(also.Error())};
    } else if (!files.scoresHeldBack) {
        list.AddMissingLines(other.Lines());
        files.scoresAlsoStamp = QFileInfo(files.scoresAlso).lastModified();
    }
    return out;
}

QStringList SaveOnClose(Game& game, ProgramFiles& files) {
    QStringList messages;
    if (!game.Shown()) return messages;
    const std::string scores = Native(files.scoresFile);
    // The per-user folder is made on the first save only.
    const Status folder = MakeFolder(Native(QFileInfo(files.scoresFile).absolutePath()));
    {
        // Another copy may store a better score meanwhile: it is read again
        // and compared under the lock.
        std::optional<FileLock> lock;
        if (folder.Ok()) lock.emplace(scores + ".lock");
        QtSettingsStore store;
        game.FormClose(store);
        if (!store.Release()) messages << QString::fromStdString(game.Line(kLineSettingsNotSaved));
    }
    if (!folder.Ok()) {
        messages << QString("Cannot save file \"%1\". %2")
                        .arg(QDir::toNativeSeparators(files.scoresFile), QString::fromStdString(folder.Error()));
        return messages;
    }
    const Result<bool> saved = MergeBestScores(game.ListBoxScore, scores);
    if (!saved.Ok()) {
        messages << QString::fromStdString(saved.Error());
        return messages;
    }
    if (saved.Value() && !files.scoresHeldBack) messages << TooLargeMessage(files.scoresFile);
    // The player's own list, now held whole beside the program, goes, unless
    // it changed since it was read.
    const bool ownCarried = files.scoresFile == files.scoresStart && files.scoresAlsoStamp.isValid();
    if (!saved.Value() && ownCarried && QFileInfo(files.scoresAlso).lastModified() == files.scoresAlsoStamp)
        QFile::remove(files.scoresAlso);
    return messages;
}

}  // namespace quimba::ui
