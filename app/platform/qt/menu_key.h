// The keys that open a context menu where the focus is: the Menu key and
// Shift+F10. Qt hands them to the widget as any key, so a widget with a menu
// of its own answers them itself.
#pragma once

#include <QKeyEvent>

namespace tessaly {

inline bool isMenuKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_Menu || (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
}

}  // namespace tessaly
