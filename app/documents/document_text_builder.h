// Gathers a document's text as the extractors find it: runs of text, and the
// breaks between them (a space, a cell, a paragraph, a page). A break is held
// until more text follows, so that empty paragraphs, trailing cells and page
// ends never pile up into runs of blank lines, and the text never starts
// with one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaly {

class DocumentTextBuilder {
public:
    explicit DocumentTextBuilder(std::size_t limit) : limit_(limit) {}

    // Text as it is, with its own spaces, tabs and newlines.
    void addText(std::string_view utf8);
    // Text whose white space is layout (XHTML, OpenDocument): every run of it
    // counts as one space, and none at the edges of a paragraph.
    void addFlowingText(std::string_view utf8);

    void breakWord() { holdBreak(Break::space); }
    void breakCell() { holdBreak(Break::cell); }
    void breakParagraph() { holdBreak(Break::paragraph); }
    void breakPage() { holdBreak(Break::page); }

    // True once the text reached its limit; what comes after is dropped.
    bool full() const { return full_; }
    // Text held elsewhere on its way here (a workbook's shared strings) ran
    // over the limit first.
    void markFull() { full_ = true; }
    bool empty() const { return text_.empty(); }
    std::size_t limit() const { return limit_; }

    // The text so far, without the break it may be holding.
    const std::string& text() const { return text_; }
    // The text, its last paragraph ended by a newline.
    std::string take();

private:
    enum class Break { none, space, cell, paragraph, page };
    void holdBreak(Break kind);
    void append(std::string_view utf8);

    std::string text_;
    std::size_t limit_;
    Break held_ = Break::none;
    bool full_ = false;
};

}  // namespace tessaly
