// The setup dialog's name field: four characters for typing, a longer stored name kept whole.
#include "NameEdit.h"

#include <QValidator>

namespace quimba::ui {

namespace {

class TypedLimit : public QValidator {
public:
    TypedLimit(NameEdit* edit) : QValidator(edit), edit_(edit) {}
    State validate(QString& input, int&) const override {
        if (input.size() <= NameEdit::kTypedLimit || input.size() <= edit_->Accepted().size()) return Acceptable;
        return Invalid;
    }

private:
    NameEdit* edit_;
};

}  // namespace

NameEdit::NameEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new TypedLimit(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
}

}  // namespace quimba::ui
