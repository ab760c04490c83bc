// What every view of the main window builds its controls with: the window's
// own rows and heights in twips, and the makers of its labels, boxes and
// groups, each named as the program names it.
#pragma once

#include <QColor>
#include <QPixmap>
#include <Qt>
#include <array>

#include "window/main_layout.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QString;
class QWidget;

namespace tessaly {

using OperatorGroup = std::array<QRadioButton*, 4>;  // AND, OR, NOT, NEARBY

// Twips, the unit every position of the window is given in, to pixels of the
// window's screen.
class TwipScale {
public:
    explicit TwipScale(const QWidget& window) : window_(window) {}
    int pixels(int twips) const;
    int twips(int pixels) const;
    // In twips: across as the span says, down from `top`.
    void place(QWidget* control, Span span, int top, int height) const;
    void place(QWidget* control, int left, int top, int width, int height) const {
        place(control, {left, width}, top, height);
    }

private:
    const QWidget& window_;
};

}  // namespace tessaly

namespace tessaly::form {

// The rows the views share, in twips from the top of each control's parent.
// The height never changes, so they are laid out once.
namespace row {
inline constexpr int commandTop = 60;
inline constexpr int commandHeight = 375;
inline constexpr int viewTop = 500;
inline constexpr int viewHeight = 6880;
inline constexpr int statusTop = 7470;
inline constexpr int statusHeight = 300;

inline constexpr int labelHeight = 240;
inline constexpr int boxHeight = 315;
inline constexpr int buttonHeight = 345;
inline constexpr int optionHeight = 270;
}  // namespace row

QLabel* label(QWidget* parent, const char* name, const char* text,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QRadioButton* optionButton(QWidget* parent, const QString& name, const char* caption);
QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, const char* tip);
QLineEdit* readOnlyText(QWidget* parent, const char* name, const char* accessibleName);
QGroupBox* groupFrame(QWidget* parent, const char* name, const char* caption, const char* tip);
// A page of the options panel, raised over the criteria view.
QFrame* pageFrame(QWidget* parent, const char* name, const char* accessibleName);
// The status row's light.
QPixmap light(const QColor& colour);
// AND, OR, NOT and NEARBY on `picture`, named Opt<number>_<index>, AND chosen.
OperatorGroup operatorGroup(QWidget* picture, int number);

}  // namespace tessaly::form
