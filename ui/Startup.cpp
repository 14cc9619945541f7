#include "Startup.h"

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

}  // namespace quimba::ui
