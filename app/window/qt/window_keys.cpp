#include "window/qt/window_keys.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"

namespace tessaly {

namespace {

// Clicks the command as the person would, when it is there to click.
void clickIfOffered(QPushButton* command) {
    if (command->isVisible() && command->isEnabled()) command->click();
}

void onKey(MainWindow& window, const QKeySequence& keys, QPushButton* command) {
    auto* shortcut = new QShortcut(keys, &window);
    QObject::connect(shortcut, &QShortcut::activated, command, [command] { clickIfOffered(command); });
}

}  // namespace

void installWindowKeys(MainWindow& window) {
    for (QLineEdit* word : window.criteria().searchText)
        QObject::connect(word, &QLineEdit::returnPressed, window.commands().searchNow,
                         [&window] { clickIfOffered(window.commands().searchNow); });
    onKey(window, QKeySequence(Qt::Key_Escape), window.commands().searchStop);
    onKey(window, QKeySequence(Qt::CTRL | Qt::Key_Q), window.commands().stExit);
    onKey(window, QKeySequence(QKeySequence::HelpContents), window.commands().helpCfg);
    auto* find = new QShortcut(QKeySequence(QKeySequence::Find), &window);
    QObject::connect(find, &QShortcut::activated, &window, [&window] {
        QLineEdit* first = window.criteria().searchText[0];
        if (!first->isVisible() || !first->isEnabled()) return;
        first->setFocus(Qt::ShortcutFocusReason);
        first->selectAll();
    });
}

}  // namespace tessaly
