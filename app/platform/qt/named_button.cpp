#include "platform/qt/named_button.h"
#include "platform/qt/control_tip.h"

#include <QPushButton>

namespace tessaly {

QPushButton* namedButton(QWidget* parent, const char* name, const char* caption, const char* tip) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    if (tip) {
        setTip(button, QString::fromUtf8(tip));
    }
    return button;
}

}  // namespace tessaly
