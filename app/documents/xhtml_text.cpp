#include "documents/xhtml_text.h"

#include <algorithm>
#include <array>

namespace tessaly {
namespace {

bool isHidden(std::string_view name) { return name == "head" || name == "script" || name == "style"; }

bool isBlock(std::string_view name) {
    constexpr std::array<std::string_view, 30> blocks{
        "p",     "div",    "h1",     "h2",     "h3",      "h4",         "h5",     "h6",
        "li",    "dt",     "dd",     "ul",     "ol",      "dl",         "blockquote", "pre",
        "section", "article", "header", "footer", "aside", "nav",        "figure", "figcaption",
        "table", "tr",     "hr",     "address", "caption", "body"};
    return std::find(blocks.begin(), blocks.end(), name) != blocks.end();
}

}  // namespace

void XhtmlText::startElement(const XmlTag& tag) {
    const auto name = tag.localName();
    if (isHidden(name)) ++hidden_;
    if (name == "pre") ++preformatted_;
    if (hidden_ > 0) return;
    if (isBlock(name)) text_.breakParagraph();
    if (name == "br") text_.addText("\n");
}

void XhtmlText::endElement(std::string_view name) {
    if (isHidden(name) && hidden_ > 0) --hidden_;
    if (name == "pre" && preformatted_ > 0) --preformatted_;
    if (hidden_ > 0) return;
    if (isBlock(name)) text_.breakParagraph();
    if (name == "td" || name == "th") text_.breakCell();
}

void XhtmlText::text(std::string_view utf8) {
    if (hidden_ > 0) return;
    preformatted_ > 0 ? text_.addText(utf8) : text_.addFlowingText(utf8);
}

}  // namespace tessaly
