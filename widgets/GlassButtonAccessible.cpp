// The screen readers' view of a glass button: a push button named by its caption.
#include "GlassButtonAccessible.h"

#include "TGlassButton.h"

namespace quimba::widgets {

GlassButtonAccessible::GlassButtonAccessible(TGlassButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

TGlassButton* GlassButtonAccessible::button() const { return static_cast<TGlassButton*>(widget()); }

QString GlassButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return button()->Caption();
    return QAccessibleWidget::text(t);
}

QAccessible::State GlassButtonAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = button()->Pressed() || button()->Down();
    return s;
}

QStringList GlassButtonAccessible::actionNames() const {
    QStringList names;
    if (widget()->isEnabled()) names << pressAction();
    return names + QAccessibleWidget::actionNames();
}

void GlassButtonAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction())
        button()->PerformClick();
    else
        QAccessibleWidget::doAction(actionName);
}

namespace {
QAccessibleInterface* GlassButtonFactory(const QString&, QObject* object) {
    if (auto* button = qobject_cast<TGlassButton*>(object)) return new GlassButtonAccessible(button);
    return nullptr;
}
}  // namespace

void InstallGlassButtonAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(GlassButtonFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace quimba::widgets
