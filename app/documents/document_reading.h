// A document's text read a part at a time, as a search asks for it: a PDF
// page by page, the zip-packaged documents (quick to read) whole at once.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "documents/document_text.h"
#include "documents/document_text_builder.h"
#include "documents/pdf_text.h"

namespace tessaly {

class DocumentReading {
public:
    // `fd` stays the caller's and open while the reading lives.
    DocumentReading(int fd, DocumentKind kind, std::size_t textLimit = kDocumentTextLimit);
    ~DocumentReading();
    DocumentReading(const DocumentReading&) = delete;
    DocumentReading& operator=(const DocumentReading&) = delete;

    // Adds the next part to text(); false once nothing more is to come.
    bool readMore();
    // Everything read so far. It may move when more is read.
    const std::string& text() const { return ended_ ? whole_ : builder_.text(); }
    // Why the text stops short or is missing; empty when it is whole.
    const std::string& problem() const { return problem_; }

private:
    void end();

    int fd_;
    DocumentKind kind_;
    DocumentTextBuilder builder_;
    std::unique_ptr<PdfPages> pages_;
    std::string whole_;
    std::string problem_;
    bool ended_ = false;
};

}  // namespace tessaly
