// picDivider: the bar between the result tree and the file text, dragged with
// the left mouse button.
#pragma once

#include <QWidget>

namespace tessaly {

class DividerBar : public QWidget {
    Q_OBJECT

public:
    explicit DividerBar(QWidget* parent = nullptr);

signals:
    // The mouse moved with the left button held, `offset` pixels from the
    // bar's own left edge.
    void dragged(int offset);
    void released();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tessaly
