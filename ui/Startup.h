#pragma once
// Program start: the four windows in order, texts and pictures, then the
// main window. Returns the exit code.

#include <QCommandLineParser>
#include <QString>

class QWidget;
#include <memory>

#include "Ports.h"
#include "ProgramFiles.h"

namespace quimba::ui {

class TForm1;
class TForm2;
class TForm4;
class TForm5;

struct Windows {
    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr;
};

// Creates the windows. The caller owns Form1 (the dialogs are its children).
Windows CreateWindows(const QString& programDir, std::unique_ptr<RandomSource> random = nullptr);
Windows CreateWindows(const ProgramFiles& files, std::unique_ptr<RandomSource> random = nullptr);
// Texts, pictures and the best-scores list; false when start-up must end.
bool LoadStartupFiles(Windows& w);

// The game's own options, --lang FILE and --check, and what they ask for.
void AddOptions(QCommandLineParser& parser);
FileRequest FileRequestFrom(const QCommandLineParser& parser);
bool CheckRequested(const QCommandLineParser& parser);

// Names the application. No display name is set: the platform would append
// it to every window title, and the captions are the game's own.
void SetUpApplication();

// Places a window in the middle of the screen's free area.
void CentreOnScreen(QWidget* window);

}  // namespace quimba::ui
