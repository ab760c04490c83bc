#include <gtest/gtest.h>

#include "document_files.h"
#include "documents/document_kind.h"

namespace tessaly {
namespace {

using test::zipBytes;

TEST(DocumentKind, ToldByContentNotByName) {
    const std::string xml = "<?xml version=\"1.0\"?><a/>";
    const std::string pdfLate = "\xEF\xBB\xBF\r\n" + std::string(1000, ' ') + "%PDF-1.7";
    const std::string pdfTooLate = std::string(1024, ' ') + "%PDF-1.7";
    const std::string compound = std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(504, '\0');
    const struct {
        const char* name;
        std::string bytes;
        DocumentKind kind;
    } cases[] = {
        {"text named x.pdf", "Just some text about %PDF files", DocumentKind::none},
        {"empty", "", DocumentKind::none},
        {"PDF (whatever its name)", test::pdfBytes({"Hello"}), DocumentKind::pdf},
        {"PDF header after a byte-order mark and blanks", pdfLate, DocumentKind::pdf},
        {"text that mentions a PDF header", "Saved as\n%PDF-1.4 by the scanner", DocumentKind::none},
        {"PDF header beyond the first 1024 bytes", pdfTooLate, DocumentKind::none},
        {"odt", zipBytes({{"mimetype", "application/vnd.oasis.opendocument.text"}, {"content.xml", xml}}),
         DocumentKind::openDocument},
        {"ods", zipBytes({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}}), DocumentKind::openDocument},
        {"epub", zipBytes({{"mimetype", "application/epub+zip"}, {"META-INF/container.xml", xml}}),
         DocumentKind::epub},
        {"epub whose type ends with a line break", zipBytes({{"mimetype", "application/epub+zip\r\n"}}),
         DocumentKind::epub},
        {"mimetype of something else", zipBytes({{"mimetype", "application/x-krita"}}), DocumentKind::none},
        {"mimetype not first", zipBytes({{"a.txt", "x"}, {"mimetype", "application/epub+zip"}}), DocumentKind::none},
        {"docx", zipBytes({{"[Content_Types].xml", xml}, {"_rels/.rels", xml}, {"word/document.xml", xml}}),
         DocumentKind::officeOpenXml},
        {"xlsx written by another order", zipBytes({{"_rels/.rels", xml}, {"docProps/app.xml", xml}, {"xl/workbook.xml", xml}}),
         DocumentKind::officeOpenXml},
        {"pptx", zipBytes({{"ppt/presentation.xml", xml}}), DocumentKind::officeOpenXml},
        {"a package that is no office file (nupkg)",
         zipBytes({{"[Content_Types].xml", xml}, {"_rels/.rels", xml}, {"package/services/x.psmdcp", xml}}),
         DocumentKind::none},
        {"plain zip", zipBytes({{"readme.txt", "hello"}, {"word/document.xml", xml}}), DocumentKind::none},
        {"jar", zipBytes({{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n"}}), DocumentKind::none},
        {"truncated zip header", std::string("PK\3\4\0\0", 6), DocumentKind::none},
        {"office file saved with a password", compound + std::string("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32),
         DocumentKind::lockedOffice},
        {"an old .doc: a compound file with no encrypted package", compound + "WordDocument", DocumentKind::none},
    };
    for (const auto& c : cases) EXPECT_EQ(documentKindOf(c.bytes), c.kind) << c.name;
}

}  // namespace
}  // namespace tessaly
