#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "platform/qt/qt_message_boxes.h"

namespace tessaly {
namespace {

// Acts on the box once it is up, from inside its own event loop.
void whenBoxShows(std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(*box);
    });
}

TEST(QtMessageBoxes, ShowsWhatIsAskedAndReturnsTheButton) {
    QtMessageBoxes boxes;
    whenBoxShows([](QMessageBox& box) {
        // The code stays on one line with its bracket.
        EXPECT_EQ(box.text(), QStringLiteral("Disk not ready! (\u00A071)"));
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Operation Error"));
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        EXPECT_EQ(box.standardButtons(),
                  QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
        box.button(QMessageBox::Retry)->click();
    });
    EXPECT_EQ(boxes.show("Disk not ready! ( 71)", "Operation Error", MessageIcon::CriticalStop,
                         MessageButtons::AbortRetryIgnore),
              MessageAnswer::Retry);
}

TEST(QtMessageBoxes, EscapeNeverEndsTheProgram) {
    struct Case {
        MessageButtons buttons;
        MessageAnswer expected;
    };
    const Case cases[] = {
        {MessageButtons::AbortRetryIgnore, MessageAnswer::Ignore},
        {MessageButtons::YesNo, MessageAnswer::No},
        {MessageButtons::Ok, MessageAnswer::Ok},
    };
    for (const Case& c : cases) {
        QtMessageBoxes boxes;
        whenBoxShows([](QMessageBox& box) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&box, &escape);
        });
        EXPECT_EQ(boxes.show("text", "title", MessageIcon::Exclamation, c.buttons), c.expected);
    }
}

TEST(QtMessageBoxes, ChoicesAreTheProgramsOwnButtonsAndEscapeCancels) {
    QtMessageBoxes boxes;
    const QStringList choices{QStringLiteral("Quick &Viewer"), QStringLiteral("Open &Folder")};
    whenBoxShows([](QMessageBox& box) {
        EXPECT_EQ(box.text(), QStringLiteral("x is a program"));
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        for (QAbstractButton* button : box.buttons())
            if (button->text() == QStringLiteral("Open &Folder")) button->click();
    });
    EXPECT_EQ(boxes.choose("x is a program", "title", MessageIcon::Exclamation, choices), 1);

    whenBoxShows([](QMessageBox& box) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&box, &escape);
    });
    EXPECT_EQ(boxes.choose("x is a program", "title", MessageIcon::Exclamation, choices), -1);
}

}  // namespace
}  // namespace tessaly
