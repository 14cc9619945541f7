#include "NameEdit.h"

#include <QValidator>

namespace quimba::ui {

namespace {

class TypedLimit : public QValidator {
public:
    TypedLimit(QLineEdit* edit) : QValidator(edit), edit_(edit) {}
    State validate(QString& input, int&) const override {
        if (input.size() <= NameEdit::kTypedLimit || input.size() <= edit_->text().size()) return Acceptable;
        return Invalid;
    }

private:
    QLineEdit* edit_;
};

}  // namespace

NameEdit::NameEdit(QWidget* parent) : QLineEdit(parent) { setValidator(new TypedLimit(this)); }

}  // namespace quimba::ui
