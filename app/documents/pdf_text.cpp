#include "documents/pdf_text.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <memory>
#include <mutex>

#include "documents/byte_size_text.h"
#include "documents/document_text_builder.h"
#include "documents/file_by_descriptor.h"

namespace tessaly {
namespace {

// Poppler reports every oddity of a damaged file on standard error; a search
// over a disk full of PDFs must not write them over the command line's output.
void silencePoppler() {
    static std::once_flag once;
    std::call_once(once, [] { poppler::set_debug_error_function([](const std::string&, void*) {}, nullptr); });
}

// The page's text without the blank space poppler leaves at its end.
std::string_view trimmedPage(const std::vector<char>& utf8) {
    std::string_view text(utf8.data(), utf8.size());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\f' || text.back() == ' ')) text.remove_suffix(1);
    return text;
}

}  // namespace

PdfPages::PdfPages(int fd, DocumentTextBuilder& text) : text_(text) {
    silencePoppler();
    // Poppler reads the file through its own loader, page by page as asked,
    // never the whole file at once.
    document_.reset(poppler::document::load_from_file(pathOfDescriptor(fd)));
    if (!document_) problem_ = "it is damaged";
    else if (document_->is_locked()) problem_ = "it is encrypted";
    else if ((pages_ = document_->pages()) <= 0) problem_ = "it is damaged";
}

PdfPages::~PdfPages() = default;

bool PdfPages::addNextPage() {
    if (!problem_.empty()) return false;
    if (text_.full()) {
        problem_ = "its text is larger than " + byteSizeText(text_.limit());
        return false;
    }
    if (next_ >= pages_) {
        // The other pages were read, but what the search says of this
        // document must not pass for all of it.
        if (unreadPage_ > 0) problem_ = "its page " + std::to_string(unreadPage_) + " could not be read";
        return false;
    }
    const std::unique_ptr<poppler::page> page(document_->create_page(next_++));
    if (!page) {
        if (unreadPage_ == 0) unreadPage_ = next_;
        return true;
    }
    // Reading order without the physical layout's padding is what
    // pdftotext gives without -layout or -raw.
    const auto utf8 = page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout).to_utf8();
    text_.addText(trimmedPage(utf8));
    text_.breakPage();
    return true;
}

DocumentText pdfText(int fd, std::size_t textLimit) {
    DocumentTextBuilder text(textLimit);
    PdfPages pages(fd, text);
    while (pages.addNextPage()) {
    }
    DocumentText result;
    result.problem = pages.problem();
    result.text = text.take();
    return result;
}

}  // namespace tessaly
