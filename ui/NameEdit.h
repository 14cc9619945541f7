#pragma once
// A name field whose limit of four characters applies to typing only: a
// longer name set by the program (from the stored settings) is kept whole,
// and may still be shortened by the user.

#include <QLineEdit>

namespace quimba::ui {

class NameEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kTypedLimit = 4;
    explicit NameEdit(QWidget* parent = nullptr);
    // The text before the change being validated.
    const QString& Accepted() const { return accepted_; }

private:
    QString accepted_;
};

}  // namespace quimba::ui
