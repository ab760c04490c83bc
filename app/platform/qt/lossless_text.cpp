#include "platform/qt/lossless_text.h"

#include "platform/rtf_escape.h"

namespace tessaly {

QString textFromBytes(std::string_view bytes) {
    const std::u16string units = utf16FromBytes(bytes);
    // Not fromUtf16: it takes a leading U+FEFF or U+FFFE for a byte-order
    // mark, and drops it or swaps every unit after it.
    return QString(reinterpret_cast<const QChar*>(units.data()), static_cast<qsizetype>(units.size()));
}

std::string bytesFromText(const QString& text) {
    return bytesFromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                              static_cast<std::size_t>(text.size())));
}

}  // namespace tessaly
