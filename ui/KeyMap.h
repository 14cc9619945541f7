#pragma once
// The main window's keys, written once: the window's shortcuts and the
// fallback for key presses that reach the window both read this table.

#include <QKeySequence>
#include <functional>
#include <vector>

class QKeyEvent;
class QWidget;

namespace quimba::ui {

enum class KeyCommand {
    NewGame,
    Help,
    Scores,
    History,
    Quit,
    Die,
    Throw,
    Enter,
    CursorUp,
    CursorDown,
    Escape,
    Advice,
    Undo,
    Review,
    Chances
};

struct KeyBinding {
    int key;                                           // Qt::Key
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;  // the keypad's flag never counts
    KeyCommand command;
    int die = 0;               // for KeyCommand::Die: the key's number 1..5
    bool shortcut = false;     // also a window shortcut, which fires whatever holds the focus
    bool repeats = false;      // a key held down repeats it (moves); others fire once
    bool anyModifier = false;  // "?" comes with Shift on most layouts
};

class KeyMap {
public:
    using Perform = std::function<void(const KeyBinding&)>;
    // Makes the window's shortcuts; `perform` runs each command.
    KeyMap(QWidget* window, Perform perform);

    static const std::vector<KeyBinding>& Bindings();

    // A key press the shortcuts did not take; true when it belongs to the game.
    bool Handle(const QKeyEvent& event) const;

private:
    Perform perform_;
};

}  // namespace quimba::ui
