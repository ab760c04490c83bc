#include "viewer/selected_file_pick.h"

#include <algorithm>
#include <cstddef>

#include "run/result_document.h"

namespace tessaly {

namespace {

constexpr std::u16string_view kPathEnd = u"   [";

std::u16string entryMarker16(int entryNumber) {
    const std::string ascii = entryMarker(entryNumber);
    return std::u16string(ascii.begin(), ascii.end());
}

bool isLineBreak(char16_t unit) {
    return unit == u'\n' || unit == u'\r' || unit == u'\u2028' || unit == u'\u2029';
}

// The path that follows an entry marker, when the text there is a heading.
std::optional<std::u16string> headingPath(std::u16string_view afterMarker) {
    if (afterMarker.empty() || afterMarker.front() != u'/') return std::nullopt;
    const std::size_t end = afterMarker.find(kPathEnd);
    if (end == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view path = afterMarker.substr(0, end);
    // A heading is one line: a "path" that runs over a line break is passage
    // text after a false marker, reaching into the next heading.
    if (std::any_of(path.begin(), path.end(), isLineBreak)) return std::nullopt;
    return std::u16string(path);
}

}  // namespace

std::optional<std::u16string> pathUnderCaret(std::u16string_view plainText, int caret) {
    int entryNumber = 1;
    std::u16string marker = entryMarker16(entryNumber);
    std::size_t found = plainText.find(marker);
    if (found == std::u16string_view::npos) return std::nullopt;

    // Only the entry that counts matters: a path taken from an earlier entry
    // would open a file the caret is not on.
    std::size_t countingEnd = found + marker.size();
    while (true) {
        marker = entryMarker16(++entryNumber);
        found = plainText.find(marker, found);
        // The caret stands after the marker's first character once its offset
        // reaches the marker's 1-based position.
        if (found == std::u16string_view::npos || caret < 0 ||
            static_cast<std::size_t>(caret) < found + 1)
            break;
        countingEnd = found + marker.size();
    }
    return headingPath(plainText.substr(countingEnd));
}

}  // namespace tessaly
