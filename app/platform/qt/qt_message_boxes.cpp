#include "platform/qt/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QPushButton>
#include <vector>

namespace tessaly {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::CriticalStop:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton buttonOf(MessageAnswer answer) {
    switch (answer) {
    case MessageAnswer::Ok: return QMessageBox::Ok;
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
    case MessageAnswer::Abort: return QMessageBox::Abort;
    case MessageAnswer::Retry: return QMessageBox::Retry;
    case MessageAnswer::Ignore: return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

// An error code closes the message as "( 76)": the blank must not let the
// box break the line inside the brackets.
QString keepCodeTogether(QString text) {
    static const QRegularExpression code(QStringLiteral("\\( (\\d+\\))"));
    return text.replace(code, QStringLiteral("(\u00A0\\1"));
}

}  // namespace

QtMessageBoxes::QtMessageBoxes(QWidget* owner) : owner_(owner) {}

QWidget* QtMessageBoxes::parent() const {
    return owner_ ? owner_.data() : QApplication::activeWindow();
}

MessageAnswer QtMessageBoxes::show(const QString& text, const QString& title, MessageIcon icon,
                                   MessageButtons buttons) {
    QMessageBox box(boxIcon(icon), title, keepCodeTogether(text), boxButtons(buttons), parent());
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(buttonOf(leastDoingAnswer(buttons)));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Abort:
        return MessageAnswer::Abort;
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    case QMessageBox::Ignore:
        return MessageAnswer::Ignore;
    default:
        return leastDoingAnswer(buttons);
    }
}

int QtMessageBoxes::choose(const QString& text, const QString& title, MessageIcon icon,
                           const QStringList& choices) {
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Cancel, parent());
    box.setTextFormat(Qt::PlainText);
    std::vector<QAbstractButton*> buttons;
    for (const QString& choice : choices)
        buttons.push_back(box.addButton(choice, QMessageBox::AcceptRole));
    if (!buttons.empty()) box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
    return -1;
}

}  // namespace tessaly
