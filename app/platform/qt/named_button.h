// A push button as every window of the program makes one: its program name
// as objectName, its caption, and a tool tip that screen readers read too.
#pragma once

class QPushButton;
class QWidget;

namespace tessaly {

// `tip` may be null for a button without one.
QPushButton* namedButton(QWidget* parent, const char* name, const char* caption, const char* tip);

}  // namespace tessaly
