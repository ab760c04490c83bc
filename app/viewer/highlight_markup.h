// The engine's markup that the viewer reads and writes back, letter for letter.
#pragma once

#include <string_view>

namespace tessaly {

// Around each hit word, and after each result line.
inline constexpr std::string_view kHighlightOpening = "{\\fs18\\cf1\\b ";
inline constexpr std::string_view kHighlightClosing = "}";
inline constexpr std::string_view kLineSeparator = "{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }";
// A line break in the viewer's body.
inline constexpr std::string_view kBodyParagraph = "{\\pard\\plain\\f3\\fs18 \\par }";

}  // namespace tessaly
