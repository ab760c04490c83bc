// A streaming reader for the XML inside documents: it is fed the bytes of one
// entry in chunks as they come out of the zip and reports element starts, ends
// and text as it goes, without building a tree.
//
// Why not a DOM parser: a document's XML is not ours to trust. A 4 GB
// content.xml inflated from a 4 MB zip, or a single text node of a gigabyte,
// would have to be held whole before a tree parser returned anything. Here
// memory stays bounded whatever comes in: text passes through in pieces of the
// chunks fed, a tag is held only up to kMaxTagSize, and entities declared in a
// DOCTYPE are never expanded (so no "billion laughs"). The caller stops
// feeding when it has enough text.
//
// It is deliberately forgiving: a stray '&', an unclosed element or a tag that
// is too long marks the XML damaged, but reading goes on, so a truncated or
// sloppy document still gives the text it has.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "documents/character_reference.h"

namespace tessaly {

// A start tag as written between '<' and '>'.
class XmlTag {
public:
    XmlTag(std::string_view name, std::string_view attributes, EntityNames names)
        : name_(name), attributes_(attributes), names_(names) {}

    // The name without its namespace prefix: "p" for <text:p>. Documents
    // from different writers use different prefixes for the same namespace.
    std::string_view localName() const;
    std::string_view qualifiedName() const { return name_; }
    // The value of an attribute with references resolved. A name with a
    // prefix ("r:id") matches exactly; one without matches any prefix.
    std::optional<std::string> attribute(std::string_view name) const;

private:
    std::string_view name_;
    std::string_view attributes_;
    EntityNames names_;
};

class XmlContentHandler {
public:
    virtual ~XmlContentHandler() = default;
    virtual void startElement(const XmlTag& tag) = 0;
    // An empty element (<a/>) reports its end right after its start.
    virtual void endElement(std::string_view localName) = 0;
    // Character data with references resolved, in pieces of any size:
    // one text node may come in several calls.
    virtual void text(std::string_view utf8) = 0;
    // True when the handler wants nothing more; reading stops.
    virtual bool satisfied() const { return false; }
};

std::string_view localNameOf(std::string_view qualifiedName);

class XmlTextReader {
public:
    static constexpr std::size_t kMaxTagSize = 64 * 1024;

    explicit XmlTextReader(XmlContentHandler& handler, EntityNames names = EntityNames::xml)
        : handler_(handler), names_(names) {}

    void feed(std::string_view bytes);
    // The input ended: whatever was left open is damage.
    void finish();

    // Whether the input was not well-formed in a way the reader noticed.
    bool damaged() const { return damaged_; }

private:
    enum class State { text, reference, markup, tag, overlongTag, comment, cdata, instruction, declaration };

    void takeText(std::string_view bytes, std::size_t& at);
    void takeReference(char c);
    void takeMarkup(char c);
    void takeTag(char c);
    void takeCdata(std::string_view bytes, std::size_t& at);
    void endTag();
    void heldBracketsAsText(std::size_t count);

    XmlContentHandler& handler_;
    EntityNames names_;
    State state_ = State::text;
    std::string held_;  // the reference, tag or markup opening read so far
    char quote_ = 0;    // inside a quoted attribute value: its quote
    std::size_t run_ = 0;  // '-' before a comment's end, ']' before a CDATA end, '[' depth of a DOCTYPE
    bool previousWasQuestion_ = false;
    std::size_t depth_ = 0;
    bool sawElement_ = false;
    bool damaged_ = false;
};

}  // namespace tessaly
