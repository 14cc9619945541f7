#pragma once
// A horizontal up-down control: two arrow buttons that report which was
// clicked, and keep no position of their own.

#include <QWidget>

class QToolButton;

namespace quimba::ui {

class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);
    QToolButton* Previous() const { return previous_; }
    QToolButton* Next() const { return next_; }

signals:
    void Clicked(bool next);

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    QToolButton* previous_;
    QToolButton* next_;
};

}  // namespace quimba::ui
