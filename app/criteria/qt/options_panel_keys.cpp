#include "criteria/qt/options_panel_keys.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>

#include "window/qt/main_window.h"
#include "window/qt/options_panel_view.h"

namespace tessaly {

namespace {

enum class PanelKey { None, Enter, Escape };

PanelKey panelKey(const QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return PanelKey::None;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier) return PanelKey::None;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return PanelKey::Enter;
    if (key->key() == Qt::Key_Escape) return PanelKey::Escape;
    return PanelKey::None;
}

}  // namespace

OptionsPanelKeys::OptionsPanelKeys(MainWindow& window, std::function<void()> accept,
                                   std::function<void()> cancel, QObject* parent)
    : QObject(parent), window_(window), accept_(std::move(accept)), cancel_(std::move(cancel)) {
    // The calendars float over the panel but are not inside it: each is
    // watched on its own. A key that a control inside does not use comes up
    // to these.
    for (QWidget* watched : std::initializer_list<QWidget*>{
             window_.panel().frameAdvanced, window_.panel().frameScope, window_.panel().monthViewFrom, window_.panel().monthViewTo})
        watched->installEventFilter(this);
    // A focused button takes Enter itself, as in a dialog; Enter anywhere
    // else on the panel is OK.
    for (QPushButton* button : {window_.panel().advOK, window_.panel().advCancel, window_.panel().searchScope,
                                window_.panel().scopeBack, window_.panel().fromButton, window_.panel().toButton})
        button->setAutoDefault(true);
}

bool OptionsPanelKeys::eventFilter(QObject* watched, QEvent* event) {
    const PanelKey key = panelKey(event);
    if (key == PanelKey::None) return QObject::eventFilter(watched, event);
    // Claimed before the window's shortcuts look at the key; it then comes
    // as a key press through the focused control.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    auto* calendar = qobject_cast<QCalendarWidget*>(watched);
    if (calendar) {
        // Enter in a calendar picks its date; the calendar handles it.
        if (key == PanelKey::Escape) closeCalendar(calendar);
    } else if (key == PanelKey::Enter) {
        accept_();
    } else {
        cancel_();
    }
    return true;
}

void OptionsPanelKeys::closeCalendar(QCalendarWidget* calendar) {
    QPushButton* opener = calendar == window_.panel().monthViewFrom ? window_.panel().fromButton : window_.panel().toButton;
    opener->setFocus(Qt::OtherFocusReason);
    calendar->hide();
}

}  // namespace tessaly
