#pragma once
// A scratch program folder with the shipped data, and settings kept away
// from the user's own.

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "Startup.h"
#include "TForm1.h"

namespace quimba::uitest {

// Settings and the strategy cache go to a scratch folder.
inline void IsolateSettings(const QString& folder) {
    qputenv("XDG_CACHE_HOME", (folder + "/cache").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (folder + "/data").toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

// Copies the shipped language file and pictures into `dir`, and the English
// file when asked.
inline void LayData(const QString& dir, bool english = false) {
    const QString source = QStringLiteral(QUIMBA_DATA_DIR);
    QFile::copy(source + "/francais.lan", dir + "/francais.lan");
    if (english) QFile::copy(source + "/english.lan", dir + "/english.lan");
    QDir().mkpath(dir + "/bitmaps");
    for (const QString& name : QDir(source + "/bitmaps").entryList(QDir::Files))
        QFile::copy(source + "/bitmaps/" + name, dir + "/bitmaps/" + name);
}

// A fresh start for each test: stored settings cleared, a new scratch
// program folder holding the shipped data.
inline std::unique_ptr<QTemporaryDir> FreshProgramFolder() {
    QSettings("FENTORIX", "3DQUIMBA").clear();
    auto dir = std::make_unique<QTemporaryDir>();
    LayData(dir->path());
    // Games are recorded beside: a game one test leaves is not resumed by the next.
    qputenv("XDG_DATA_HOME", (dir->path() + "/data").toLocal8Bit());
    return dir;
}

// The four windows over a program folder, with the message boxes collected.
struct Program {
    quimba::ui::Windows w;
    std::unique_ptr<quimba::ui::TForm1> owner;
    QStringList messages;

    explicit Program(const QString& dir, std::unique_ptr<quimba::RandomSource> random = nullptr)
        : Program(quimba::ui::LocateFiles(dir + "/"), std::move(random)) {}
    explicit Program(const quimba::ui::ProgramFiles& files, std::unique_ptr<quimba::RandomSource> random = nullptr) {
        w = quimba::ui::CreateWindows(files, std::move(random));
        owner.reset(w.Form1);
        w.Form1->ShowMessage = [this](const QString& m) { messages << m; };
    }
    bool Start() { return quimba::ui::LoadStartupFiles(w); }
    // The whole game, for tests that lay out a position by hand.
    quimba::Game& game() { return w.Form1->GameForTests(); }
};

// A left click where a user would make it: the pointer moves there first.
inline void Click(QWidget* w, QPoint at = QPoint()) {
    if (at.isNull()) at = w->rect().center();
    QTest::mouseMove(w, at);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at);
}

// Runs the animation to its end through the window, as the frame timer would.
inline void Settle(quimba::ui::TForm1* main) {
    for (int frame = 0; frame < 200 && main->game().Controls().FrameTimerEnabled; ++frame) {
        main->Commands().FrameTimerTimer();
        main->Sync();
    }
}

}  // namespace quimba::uitest
