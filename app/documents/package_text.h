// One zip-packaged document being read (OpenDocument, Office Open XML, EPUB):
// its archive, the text gathered so far and what went wrong on the way, which
// becomes the document's problem only when it cost the reader its text.
#pragma once

#include <algorithm>

#include <cstddef>
#include <string_view>

#include "documents/document_text.h"
#include "documents/document_text_builder.h"
#include "documents/xml_text_reader.h"
#include "documents/zip_archive.h"

namespace tessaly {

// A handler that gathers into the document's text and stops the reading once
// the text is full.
class TextGathering : public XmlContentHandler {
public:
    explicit TextGathering(DocumentTextBuilder& text) : text_(text) {}
    bool satisfied() const override { return text_.full(); }

protected:
    DocumentTextBuilder& text_;
};

// What a reader keeps of a package's own lists (part names, ids,
// references), counted against PackageText::namesBudget().
class NamesKept {
public:
    explicit NamesKept(std::size_t budget) : budget_(budget) {}
    // False, and for good, once the bytes kept would pass the budget.
    bool take(std::size_t bytes) {
        used_ += bytes;
        over_ = over_ || used_ > budget_;
        return !over_;
    }
    bool over() const { return over_; }

private:
    std::size_t budget_;
    std::size_t used_ = 0;
    bool over_ = false;
};

class PackageText {
public:
    PackageText(int fd, std::size_t textLimit);

    ZipArchive& archive() { return archive_; }
    DocumentTextBuilder& text() { return text_; }
    // How many bytes of names (part names, ids, references) a reader may
    // keep from the package's own lists: a few kilobytes in a real document,
    // gigabytes in a crafted one whose lists inflate from a small file.
    std::size_t namesBudget() const { return std::min<std::size_t>(16 << 20, 4 * text_.limit()); }

    // Streams one XML entry through `handler`. False when the entry is not
    // there; damage, encryption and size are noted for the result.
    bool readXml(std::string_view name, XmlContentHandler& handler, EntityNames names = EntityNames::xml);
    // A part the document cannot do without is missing or unusable.
    void noteDamaged() { damaged_ = true; }
    void noteEncrypted() { encrypted_ = true; }
    // Whether reading more parts is pointless: the text or the inflated
    // bytes reached their limit, the archive did not open, or Stop came.
    bool finished() const;

    DocumentText result();

private:
    std::size_t maxInflated_;
    ZipArchive archive_;
    DocumentTextBuilder text_;
    bool damaged_ = false;
    bool encrypted_ = false;
    bool inflatedTooMuch_ = false;
};

}  // namespace tessaly
