#include "window/qt/form_parts.h"
#include "platform/qt/control_tip.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <cmath>

namespace tessaly {

int TwipScale::pixels(int twips) const {
    return static_cast<int>(std::lround(twips * static_cast<double>(window_.logicalDpiX()) / 1440.0));
}

int TwipScale::twips(int pixels) const {
    return static_cast<int>(std::lround(pixels * 1440.0 / window_.logicalDpiX()));
}

void TwipScale::place(QWidget* control, Span span, int top, int height) const {
    control->setGeometry(pixels(span.left), pixels(top), pixels(span.width), pixels(height));
}

}  // namespace tessaly

namespace tessaly::form {

QLabel* label(QWidget* parent, const char* name, const char* text,
              Qt::Alignment alignment) {
    auto* created = new QLabel(QString::fromUtf8(text), parent);
    created->setObjectName(QString::fromLatin1(name));
    created->setAlignment(alignment);
    return created;
}

QRadioButton* optionButton(QWidget* parent, const QString& name, const char* caption) {
    auto* button = new QRadioButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    return button;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, const char* tip) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    if (tip) {
        setTip(box, QString::fromUtf8(tip));
    }
    return box;
}

QLineEdit* readOnlyText(QWidget* parent, const char* name, const char* accessibleName) {
    auto* text = new QLineEdit(parent);
    text->setObjectName(QString::fromLatin1(name));
    text->setReadOnly(true);
    text->setAccessibleName(QString::fromUtf8(accessibleName));
    return text;
}

QGroupBox* groupFrame(QWidget* parent, const char* name, const char* caption, const char* tip) {
    auto* frame = new QGroupBox(QString::fromUtf8(caption), parent);
    frame->setObjectName(QString::fromLatin1(name));
    if (tip) {
        setTip(frame, QString::fromUtf8(tip));
    }
    return frame;
}

QFrame* pageFrame(QWidget* parent, const char* name, const char* accessibleName) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setAutoFillBackground(true);
    frame->setAccessibleName(QString::fromUtf8(accessibleName));
    return frame;
}

QPixmap light(const QColor& colour) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(150));
    painter.setBrush(colour);
    painter.drawEllipse(1, 1, 10, 10);
    return pixmap;
}

OperatorGroup operatorGroup(QWidget* picture, int number) {
    static constexpr const char* captions[4] = {"AND", "OR", "NOT", "NEARBY"};
    OperatorGroup group{};
    auto* buttons = new QButtonGroup(picture);
    for (int index = 0; index < 4; ++index) {
        group[index] = optionButton(
            picture, QStringLiteral("Opt%1_%2").arg(number).arg(index), captions[index]);
        buttons->addButton(group[index], index);
    }
    group[0]->setChecked(true);
    return group;
}

}  // namespace tessaly::form
