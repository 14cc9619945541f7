// The program's entry: reads the command line, then plays, checks the files
// or answers on the terminal.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>
#include <memory>

#include "PartyStore.h"
#include "SoundOutput.h"
#include "Startup.h"
#include "TForm1.h"

namespace {

void Print(std::FILE* to, const QString& text) { std::fputs(qUtf8Printable(text + '\n'), to); }

// Loads everything a start loads, says where each file was found and ends,
// without showing a window or writing anything.
int Check(quimba::ui::Windows& windows) {
    windows.Form1->ShowMessage = [](const QString& text) { Print(stderr, text); };
    const bool loaded = quimba::ui::LoadStartupFiles(windows);
    const quimba::ui::ProgramFiles& f = windows.Form1->Files();
    const quimba::Game& game = windows.Form1->game();
    Print(stdout, "program: " + QDir::toNativeSeparators(f.programDir));
    Print(stdout, "data: " + QDir::toNativeSeparators(f.dataDir));
    Print(stdout, "language: " + QDir::toNativeSeparators(f.languageFile));
    Print(stdout, "scores: " + QDir::toNativeSeparators(f.scoresFile));
    Print(stdout, "scores read from: " + QDir::toNativeSeparators(f.scoresStart));
    if (!f.scoresAlso.isEmpty()) Print(stdout, "scores merged from: " + QDir::toNativeSeparators(f.scoresAlso));
    if (!loaded) return 1;
    QString sound;
    const bool heard = quimba::LoadSoundOutput(quimba::ui::SoundPluginFolders(f), &sound) != nullptr;
    Print(stdout, "sound: " + (heard ? QDir::toNativeSeparators(sound) : QString("none")));
    Print(stdout, QString("lines: %1").arg(game.T.size()));
    Print(stdout, QString("best scores: %1").arg(game.ListBoxScore.Items().size()));
    Print(stdout, "player: " + QString::fromStdString(game.Line(19)));
    return 0;
}

// The application object the command line needs. Help and version are
// answered without the windowing system, and the check opens no window: none
// of them may need a display, so a terminal without one still gets them.
std::unique_ptr<QCoreApplication> ApplicationFor(int& argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    switch (quimba::ui::LaunchFor(arguments)) {
        case quimba::ui::Launch::Answer: return std::make_unique<QCoreApplication>(argc, argv);
        case quimba::ui::Launch::Check: qputenv("QT_QPA_PLATFORM", "offscreen"); break;
        case quimba::ui::Launch::Play: break;
    }
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::unique_ptr<QCoreApplication> app = ApplicationFor(argc, argv);
    quimba::ui::SetUpApplication();

    QCommandLineParser parser;
    quimba::ui::DescribeCommandLine(parser);
    // Ends the program after printing the help, the version or a bad option.
    parser.process(*app);

    if (const QString file = quimba::ui::ExportHistoryRequested(parser); !file.isEmpty()) {
        const quimba::Status done =
            quimba::store::ExportHistoryFile(quimba::store::DefaultDatabasePath(), file.toStdString());
        if (!done.Ok()) Print(stderr, "quimba3d: " + QString::fromStdString(done.Error()));
        return done.Ok() ? 0 : 1;
    }

    const QString programDir = QDir(QCoreApplication::applicationDirPath()).absolutePath() + "/";
    quimba::ui::Windows windows =
        quimba::ui::CreateWindows(quimba::ui::LocateFiles(programDir, quimba::ui::FileRequestFrom(parser)));
    std::unique_ptr<quimba::ui::TForm1> main(windows.Form1);
    if (quimba::ui::CheckRequested(parser)) return Check(windows);
    if (!quimba::ui::LoadStartupFiles(windows)) return 1;
    main->show();
    return app->exec();
}
