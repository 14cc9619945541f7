#pragma once
// The fonts of the game's layout by their Windows names, mapped to the
// metric-compatible or closest free fonts Debian ships.

#include <QFont>
#include <QString>

namespace quimba::ui {

QFont LayoutFont(const QString& windowsFamily, int pixelSize, bool bold = false);

}  // namespace quimba::ui
