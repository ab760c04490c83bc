#include "platform/qt/lossless_text.h"

#include "platform/rtf_escape.h"

namespace tessaly {

QString textFromBytes(std::string_view bytes) {
    const std::u16string units = utf16FromBytes(bytes);
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

std::string bytesFromText(const QString& text) {
    return bytesFromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                              static_cast<std::size_t>(text.size())));
}

}  // namespace tessaly
