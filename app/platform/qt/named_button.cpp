#include "platform/qt/named_button.h"

#include <QPushButton>

namespace tessaly {

QPushButton* namedButton(QWidget* parent, const char* name, const char* caption, const char* tip) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    if (tip) {
        button->setToolTip(QString::fromUtf8(tip));
        button->setAccessibleDescription(button->toolTip());
    }
    return button;
}

}  // namespace tessaly
