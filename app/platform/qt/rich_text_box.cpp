#include "platform/qt/rich_text_box.h"

#include <QEvent>
#include <QPalette>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "platform/qt/rtf_document_builder.h"
#include "platform/qt/rtf_file.h"
#include "platform/qt/rtf_writer.h"

namespace tessaly {

RichTextBox::RichTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    // Read-only still shows the caret and lets the keys move it: the caret
    // is how the user points at an entry of the result pane.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // A result pane of many megabytes would keep a second copy for undo that
    // nobody can use in a read-only box.
    document()->setUndoRedoEnabled(false);
    followDesktopPalette();
}

void RichTextBox::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    const bool desktopChanged = event->type() == QEvent::ApplicationPaletteChange ||
                                (event->type() == QEvent::PaletteChange && !settingPalette_);
    if (desktopChanged) followDesktopPalette();
}

void RichTextBox::followDesktopPalette() {
    settingPalette_ = true;
    setPalette(QPalette());  // the desktop's, as any box has it
    if (palette().color(QPalette::Base).lightness() < 128) {
        QPalette paper = palette();
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            paper.setColor(group, QPalette::Base, Qt::white);
            paper.setColor(group, QPalette::Text, Qt::black);
        }
        setPalette(paper);
    }
    settingPalette_ = false;
}

void RichTextBox::insertRtf(std::string_view rtf) {
    QTextCursor cursor = textCursor();
    RtfDocumentBuilder(colours_).insert(cursor, rtf);
    setTextCursor(cursor);
}

void RichTextBox::setRtf(std::string_view rtf) {
    clear();
    QTextCursor cursor(document());
    RtfDocumentBuilder(colours_).insert(cursor, rtf);
    setCaretOffset(0);
}

std::string RichTextBox::rtf() const {
    return RtfWriter(colours_).write(*document());
}

Failure RichTextBox::saveRtf(const QString& path, FileSystem& files) const {
    return saveRtfFile(path, rtf(), files);
}

QString RichTextBox::plainText() const {
    return document()->toPlainText();
}

int RichTextBox::caretOffset() const {
    return textCursor().position();
}

void RichTextBox::setCaretOffset(int offset) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(clampOffset(offset));
    setTextCursor(cursor);
}

void RichTextBox::select(int start, int length) {
    QTextCursor cursor = textCursor();
    const int from = clampOffset(start);
    cursor.setPosition(from);
    cursor.setPosition(clampOffset(from + std::max(0, length)), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString RichTextBox::selectedText() const {
    QString text = textCursor().selectedText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
        else if (c == QChar::Nbsp)
            c = u' ';
    }
    return text;
}

void RichTextBox::setLineWrapMode(QTextEdit::LineWrapMode mode) {
    wrapMode_ = mode;
    QPlainTextEdit::setLineWrapMode(mode == QTextEdit::NoWrap ? QPlainTextEdit::NoWrap
                                                              : QPlainTextEdit::WidgetWidth);
    applyWrapWidth();
}

void RichTextBox::setLineWrapColumnOrWidth(int width) {
    wrapWidth_ = width;
    applyWrapWidth();
}

// A plain layout wraps at the viewport's width: the viewport is narrowed to
// the wrap width instead.
void RichTextBox::applyWrapWidth() {
    const bool fixed = wrapMode_ == QTextEdit::FixedPixelWidth && wrapWidth_ > 0;
    const int room = frameWidth() * 2 + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int blank = fixed ? std::max(0, width() - room - wrapWidth_) : 0;
    setViewportMargins(0, 0, blank, 0);
}

int RichTextBox::findText(const QString& text, int from, FindOptions options) {
    if (text.isEmpty() || from < 0 || from > endOffset()) return -1;
    QTextDocument::FindFlags flags;
    if (options.matchCase) flags |= QTextDocument::FindCaseSensitively;
    if (options.wholeWord) flags |= QTextDocument::FindWholeWords;
    const QTextCursor found = document()->find(text, from, flags);
    if (found.isNull()) return -1;
    if (options.moveSelection) {
        setTextCursor(found);
        ensureCursorVisible();
    }
    return found.selectionStart();
}

void RichTextBox::colourRange(int start, int length, const QColor& colour, bool bold) {
    QTextCursor cursor(document());
    const int from = clampOffset(start);
    cursor.setPosition(from);
    cursor.setPosition(clampOffset(from + std::max(0, length)), QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setForeground(colour);
    if (bold) format.setFontWeight(QFont::Bold);
    cursor.mergeCharFormat(format);
}

// The position behind the last character; the document's final paragraph
// mark is not part of the text.
int RichTextBox::endOffset() const {
    return document()->characterCount() - 1;
}

int RichTextBox::clampOffset(int offset) const {
    return std::clamp(offset, 0, endOffset());
}

}  // namespace tessaly
