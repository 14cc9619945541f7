// The layout's fonts by their Windows names, mapped to the free fonts Debian ships.
#include "Fonts.h"

namespace quimba::ui {

QFont LayoutFont(const QString& windowsFamily, int pixelSize, bool bold) {
    QString family = windowsFamily;
    // Impact is a heavy condensed face: the bold narrow sans comes closest.
    if (windowsFamily == "Impact") {
        family = "Liberation Sans Narrow";
        bold = true;
    } else if (windowsFamily == "Courier New") {
        family = "Liberation Mono";
    } else if (windowsFamily == "Comic Sans MS") {
        family = "Comic Neue";
    } else if (windowsFamily == "MS Serif") {
        family = "Liberation Serif";
    } else if (windowsFamily == "Arial" || windowsFamily == "Default") {
        family = "Liberation Sans";
    }
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace quimba::ui
