// The text of WordprocessingML and DrawingML parts (a .docx's document, a
// .pptx's slides): only what stands in <t> runs, paragraphs ended by </p>,
// table cells by </tc>. Field codes (<instrText>), deleted text (<delText>)
// and the fallback copy of alternate content are not what the page shows.
#pragma once

#include <cstddef>

#include "documents/package_text.h"

namespace tessaly {

class OfficeRunText : public TextGathering {
public:
    // In WordprocessingML <w:tab/> and <w:br/> in a run are a tab and a line
    // break; DrawingML writes its tabs in the text itself.
    enum class Markup { wordprocessing, drawing };

    OfficeRunText(DocumentTextBuilder& text, Markup markup) : TextGathering(text), markup_(markup) {}

    void startElement(const XmlTag& tag) override;
    void endElement(std::string_view name) override;
    void text(std::string_view utf8) override;

private:
    bool shown() const { return fallbacks_ == 0 && tabStops_ == 0; }

    Markup markup_;
    std::size_t runTexts_ = 0;
    std::size_t fallbacks_ = 0;
    std::size_t tabStops_ = 0;
};

}  // namespace tessaly
