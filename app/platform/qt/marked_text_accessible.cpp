#include "platform/qt/marked_text_accessible.h"

#include <algorithm>

#include "platform/qt/marked_text_view.h"

namespace tessaly {

namespace {

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String(MarkedTextView::staticMetaObject.className()) &&
        object->isWidgetType())
        return new MarkedTextAccessible(static_cast<MarkedTextView*>(object));
    return nullptr;
}

}  // namespace

MarkedTextAccessible::MarkedTextAccessible(MarkedTextView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

void MarkedTextAccessible::install() {
    static const bool installed = (QAccessible::installFactory(accessibleFor), true);
    (void)installed;
}

MarkedTextView& MarkedTextAccessible::view() const { return *static_cast<MarkedTextView*>(widget()); }

void* MarkedTextAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State MarkedTextAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

void MarkedTextAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !view().hasSelection()) return;
    *startOffset = view().selectionStart();
    *endOffset = view().selectionStart() + static_cast<int>(view().selectedText().size());
}

int MarkedTextAccessible::selectionCount() const { return view().hasSelection() ? 1 : 0; }

void MarkedTextAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void MarkedTextAccessible::removeSelection(int) { view().setCaretOffset(view().caretOffset()); }

void MarkedTextAccessible::setSelection(int, int startOffset, int endOffset) {
    view().select(startOffset, endOffset - startOffset);
}

int MarkedTextAccessible::cursorPosition() const { return view().caretOffset(); }

void MarkedTextAccessible::setCursorPosition(int position) { view().setCaretOffset(position); }

QString MarkedTextAccessible::text(int startOffset, int endOffset) const {
    const std::u16string_view all = view().text();
    const auto start = static_cast<std::size_t>(std::clamp(startOffset, 0, characterCount()));
    const auto end = static_cast<std::size_t>(std::clamp(endOffset, 0, characterCount()));
    if (end <= start) return {};
    const std::u16string_view part = all.substr(start, end - start);
    return QString(reinterpret_cast<const QChar*>(part.data()), static_cast<qsizetype>(part.size()));
}

int MarkedTextAccessible::characterCount() const { return static_cast<int>(view().text().size()); }

QRect MarkedTextAccessible::characterRect(int offset) const {
    const QRect shown = view().characterRect(offset);
    if (shown.isEmpty()) return {};
    return {view().viewport()->mapToGlobal(shown.topLeft()), shown.size()};
}

int MarkedTextAccessible::offsetAtPoint(const QPoint& point) const {
    return view().characterAt(view().viewport()->mapFromGlobal(point));
}

void MarkedTextAccessible::scrollToSubstring(int startIndex, int) {
    view().setCaretOffset(startIndex);
}

// IAccessible2's text attributes, which Qt hands on to AT-SPI in that
// bus's own names: enough for a reader to tell a heading or a hit word from
// the text around it.
QString MarkedTextAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    const int count = characterCount();
    // -2 asks at the caret; readers ask at the end as well, meaning the last character.
    if (offset == -2) offset = cursorPosition();
    if (offset == -1 || offset == count) offset = count - 1;
    if (offset < 0 || offset >= count) {
        *startOffset = *endOffset = -1;
        return {};
    }
    const MarkedTextView::FormatRun run = view().formatRunAt(offset);
    *startOffset = run.start;
    *endOffset = run.end;
    const QFont font = view().font();
    const qreal points = run.format.hasProperty(QTextFormat::FontPointSize)
                             ? run.format.fontPointSize()
                             : font.pointSizeF();
    const int weight =
        run.format.hasProperty(QTextFormat::FontWeight) ? run.format.fontWeight() : font.weight();
    const QColor colour = run.format.foreground().style() != Qt::NoBrush
                              ? run.format.foreground().color()
                              : view().palette().color(QPalette::Text);
    QString attributes = QStringLiteral("font-size:%1pt;font-weight:%2;color:rgb(%3,%4,%5);")
                             .arg(points)
                             .arg(weight)
                             .arg(colour.red())
                             .arg(colour.green())
                             .arg(colour.blue());
    if (run.format.boolProperty(MarkedTextView::kHitWordProperty)) attributes += QStringLiteral("hit:true;");
    return attributes;
}

}  // namespace tessaly
