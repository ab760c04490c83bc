#include "text_decoder.h"

namespace tyx12::detail {

EncodingMark encodingMarkOf(const unsigned char* bytes, std::size_t count) {
    if (count >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return {TextEncoding::Utf8OrWindows1252, 3};
    if (count >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return {TextEncoding::Utf16LittleEndian, 2};
    if (count >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return {TextEncoding::Utf16BigEndian, 2};
    return {};
}


}  // namespace tyx12::detail
