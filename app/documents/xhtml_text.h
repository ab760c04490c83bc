// The text a browser shows for an XHTML page: the body without scripts and
// styles, white space collapsed, block elements ending paragraphs.
#pragma once

#include <cstddef>

#include "documents/package_text.h"

namespace tessaly {

class XhtmlText : public TextGathering {
public:
    using TextGathering::TextGathering;

    void startElement(const XmlTag& tag) override;
    void endElement(std::string_view name) override;
    void text(std::string_view utf8) override;

private:
    std::size_t hidden_ = 0;
    std::size_t preformatted_ = 0;
};

}  // namespace tessaly
