// Message boxes as QMessageBox, owned by the window that asks.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/qt/message_boxes.h"

namespace tessaly {

class QtMessageBoxes final : public MessageBoxes {
public:
    // Without an owner the box belongs to the active window, so that it still
    // comes up over the window the person is looking at.
    explicit QtMessageBoxes(QWidget* owner = nullptr);

    MessageAnswer show(const QString& text, const QString& title, MessageIcon icon,
                       MessageButtons buttons) override;
    int choose(const QString& text, const QString& title, MessageIcon icon,
               const QStringList& choices) override;

private:
    QWidget* parent() const;

    QPointer<QWidget> owner_;
};

}  // namespace tessaly
