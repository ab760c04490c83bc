#include "run/single_file_text.h"

#include "platform/rtf_escape.h"
#include "run/result_document.h"

namespace tessaly {

namespace {
constexpr std::string_view kLinesOpening = "\\fs18 ";
}  // namespace

std::uint64_t sizeInKb(std::uint64_t bytes) {
    const std::uint64_t kb = bytes / 1024;
    return kb == 0 ? 1 : kb;
}

std::string singleFileText(std::string_view dateText, std::uint64_t fileSize,
                           std::string_view lines, std::uint32_t resultLength) {
    // The engine's buffer may hold stale text behind its terminating NUL.
    lines = lines.substr(0, lines.find('\0'));
    std::string text;
    text.reserve(kResultHeader.size() + lines.size() + 400);
    text += kResultHeader;
    text += kHeadingOpening;
    text += "Date: ";
    text += escapeRtfText(dateText);
    // Sizes carry the blank a minus sign would take, as every number the
    // program shows does: "Size:  4KB".
    text += "    Size:  ";
    text += std::to_string(sizeInKb(fileSize));
    text += "KB";
    text += kParagraphClosing;
    text += kLinesOpening;
    text += lines;
    if (resultLength > kMaxResultLength) {
        text += kNoteOpening;
        text += kTooManyHits;
        text += kParagraphClosing;
    }
    text += '}';
    return text;
}

}  // namespace tessaly
