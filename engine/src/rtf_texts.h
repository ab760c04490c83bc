// The fixed RTF pieces the engine writes; the program's result pane and viewer
// rely on them letter for letter.
#pragma once

#include <string_view>

namespace tyx12::detail {

inline constexpr std::string_view kHighlightOpening = "{\\fs18\\cf1\\b ";
inline constexpr std::string_view kHighlightClosing = "}";
inline constexpr std::string_view kLineSeparator = "{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }";
inline constexpr std::string_view kViewParagraph = "{\\pard\\plain\\f3\\fs18 \\par }";

inline bool isRtfSpecial(char c) { return c == '\\' || c == '{' || c == '}'; }

}  // namespace tyx12::detail
