// Random bytes as RTF: the reader must take anything, and text it escaped
// itself must come back unchanged.
#include <cstdlib>
#include <string_view>

#include "platform/rtf_escape.h"
#include "platform/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto paragraphs = tessaly::readRtf(bytes);
    std::size_t textSize = 0;
    for (const auto& paragraph : paragraphs) textSize += paragraph.text().size();
    // A text unit of the source never becomes more than four bytes.
    if (textSize > 4 * size + 4) std::abort();

    if (bytes.find('\0') == std::string_view::npos && !bytes.empty()) {
        const auto back = tessaly::readRtf(tessaly::escapeRtfText(bytes));
        if (back.size() != 1 || back[0].text() != bytes) std::abort();
    }
    return 0;
}
