#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>
#include <cstring>
#include <memory>

#include "PartyStore.h"

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
    if (!loaded) return 1;
    Print(stdout, QString("lines: %1").arg(game.T.size()));
    Print(stdout, QString("best scores: %1").arg(game.ListBoxScore.Items().size()));
    Print(stdout, "player: " + QString::fromStdString(game.Line(19)));
    return 0;
}

// --export-history FILE writes the recorded games as CSV before any window or
// display is needed; the status is 0 on success, 1 with a message otherwise.
int ExportHistory(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const char* value = nullptr;
        if (std::strcmp(argv[i], "--export-history") == 0) {
            if (i + 1 >= argc) break;
            value = argv[i + 1];
        } else if (std::strncmp(argv[i], "--export-history=", 17) == 0) {
            value = argv[i] + 17;
        }
        if (!value) continue;
        const quimba::Status done = quimba::store::ExportHistoryFile(quimba::store::DefaultDatabasePath(), value);
        if (!done.Ok()) std::fprintf(stderr, "quimba3d: %s\n", done.Error().c_str());
        return done.Ok() ? 0 : 1;
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int exported = ExportHistory(argc, argv); exported >= 0) return exported;
    QApplication app(argc, argv);
    quimba::ui::SetUpApplication();

    QCommandLineParser parser;
    parser.setApplicationDescription("3D QUIMBA, a dice game for two to five players.");
    parser.addHelpOption();
    parser.addVersionOption();
    quimba::ui::AddOptions(parser);
    // Handled above, before the application; listed here for --help.
    parser.addOption({"export-history", "Writes every recorded game to <file> as CSV, then quits.", "file"});
    parser.process(app);

    const QString programDir = QDir(QApplication::applicationDirPath()).absolutePath() + "/";
    quimba::ui::Windows windows =
        quimba::ui::CreateWindows(quimba::ui::LocateFiles(programDir, quimba::ui::FileRequestFrom(parser)));
    std::unique_ptr<quimba::ui::TForm1> main(windows.Form1);
    if (quimba::ui::CheckRequested(parser)) return Check(windows);
    if (!quimba::ui::LoadStartupFiles(windows)) return 1;
    main->show();
    return app.exec();
}
