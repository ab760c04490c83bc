// What screen readers and UI automation see of the viewer's text: a read-only
// multi-line text with a caret and a selection, read a range at a time (the
// whole of a large file is never handed over at once).
#pragma once

#include <QAccessibleWidget>

namespace tessaly {

class MarkedTextView;

class MarkedTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit MarkedTextAccessible(MarkedTextView* view);

    // Makes the accessibility framework use this for every MarkedTextView.
    static void install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;
    using QAccessibleWidget::text;

private:
    MarkedTextView& view() const;
};

}  // namespace tessaly
