#pragma once
// Where a window opens: in the middle of its screen's free area.

class QWidget;

namespace quimba::ui {

// Places a window in the middle of the screen's free area (the primary screen
// when the window has none yet).
void CentreOnScreen(QWidget* window);

}  // namespace quimba::ui
