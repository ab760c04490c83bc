// The result pane's box: rich text that only ever grows at its end, a piece
// of RTF at a time, and is shown by laying out only the lines on screen. A
// rich-text document of tens of thousands of result entries cost the window
// tens of microseconds per entry to insert and lay out; here an entry costs
// the reading of its RTF, whatever came before it.
//
// Offsets count UTF-16 units of plainText(), a paragraph break one.
#pragma once

#include <QTextCharFormat>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qt/marked_text_view.h"
#include "platform/qt/rtf_colour_table.h"
#include "platform/rtf_reader.h"

class QTextDocument;

namespace tessaly {

class GrowingRichTextBox : public MarkedTextView {
    Q_OBJECT

public:
    explicit GrowingRichTextBox(QWidget* parent = nullptr);

    void clear();
    // The piece's first paragraph goes on from the last line; each further
    // one starts a line of its own, as after a piece that ended with \par.
    // A piece with a colour table colours the pieces after it too.
    void appendRtf(std::string_view rtf);
    // The same for pieces that come together: they are shown together by
    // showAppended(), which must follow before the event loop turns again.
    void appendRtfUnshown(std::string_view rtf);
    void showAppended() { showText(text_); }

    // All of it as one RTF document, for save and for tests.
    std::string rtf() const;
    // All of it as a document, for print.
    std::unique_ptr<QTextDocument> document() const;

    // All of it, appended pieces not yet shown too.
    std::u16string_view text() const { return text_; }
    // The format of the character at the offset, as the RTF gave it.
    QTextCharFormat formatAt(int offset) const;

private:
    // A stretch of text in one format, up to where the next one starts.
    struct Run {
        std::uint32_t start;
        std::uint16_t format;
    };
    class Appender;
    int formatIndex(const RtfStyle& style);

    std::u16string text_;
    std::vector<Run> runs_;
    // The formats runs use; beside each, the view's mark format, or -1 for
    // plain text that the view shows in its own font and colour.
    std::vector<QTextCharFormat> formats_;
    std::vector<int> markFormats_;
    // What each format was made from, so that a run's format is found
    // without making one: the colour table in force then, and the run's style.
    struct FormatSource {
        int table;
        bool bold;
        int colour;
        int fontSize;
        bool operator==(const FormatSource&) const = default;
    };
    std::vector<FormatSource> formatSources_;
    int colourTable_ = 0;  // counts the colour tables read
    RtfColourTable colours_;
};

}  // namespace tessaly
