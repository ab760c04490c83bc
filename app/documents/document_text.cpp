#include "documents/document_text.h"

#include <new>

#include "documents/epub_text.h"
#include "documents/office_open_xml_text.h"
#include "documents/open_document_text.h"
#include "documents/pdf_text.h"

namespace tessaly {

DocumentText documentText(int fd, DocumentKind kind, std::size_t textLimit) {
    try {
        switch (kind) {
        case DocumentKind::pdf:
            return pdfText(fd, textLimit);
        case DocumentKind::openDocument:
            return openDocumentText(fd, textLimit);
        case DocumentKind::officeOpenXml:
            return officeOpenXmlText(fd, textLimit);
        case DocumentKind::epub:
            return epubText(fd, textLimit);
        case DocumentKind::lockedOffice:
            return {{}, "it is encrypted"};
        case DocumentKind::none:
            break;
        }
        return {{}, "it is not a document"};
    } catch (const std::bad_alloc&) {
        return {{}, kNeedsTooMuchMemory};
    } catch (const std::exception&) {
        // The libraries below throw for files they cannot make sense of.
        return {{}, "it is damaged"};
    }
}

}  // namespace tessaly
