// Random bytes as a document's XML: the reader must take anything, in any
// chunking, report the same either way, and never report more text than the
// bytes could spell.
#include <cstdlib>
#include <string>
#include <string_view>

#include "documents/xml_text_reader.h"

namespace {

class Trace : public tessaly::XmlContentHandler {
public:
    void startElement(const tessaly::XmlTag& tag) override {
        trace += '<';
        trace += tag.localName();
        if (const auto value = tag.attribute("v")) trace += *value;
    }
    void endElement(std::string_view name) override { trace += '>', trace += name; }
    void text(std::string_view utf8) override { trace += utf8, textSize += utf8.size(); }

    std::string trace;
    std::size_t textSize = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto names = size > 0 && data[0] % 2 ? tessaly::EntityNames::html : tessaly::EntityNames::xml;
    Trace whole, pieces;
    tessaly::XmlTextReader wholeReader(whole, names), pieceReader(pieces, names);
    wholeReader.feed(bytes);
    wholeReader.finish();
    const std::size_t step = size > 1 ? 1 + data[1] % 13 : 1;
    for (std::size_t at = 0; at < size; at += step) pieceReader.feed(bytes.substr(at, step));
    pieceReader.finish();
    if (whole.trace != pieces.trace || wholeReader.damaged() != pieceReader.damaged()) std::abort();
    // A reference of at least three bytes ("&#9;") never spells more than
    // four; every other byte stands for itself at most.
    if (whole.textSize > 2 * size + 4) std::abort();
    return 0;
}
