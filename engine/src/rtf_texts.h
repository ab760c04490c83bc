// The fixed RTF pieces the engine writes; the program's result pane and viewer
// rely on them letter for letter.
#pragma once

#include <cstddef>
#include <string_view>

#include "text_view.h"

namespace tyx12::detail {

inline constexpr std::string_view kHighlightOpening = "{\\fs18\\cf1\\b ";
inline constexpr std::string_view kHighlightClosing = "}";
inline constexpr std::string_view kLineSeparator = "{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }";
inline constexpr std::string_view kViewParagraph = "{\\pard\\plain\\f3\\fs18 \\par }";

inline bool isRtfSpecial(Char c) { return c == '\\' || c == '{' || c == '}'; }

// "\u-10179?\u-9217?": a character beyond U+FFFF, as its two surrogates.
inline constexpr std::size_t kLongestUnicodeEscape = 18;

// Writes a character outside ASCII as RTF writes it, "\uN?" with N a signed
// 16-bit number, and returns how many bytes that took.
std::size_t writeUnicodeEscape(Char c, char* out);

}  // namespace tyx12::detail
