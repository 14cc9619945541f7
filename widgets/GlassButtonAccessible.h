#pragma once
// What screen readers see of a glass button: a push button named by its
// caption, which they can press.

#include <QAccessibleWidget>

class TGlassButton;

class GlassButtonAccessible : public QAccessibleWidget {
public:
    explicit GlassButtonAccessible(TGlassButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    TGlassButton* button() const;
};

// Registers the interface with the toolkit; safe to call more than once.
void InstallGlassButtonAccessibility();
