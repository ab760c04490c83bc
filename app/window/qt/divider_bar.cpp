#include "window/qt/divider_bar.h"

#include <QMouseEvent>

namespace tessaly {

DividerBar::DividerBar(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SplitHCursor);
    setAttribute(Qt::WA_StyledBackground);
    setAutoFillBackground(true);
}

void DividerBar::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) emit dragged(qRound(event->position().x()));
}

void DividerBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit released();
}

}  // namespace tessaly
