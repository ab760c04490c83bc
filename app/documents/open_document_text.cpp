#include "documents/open_document_text.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "documents/package_text.h"

namespace tessaly {
namespace {

// <text:s text:c="N"/> asks for N spaces; more than a line's worth says
// nothing more to a search and would let a tiny file ask for gigabytes.
constexpr std::size_t kMaxSpaces = 256;

std::size_t spaceCount(const XmlTag& tag) {
    const auto count = tag.attribute("c");
    std::size_t value = 1;
    if (count) std::from_chars(count->data(), count->data() + count->size(), value);
    return std::min(value, kMaxSpaces);
}

class ContentText : public TextGathering {
public:
    using TextGathering::TextGathering;

    void startElement(const XmlTag& tag) override {
        const auto name = tag.localName();
        if (name == "tracked-changes") {
            ++skipped_;  // deleted text kept for change tracking is not shown
        } else if (name == "spreadsheet" || name == "presentation") {
            tablesArePages_ = true;
        } else if (name == "p" || name == "h") {
            ++paragraphs_;
        } else if (name == "table-cell" || name == "covered-table-cell") {
            ++cells_;
        } else if (shown() && paragraphs_ > 0) {
            if (name == "tab") text_.addText("\t");
            if (name == "s") text_.addText(std::string(spaceCount(tag), ' '));
            if (name == "line-break") text_.addText("\n");
        }
    }

    void endElement(std::string_view name) override {
        if (name == "tracked-changes") {
            if (skipped_ > 0) --skipped_;
        } else if (name == "p" || name == "h") {
            if (paragraphs_ > 0) --paragraphs_;
            // A cell's paragraphs stay on its row.
            cells_ > 0 ? text_.breakWord() : text_.breakParagraph();
        } else if (name == "table-cell" || name == "covered-table-cell") {
            if (cells_ > 0) --cells_;
            text_.breakCell();
        } else if (name == "table-row") {
            text_.breakParagraph();
        } else if (name == "table") {
            tablesArePages_ ? text_.breakPage() : text_.breakParagraph();
        } else if (name == "page") {
            text_.breakPage();
        }
    }

    void text(std::string_view utf8) override {
        if (shown() && paragraphs_ > 0) text_.addFlowingText(utf8);
    }

private:
    bool shown() const { return skipped_ == 0; }

    std::size_t skipped_ = 0;
    std::size_t paragraphs_ = 0;
    std::size_t cells_ = 0;
    bool tablesArePages_ = false;
};

// The manifest says which parts are encrypted; an encrypted content.xml
// would otherwise read as damaged XML.
class ManifestEncryption : public XmlContentHandler {
public:
    void startElement(const XmlTag& tag) override {
        if (tag.localName() == "file-entry") entry_ = tag.attribute("full-path").value_or("");
        if (tag.localName() == "encryption-data" && entry_ == "content.xml") contentEncrypted = true;
    }
    void endElement(std::string_view) override {}
    void text(std::string_view) override {}

    bool contentEncrypted = false;

private:
    std::string entry_;
};

}  // namespace

DocumentText openDocumentText(int fd, std::size_t textLimit) {
    PackageText package(fd, textLimit);
    ManifestEncryption manifest;
    package.readXml("META-INF/manifest.xml", manifest);
    if (manifest.contentEncrypted) {
        package.noteEncrypted();
        return package.result();
    }
    ContentText content(package.text());
    if (!package.readXml("content.xml", content)) package.noteDamaged();
    return package.result();
}

}  // namespace tessaly
