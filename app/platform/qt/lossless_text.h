// Text that may hold bytes which are not UTF-8, as a Linux file name may: Qt
// would turn such bytes into U+FFFD for good. Here each stray byte becomes one
// of the units U+DC80 to U+DCFF instead, the same units our RTF escapes use,
// so the exact bytes come back when the text is saved or opened.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tessaly {

QString textFromBytes(std::string_view bytes);

// The inverse of textFromBytes; a surrogate that no stray byte produced
// becomes U+FFFD.
std::string bytesFromText(const QString& text);

}  // namespace tessaly
