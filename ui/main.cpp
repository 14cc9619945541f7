#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>
#include <memory>

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
    Print(stdout, QString("lines: %1").arg(game.T.size()));
    Print(stdout, QString("best scores: %1").arg(game.ListBoxScore.Items().size()));
    Print(stdout, "player: " + QString::fromStdString(game.Line(19)));
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quimba::ui::SetUpApplication();

    QCommandLineParser parser;
    parser.setApplicationDescription("3D QUIMBA, a dice game for two to five players.");
    parser.addHelpOption();
    parser.addVersionOption();
    quimba::ui::AddOptions(parser);
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
