// The table of the main window's keys and the two ways it is read.
#include "KeyMap.h"

#include <QKeyEvent>
#include <QShortcut>
#include <QWidget>

namespace quimba::ui {

const std::vector<KeyBinding>& KeyMap::Bindings() {
    static const std::vector<KeyBinding> kBindings = [] {
        std::vector<KeyBinding> b{
            {.key = Qt::Key_N, .modifiers = Qt::ControlModifier, .command = KeyCommand::NewGame, .shortcut = true},
            {.key = Qt::Key_F1, .command = KeyCommand::Help, .shortcut = true},
            {.key = Qt::Key_S, .modifiers = Qt::ControlModifier, .command = KeyCommand::Scores, .shortcut = true},
            {.key = Qt::Key_H, .modifiers = Qt::ControlModifier, .command = KeyCommand::History, .shortcut = true},
            {.key = Qt::Key_Z, .modifiers = Qt::ControlModifier, .command = KeyCommand::Undo, .shortcut = true},
            {.key = Qt::Key_Q, .modifiers = Qt::ControlModifier, .command = KeyCommand::Quit, .shortcut = true},
            {.key = Qt::Key_F4, .command = KeyCommand::Review, .shortcut = true},
            {.key = Qt::Key_F6, .command = KeyCommand::Chances, .shortcut = true},
            {.key = Qt::Key_Space, .command = KeyCommand::Throw},
            {.key = Qt::Key_Return, .command = KeyCommand::Enter},
            {.key = Qt::Key_Enter, .command = KeyCommand::Enter},
            {.key = Qt::Key_Up, .command = KeyCommand::CursorUp, .repeats = true},
            {.key = Qt::Key_Down, .command = KeyCommand::CursorDown, .repeats = true},
            {.key = Qt::Key_Escape, .command = KeyCommand::Escape},
            {.key = Qt::Key_H, .command = KeyCommand::Advice, .anyModifier = true},
            {.key = Qt::Key_Question, .command = KeyCommand::Advice, .anyModifier = true},
        };
        for (int die = 1; die <= 5; ++die)
            b.push_back({.key = Qt::Key_0 + die, .command = KeyCommand::Die, .die = die});
        return b;
    }();
    return kBindings;
}

KeyMap::KeyMap(QWidget* window, Perform perform) : perform_(std::move(perform)) {
    // Window shortcuts: a modal dialog in front keeps them from firing.
    for (const KeyBinding& binding : Bindings()) {
        if (!binding.shortcut) continue;
        auto* shortcut = new QShortcut(QKeySequence(QKeyCombination(binding.modifiers, Qt::Key(binding.key))), window);
        QObject::connect(shortcut, &QShortcut::activated, window, [this, &binding] { perform_(binding); });
    }
}

bool KeyMap::Handle(const QKeyEvent& e) const {
    const Qt::KeyboardModifiers mods = e.modifiers() & ~Qt::KeypadModifier;
    for (const KeyBinding& binding : Bindings()) {
        // "?" may come as its own key or as the text of another.
        const bool question = binding.key == Qt::Key_Question && e.text() == "?";
        if (binding.key != e.key() && !question) continue;
        if (!binding.anyModifier && mods != binding.modifiers) continue;
        // A key held down repeats only the moves: repeated throws, picks and
        // commands would be accidents. A die key's repeats are still taken,
        // so they reach nothing else.
        if (e.isAutoRepeat() && !binding.repeats) return binding.command == KeyCommand::Die;
        perform_(binding);
        return true;
    }
    return false;
}

}  // namespace quimba::ui
