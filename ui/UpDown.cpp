// The setup dialog's up-down control: two arrow buttons that report which was clicked.
#include "UpDown.h"

#include <QToolButton>

namespace quimba::ui {

UpDown::UpDown(QWidget* parent) : QWidget(parent), previous_(new QToolButton(this)), next_(new QToolButton(this)) {
    previous_->setArrowType(Qt::LeftArrow);
    next_->setArrowType(Qt::RightArrow);
    previous_->setObjectName("previous");
    next_->setObjectName("next");
    connect(previous_, &QToolButton::clicked, this, [this] { emit Clicked(false); });
    connect(next_, &QToolButton::clicked, this, [this] { emit Clicked(true); });
}

void UpDown::resizeEvent(QResizeEvent*) {
    const int half = width() / 2;
    previous_->setGeometry(0, 0, half, height());
    next_->setGeometry(half, 0, width() - half, height());
}

}  // namespace quimba::ui
