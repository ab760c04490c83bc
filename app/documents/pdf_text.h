// The text of a PDF, page by page in reading order, as pdftotext gives it by
// default; a blank line between pages.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "documents/document_text.h"
#include "documents/document_text_builder.h"

namespace poppler {
class document;
}

namespace tessaly {

// A PDF read a page at a time, so that a search which has its answer on the
// first pages of a long document reads no further.
class PdfPages {
public:
    PdfPages(int fd, DocumentTextBuilder& text);
    ~PdfPages();
    PdfPages(const PdfPages&) = delete;
    PdfPages& operator=(const PdfPages&) = delete;

    // Adds the next page's text; false when no page is left, the text is
    // full or the document cannot be read (problem() then says why).
    bool addNextPage();
    const std::string& problem() const { return problem_; }

private:
    DocumentTextBuilder& text_;
    std::unique_ptr<poppler::document> document_;
    int pages_ = 0;
    int next_ = 0;
    int unreadPage_ = 0;  // the first page that would not load, counted from 1
    std::string problem_;
};

DocumentText pdfText(int fd, std::size_t textLimit);

}  // namespace tessaly
