#include "documents/epub_text.h"

#include <map>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "documents/package_text.h"
#include "documents/xhtml_text.h"

namespace tessaly {
namespace {

// A book's package lists at most this many items; more is not a book.
constexpr std::size_t kMaxItems = 100000;

class Container : public XmlContentHandler {
public:
    void startElement(const XmlTag& tag) override {
        if (tag.localName() == "rootfile" && packagePath.empty()) packagePath = tag.attribute("full-path").value_or("");
    }
    void endElement(std::string_view) override {}
    void text(std::string_view) override {}

    std::string packagePath;
};

struct ManifestItem {
    std::string href;
    std::string mediaType;
};

class PackageDocument : public XmlContentHandler {
public:
    explicit PackageDocument(std::size_t budget) : kept(budget) {}

    void startElement(const XmlTag& tag) override {
        const auto name = tag.localName();
        const auto id = tag.attribute(name == "itemref" ? "idref" : "id");
        if (!id || items.size() + spine.size() >= kMaxItems || kept.over()) return;
        if (name == "item") {
            ManifestItem item{tag.attribute("href").value_or(""), tag.attribute("media-type").value_or("")};
            if (kept.take(id->size() + item.href.size() + item.mediaType.size())) items[*id] = std::move(item);
        }
        if (name == "itemref" && kept.take(id->size())) spine.push_back(*id);
    }
    void endElement(std::string_view) override {}
    void text(std::string_view) override {}
    // Past the budget the rest of the list is not even read.
    bool satisfied() const override { return kept.over(); }

    std::map<std::string, ManifestItem> items;
    std::vector<std::string> spine;
    // Past its budget, the package would hold more than a book's ever does.
    NamesKept kept;
};

// META-INF/encryption.xml names the parts a book's DRM encrypted; fonts
// obfuscated against copying are listed there too, and do not matter here.
class EncryptedParts : public XmlContentHandler {
public:
    void startElement(const XmlTag& tag) override {
        if (tag.localName() == "CipherReference" && parts.size() < kMaxItems)
            if (auto uri = tag.attribute("URI")) parts.insert(std::move(*uri));
    }
    void endElement(std::string_view) override {}
    void text(std::string_view) override {}

    std::set<std::string> parts;
};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecoded(std::string_view href) {
    std::string decoded;
    for (std::size_t at = 0; at < href.size(); ++at) {
        if (href[at] == '%' && at + 2 < href.size() && hexValue(href[at + 1]) >= 0 && hexValue(href[at + 2]) >= 0) {
            decoded += static_cast<char>(hexValue(href[at + 1]) * 16 + hexValue(href[at + 2]));
            at += 2;
        } else {
            decoded += href[at];
        }
    }
    return decoded;
}

// The zip entry an href in the package document at `packagePath` names:
// relative to the package's folder, "." and ".." resolved, fragment dropped.
std::string entryOfHref(std::string_view packagePath, std::string_view href) {
    href = href.substr(0, href.find('#'));
    const auto slash = packagePath.rfind('/');
    std::string joined = slash == std::string_view::npos ? std::string() : std::string(packagePath.substr(0, slash + 1));
    joined += percentDecoded(href);
    std::vector<std::string_view> segments;
    std::string_view rest = joined;
    while (!rest.empty()) {
        const auto end = rest.find('/');
        const auto segment = rest.substr(0, end);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    std::string entry;
    for (const auto segment : segments) {
        if (!entry.empty()) entry += '/';
        entry += segment;
    }
    return entry;
}

bool isPage(const ManifestItem& item) { return item.mediaType.find("html") != std::string::npos; }

}  // namespace

DocumentText epubText(int fd, std::size_t textLimit) {
    PackageText package(fd, textLimit);
    Container container;
    package.readXml("META-INF/container.xml", container);
    PackageDocument book(package.namesBudget());
    if (container.packagePath.empty() || !package.readXml(container.packagePath, book) || book.kept.over()) {
        package.noteDamaged();
        return package.result();
    }
    EncryptedParts encrypted;
    package.readXml("META-INF/encryption.xml", encrypted);
    if (book.spine.empty()) package.noteDamaged();
    XhtmlText page(package.text());
    // A book reads each of its pages once: a spine that lists one page
    // thousands of times is made to keep a reader busy, not to be read.
    std::unordered_set<std::string> read;
    for (const auto& id : book.spine) {
        if (package.finished()) break;
        const auto item = book.items.find(id);
        if (item == book.items.end() || !isPage(item->second)) continue;
        const auto entry = entryOfHref(container.packagePath, item->second.href);
        if (!read.insert(entry).second) continue;
        if (encrypted.parts.contains(entry)) {
            package.noteEncrypted();
            continue;
        }
        if (!package.readXml(entry, page, EntityNames::html)) package.noteDamaged();
        package.text().breakPage();
    }
    return package.result();
}

}  // namespace tessaly
