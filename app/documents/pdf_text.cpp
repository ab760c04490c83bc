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

DocumentText pdfText(int fd, std::size_t textLimit) {
    silencePoppler();
    // Poppler reads the file through its own loader, page by page as asked,
    // never the whole file at once.
    const std::unique_ptr<poppler::document> document(poppler::document::load_from_file(pathOfDescriptor(fd)));
    if (!document) return {{}, "it is damaged"};
    if (document->is_locked()) return {{}, "it is encrypted"};
    const int pages = document->pages();
    if (pages <= 0) return {{}, "it is damaged"};
    DocumentTextBuilder text(textLimit);
    for (int index = 0; index < pages && !text.full(); ++index) {
        const std::unique_ptr<poppler::page> page(document->create_page(index));
        if (!page) continue;
        // Reading order without the physical layout's padding is what
        // pdftotext gives without -layout or -raw.
        const auto utf8 = page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout).to_utf8();
        text.addText(trimmedPage(utf8));
        text.breakPage();
    }
    DocumentText result;
    if (text.full()) result.problem = "its text is larger than " + byteSizeText(textLimit);
    result.text = text.take();
    return result;
}

}  // namespace tessaly
