#include "platform/qt/spin_control.h"

#include <QKeyEvent>
#include <QToolButton>
#include <algorithm>

namespace tessaly {

SpinControl::SpinControl(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    up_->setAccessibleName(QStringLiteral("Up"));
    down_->setAccessibleName(QStringLiteral("Down"));
    setFocusPolicy(Qt::TabFocus);
    connect(up_, &QToolButton::clicked, this, &SpinControl::stepUp);
    connect(down_, &QToolButton::clicked, this, &SpinControl::stepDown);
}

void SpinControl::setValue(int value) {
    value = std::clamp(value, minimum_, maximum_);
    if (value == value_) return;
    value_ = value;
    emit valueChanged(value_);
}

void SpinControl::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setValue(value_);
}

void SpinControl::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up: stepUp(); break;
    case Qt::Key_Down: stepDown(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void SpinControl::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

void SpinControl::changeEvent(QEvent* event) {
    // A disabled control must not step from its children's clicks.
    if (event->type() == QEvent::EnabledChange) {
        up_->setEnabled(isEnabled());
        down_->setEnabled(isEnabled());
    }
    QWidget::changeEvent(event);
}

}  // namespace tessaly
