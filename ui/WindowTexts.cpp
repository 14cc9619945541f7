// The captions and spoken texts of the four windows, from the language lines.
#include "WindowTexts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include "TGlassButton.h"
#include "UiWidgets.h"

namespace quimba::ui {

void ApplyWindowTexts(const WindowOf& windowOf, const std::function<QString(int)>& line) {
    std::vector<CaptionTarget> captions = CaptionLoadOrder();
    const std::vector<CaptionTarget>& added = AddedCaptions();
    captions.insert(captions.end(), added.begin(), added.end());
    for (const CaptionTarget& target : captions) {
        QWidget* window = windowOf(target.window);
        if (!window) continue;
        const QString text = line(target.line);
        if (QString(target.control) == "caption") {
            window->setWindowTitle(text);
            continue;
        }
        QWidget* control = window->findChild<QWidget*>(target.control);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setText(text);
            if (label->minimumWidth() == 0) label->adjustSize();
        } else if (auto* button = qobject_cast<TGlassButton*>(control)) {
            button->SetCaption(text);
        } else if (auto* box = qobject_cast<QAbstractButton*>(control)) {
            box->setText(text);
        } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
            group->setTitle(text);
        }
    }
    for (const SpokenTarget& target : SpokenTexts()) {
        QWidget* window = windowOf(target.window);
        QWidget* control = window ? window->findChild<QWidget*>(target.control) : nullptr;
        if (!control) continue;
        if (target.what == Spoken::Name)
            control->setAccessibleName(line(target.line));
        else
            control->setAccessibleDescription(line(target.line));
    }
}

}  // namespace quimba::ui
