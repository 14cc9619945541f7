#include "Startup.h"

#include <QApplication>
#include <QScreen>

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
}  // namespace

void AddOptions(QCommandLineParser& parser) {
    parser.addOption({kLangOption, "Language file to use, by name in the data folder, or a path.", "FILE"});
    parser.addOption({kCheckOption, "Load the game's files, say where they are, and quit."});
}

FileRequest FileRequestFrom(const QCommandLineParser& parser) {
    FileRequest request;
    request.language = parser.value(kLangOption);
    return request;
}

bool CheckRequested(const QCommandLineParser& parser) { return parser.isSet(kCheckOption); }

void SetUpApplication() {
    QApplication::setApplicationName("3DQUIMBA");
    // Names the per-user data folder, beside the settings of the same names.
    QApplication::setOrganizationName("FENTORIX");
    QApplication::setApplicationVersion(QUIMBA_VERSION);
    // Lets the desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QUIMBA_APP_ID);
}

void CentreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    window->move(area.left() + (area.width() - frame.width()) / 2, area.top() + (area.height() - frame.height()) / 2);
}

}  // namespace quimba::ui
