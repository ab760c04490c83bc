#include "documents/document_kind.h"

#include <array>
#include <cstdint>

namespace tessaly {
namespace {

constexpr std::string_view kLocalHeader{"PK\3\4", 4};
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::string_view kCompoundFile{"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8};
// The stream's name in the compound file's directory, in UTF-16LE.
constexpr std::string_view kEncryptedPackage{"E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32};

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

struct LocalEntry {
    std::string_view name;
    std::string_view storedData;  // empty unless stored uncompressed and whole in view
};

// The local header at `at`, or an empty name when it does not fit in view.
LocalEntry localEntryAt(std::string_view bytes, std::size_t at) {
    if (bytes.size() < at + kLocalHeaderSize || bytes.substr(at, 4) != kLocalHeader) return {};
    const std::size_t nameSize = littleEndian(bytes, at + 26, 2);
    const std::size_t extraSize = littleEndian(bytes, at + 28, 2);
    const std::size_t nameAt = at + kLocalHeaderSize;
    if (bytes.size() < nameAt + nameSize) return {};
    LocalEntry entry{bytes.substr(nameAt, nameSize), {}};
    const bool stored = littleEndian(bytes, at + 8, 2) == 0;
    const std::size_t dataAt = nameAt + nameSize + extraSize;
    const std::size_t dataSize = littleEndian(bytes, at + 18, 4);
    if (stored && dataAt <= bytes.size() && dataSize <= bytes.size() - dataAt)
        entry.storedData = bytes.substr(dataAt, dataSize);
    return entry;
}

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool isPackagePart(std::string_view name) {
    constexpr std::array<std::string_view, 6> parts{"[Content_Types].xml", "_rels/", "docProps/",
                                                    "word/",               "xl/",    "ppt/"};
    for (const auto part : parts)
        if (name == part || (part.back() == '/' && startsWith(name, part))) return true;
    return false;
}

bool isOfficePart(std::string_view name) {
    return startsWith(name, "word/") || startsWith(name, "xl/") || startsWith(name, "ppt/");
}

DocumentKind zipKindOf(std::string_view bytes) {
    const LocalEntry first = localEntryAt(bytes, 0);
    if (first.name == "mimetype") {
        // Some writers end the type with a line break.
        std::string_view type = first.storedData;
        while (!type.empty() && (type.back() == '\n' || type.back() == '\r' || type.back() == ' ')) type.remove_suffix(1);
        if (type == "application/epub+zip") return DocumentKind::epub;
        if (startsWith(type, "application/vnd.oasis.opendocument.")) return DocumentKind::openDocument;
        return DocumentKind::none;
    }
    if (!isPackagePart(first.name)) return DocumentKind::none;
    // Local headers are looked for by their signature rather than walked by
    // their sizes: writers that stream leave the sizes out of the header. A
    // signature inside compressed data that happens to name an office part is
    // too unlikely to matter.
    for (std::size_t at = 0; at != std::string_view::npos; at = bytes.find(kLocalHeader, at + 1)) {
        if (isOfficePart(localEntryAt(bytes, at).name)) return DocumentKind::officeOpenXml;
    }
    return DocumentKind::none;
}

// A PDF starts with its header; only a byte-order mark or blanks may stand
// before it. A text that mentions the header further on (a note about PDF
// files, a mail with one inline) is text, and its words are found.
bool startsAsPdf(std::string_view bytes) {
    if (startsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
    const std::size_t header = bytes.find_first_not_of(" \t\r\n\f");
    return header != std::string_view::npos && startsWith(bytes.substr(header), "%PDF-");
}

}  // namespace

DocumentKind documentKindOf(std::string_view firstBytes) {
    if (startsAsPdf(firstBytes.substr(0, 1024))) return DocumentKind::pdf;
    if (startsWith(firstBytes, kLocalHeader)) return zipKindOf(firstBytes);
    if (startsWith(firstBytes, kCompoundFile) && firstBytes.find(kEncryptedPackage) != std::string_view::npos)
        return DocumentKind::lockedOffice;
    return DocumentKind::none;
}

}  // namespace tessaly
