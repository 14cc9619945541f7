// Program start: the windows created in order, their texts and pictures loaded, then the main window shown.
#include "Startup.h"

#include <QApplication>
#include <QIcon>

#include "TForm1.h"
#include "TForm2.h"
#include "TForm4.h"
#include "TForm5.h"

namespace quimba::ui {

Windows CreateWindows(const QString& programDir, std::unique_ptr<RandomSource> random) {
    return CreateWindows(LocateFiles(programDir), std::move(random));
}

Windows CreateWindows(const ProgramFiles& files, std::unique_ptr<RandomSource> random) {
    Windows w;
    w.Form1 = new TForm1(files, std::move(random));
    w.Form2 = new TForm2(w.Form1);
    w.Form4 = new TForm4(w.Form1);
    w.Form5 = new TForm5(w.Form1);
    w.Form1->SetDialogs(w.Form2, w.Form4, w.Form5);
    return w;
}

bool LoadStartupFiles(Windows& w) { return w.Form1->chargetextes(); }

namespace {
const QString kLangOption = "lang";
const QString kCheckOption = "check";
const QString kExportHistoryOption = "export-history";
}  // namespace

namespace {
// Whether a windowing system was named: Qt's own -platform option, or the
// environment that the platform plugins read.
bool DisplayChosen(const QStringList& arguments) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(name)) return true;
    return arguments.contains("-platform") || arguments.contains("--platform");
}
}  // namespace

Launch LaunchFor(const QStringList& arguments) {
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    // Errors are reported by the real parse, once Qt has taken its own options
    // (-platform, -style, ...) out; without a display that parse is made
    // without the windowing system, so a mistyped option gets its message.
    if (!parser.parse(arguments) && !DisplayChosen(arguments)) return Launch::Answer;
    if (parser.isSet("help") || parser.isSet("help-all") || parser.isSet("version")) return Launch::Answer;
    if (parser.isSet(kExportHistoryOption)) return Launch::Answer;
    return parser.isSet(kCheckOption) ? Launch::Check : Launch::Play;
}

void DescribeCommandLine(QCommandLineParser& parser) {
    parser.setApplicationDescription("3D QUIMBA, a dice game for two to five players.");
    parser.addHelpOption();
    parser.addVersionOption();
    AddOptions(parser);
}

void AddOptions(QCommandLineParser& parser) {
    parser.addOption({kLangOption, "Language file to use, by name in the data folder, or a path.", "FILE"});
    parser.addOption({kCheckOption, "Load the game's files, say where they are, and quit."});
    parser.addOption(
        {kExportHistoryOption, "Write every recorded game to FILE as CSV (- for the terminal), and quit.", "FILE"});
    // Further options of the game go here, so that --help lists them and the
    // man page's OPTIONS follow.
}

FileRequest FileRequestFrom(const QCommandLineParser& parser) {
    FileRequest request;
    request.language = parser.value(kLangOption);
    return request;
}

bool CheckRequested(const QCommandLineParser& parser) { return parser.isSet(kCheckOption); }

QString ExportHistoryRequested(const QCommandLineParser& parser) { return parser.value(kExportHistoryOption); }

void SetUpApplication() {
    QApplication::setApplicationName("3DQUIMBA");
    // Names the per-user data folder, beside the settings of the same names.
    QApplication::setOrganizationName("FENTORIX");
    QApplication::setApplicationVersion(QUIMBA_VERSION);
    // Lets the desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QUIMBA_APP_ID);
    // The task bar shows the die even where the desktop file is not found
    // (a build folder): the icon is drawn for each size, not scaled down.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QIcon icon;
        for (int size : {16, 22, 24, 32, 48, 128}) icon.addFile(QString(":/icons/%1.png").arg(size), QSize(size, size));
        QGuiApplication::setWindowIcon(icon);
    }
}

}  // namespace quimba::ui
