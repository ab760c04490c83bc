// A control's tool tip is also what a screen reader gives as its description.
#pragma once

#include <QString>
#include <QWidget>

namespace tessaly {

inline void setTip(QWidget* control, const QString& tip) {
    control->setToolTip(tip);
    control->setAccessibleDescription(tip);
}

}  // namespace tessaly
