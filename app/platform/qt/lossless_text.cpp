#include "platform/qt/lossless_text.h"

#include "platform/rtf_escape.h"
#include "platform/utf8.h"

namespace tessaly {

QString textFromBytes(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8Sequence sequence = decodeUtf8(bytes, i);
        if (sequence.length == 0) {
            text += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        const char32_t point = sequence.codePoint;
        if (point >= 0x10000) {
            text += QChar(QChar::highSurrogate(point));
            text += QChar(QChar::lowSurrogate(point));
        } else {
            text += QChar(static_cast<char16_t>(point));
        }
        i += sequence.length;
    }
    return text;
}

std::string bytesFromText(const QString& text) {
    return bytesFromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                              static_cast<std::size_t>(text.size())));
}

}  // namespace tessaly
