#include <QApplication>
#include <QDir>
#include <memory>

#include "Startup.h"
#include "TForm1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quimba::ui::SetUpApplication();
    const QString programDir = QDir(QApplication::applicationDirPath()).absolutePath() + "/";

    quimba::ui::Windows windows = quimba::ui::CreateWindows(programDir);
    std::unique_ptr<quimba::ui::TForm1> main(windows.Form1);
    if (!quimba::ui::LoadStartupFiles(windows)) return 1;
    main->show();
    return app.exec();
}
