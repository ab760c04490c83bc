// The small up/down arrow pair that steps a count shown in a read-only text
// beside it (the month count, the nearby count). The up arrow increases.
#pragma once

#include <QWidget>

class QToolButton;

namespace tessaly {

class SpinControl : public QWidget {
    Q_OBJECT

public:
    explicit SpinControl(QWidget* parent = nullptr);

    int value() const { return value_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    // The value is kept inside the range; a change announces itself.
    void setValue(int value);
    // Lowering the top below the value brings the value down with it.
    void setRange(int minimum, int maximum);
    void setMaximum(int maximum) { setRange(minimum_, maximum); }

    void stepUp() { setValue(value_ + 1); }
    void stepDown() { setValue(value_ - 1); }

signals:
    void valueChanged(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0;
    int maximum_ = 100;
    int value_ = 0;
};

}  // namespace tessaly
