#pragma once
// Program start: the four windows in order, texts and pictures, then the
// main window. Returns the exit code.

#include <QCommandLineParser>
#include <QString>

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

// What a command line asks for, known before any application object exists:
// an answer on the terminal (help, version, the export of the recorded
// games), the check of the files, or a game.
enum class Launch { Answer, Check, Play };
Launch LaunchFor(const QStringList& arguments);

// Every option, with the program's description, as --help lists them.
void DescribeCommandLine(QCommandLineParser& parser);
// The game's own options, --lang FILE and --check, and what they ask for.
void AddOptions(QCommandLineParser& parser);
FileRequest FileRequestFrom(const QCommandLineParser& parser);
// The file --export-history names; empty when not asked.
QString ExportHistoryRequested(const QCommandLineParser& parser);
bool CheckRequested(const QCommandLineParser& parser);

// Names the application and, in a windowed run, gives it the die as its
// window icon. No display name is set: the platform would append it to every
// window title, and the captions are the game's own.
void SetUpApplication();

}  // namespace quimba::ui
