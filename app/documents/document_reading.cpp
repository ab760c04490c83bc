#include "documents/document_reading.h"

#include <new>

namespace tessaly {

DocumentReading::DocumentReading(int fd, DocumentKind kind, std::size_t textLimit)
    : fd_(fd), kind_(kind), builder_(textLimit) {}

DocumentReading::~DocumentReading() = default;

void DocumentReading::end() {
    whole_ = builder_.take();
    ended_ = true;
}

bool DocumentReading::readMore() {
    if (ended_) return false;
    if (kind_ != DocumentKind::pdf) {
        DocumentText document = documentText(fd_, kind_, builder_.limit());
        whole_ = std::move(document.text);
        problem_ = std::move(document.problem);
        ended_ = true;
        return !whole_.empty();
    }
    try {
        if (!pages_) pages_ = std::make_unique<PdfPages>(fd_, builder_);
        if (pages_->addNextPage()) return true;
        problem_ = pages_->problem();
    } catch (const std::bad_alloc&) {
        problem_ = kNeedsTooMuchMemory;
    } catch (const std::exception&) {
        problem_ = "it is damaged";
    }
    // The last paragraph's newline comes with the end.
    const std::size_t before = builder_.text().size();
    end();
    return whole_.size() > before;
}

}  // namespace tessaly
