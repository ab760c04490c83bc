#include "documents/office_run_text.h"

namespace tessaly {

void OfficeRunText::startElement(const XmlTag& tag) {
    const auto name = tag.localName();
    if (name == "t") {
        ++runTexts_;
    } else if (name == "Fallback") {
        ++fallbacks_;
    } else if (name == "tabs" || name == "tabLst") {
        ++tabStops_;  // tab stop definitions, not tabs
    } else if (shown()) {
        if (name == "br" || name == "cr") text_.addText("\n");
        if (markup_ == Markup::wordprocessing && (name == "tab" || name == "ptab")) text_.addText("\t");
        if (markup_ == Markup::wordprocessing && name == "noBreakHyphen") text_.addText("-");
    }
}

void OfficeRunText::endElement(std::string_view name) {
    const auto leave = [](std::size_t& depth) {
        if (depth > 0) --depth;
    };
    if (name == "t") leave(runTexts_);
    if (name == "Fallback") leave(fallbacks_);
    if (name == "tabs" || name == "tabLst") leave(tabStops_);
    if (name == "p" || name == "tr") text_.breakParagraph();
    if (name == "tc") text_.breakCell();
}

void OfficeRunText::text(std::string_view utf8) {
    if (runTexts_ > 0 && shown()) text_.addText(utf8);
}

}  // namespace tessaly
