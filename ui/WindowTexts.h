#pragma once
// The language's lines laid onto the four windows: every caption, title and
// button text, and the names and descriptions screen readers speak.

#include <QString>
#include <QWidget>
#include <functional>

#include "Language.h"

namespace quimba::ui {

// The window of each kind, or nullptr for one that is not there.
using WindowOf = std::function<QWidget*(Window)>;

// Sets each control's text from line `line(n)` of the language, in the
// order the lines are read, then the spoken names and descriptions.
void ApplyWindowTexts(const WindowOf& windowOf, const std::function<QString(int)>& line);

}  // namespace quimba::ui
