// The rich-text box of the result pane and the single-file view: RTF in
// (inserted at the caret or replacing everything), RTF out, and the text
// operations the viewer's file picking and the tests need. Offsets are
// character offsets into plainText(), where a paragraph break counts one.
//
// It lays out like a plain-text box, one paragraph at a time and only the
// paragraphs on screen: a rich-text layout of the whole document ran over
// every paragraph at each insertion, so a pane of ten thousand entries froze
// the window. Our documents hold styled runs in plain paragraphs and nothing
// a plain layout would lose.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QPlainTextEdit>
#include <QString>
#include <QTextEdit>
#include <string>
#include <string_view>

#include "platform/error_codes.h"
#include "platform/file_system.h"
#include "platform/qt/rtf_colour_table.h"

namespace tessaly {

class RichTextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    struct FindOptions {
        bool matchCase = false;
        bool wholeWord = false;
        bool moveSelection = true;  // false: only tell where the text is
    };

    explicit RichTextBox(QWidget* parent = nullptr);

    // Inserts at the caret, replacing any selection; the caret ends behind
    // the inserted text, so pieces inserted one after another follow each other.
    void insertRtf(std::string_view rtf);
    void insertRtf(const QByteArray& rtf) {
        insertRtf(std::string_view(rtf.constData(), rtf.size()));
    }
    // Replaces the whole content; the caret stands at the start.
    void setRtf(std::string_view rtf);
    void setRtf(const QByteArray& rtf) { setRtf(std::string_view(rtf.constData(), rtf.size())); }

    // The whole content as an RTF document, for print, save and tests.
    std::string rtf() const;
    // Writes rtf() as saveRtfFile does.
    Failure saveRtf(const QString& path, FileSystem& files = systemFileSystem()) const;

    QString plainText() const;
    int caretOffset() const;
    void setCaretOffset(int offset);
    void select(int start, int length);
    // The selection in the form of plainText(): paragraph breaks as "\n".
    QString selectedText() const;

    // The offset of the first occurrence at or after `from`, or -1.
    int findText(const QString& text, int from, FindOptions options);
    // Hit highlighting: the range in `colour`, and bold unless told otherwise.
    void colourRange(int start, int length, const QColor& colour, bool bold = true);

    // The text wraps at a fixed width in pixels, narrower than the box, as
    // the program's panes always did; the room to its right stays blank.
    void setLineWrapMode(QTextEdit::LineWrapMode mode);
    void setLineWrapColumnOrWidth(int width);

    // The colour table that RTF inserted without its own table is read with.
    const RtfColourTable& colourTable() const { return colours_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    // On a dark desktop the box shows its document as on paper: the RTF's
    // own black passages and pure blue headings cannot be read on dark grey,
    // and the document itself must keep them for print and save.
    void followDesktopPalette();
    int endOffset() const;
    int clampOffset(int offset) const;
    void applyWrapWidth();

    RtfColourTable colours_;
    QTextEdit::LineWrapMode wrapMode_ = QTextEdit::WidgetWidth;
    int wrapWidth_ = 0;
    bool settingPalette_ = false;
};

}  // namespace tessaly
