#include "run/result_document.h"

#include "platform/rtf_escape.h"

namespace tessaly {

const std::string_view kResultHeader =
    "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 "
    "Symbol;}{\\f2\\froman\\fprq2 Times New Roman;}{\\f3\\froman Times New Roman;}{\\f4\\froman Times "
    "New Roman;}{\\f5\\fmodern\\fprq1 Courier New;} }{\\colortbl\\red0\\green0\\blue0;\\red255\\green0"
    "\\blue0;\\red0\\green0\\blue255;}";

namespace {
constexpr std::string_view kBlankLineBefore = "{\\f4\\fs18}\\pard {\\fs18 \\par}";
constexpr std::string_view kLinesOpening = "\\pard \\fs18 ";
}  // namespace

std::string entryMarker(int fileCount) { return std::to_string(fileCount) + ". "; }

std::string headingText(std::string_view fullPath, std::string_view dateText) {
    // Braces in a file name would otherwise open and close groups and break
    // every entry after it.
    return escapeRtfText(fullPath) + "   [" + escapeRtfText(dateText) + "]";
}

std::string fileEntry(const FileEntry& entry) {
    return std::string(kResultHeader) + fileEntryBody(entry) + '}';
}

std::string fileEntryBody(const FileEntry& entry) {
    std::string text;
    appendFileEntryBody(text, entry);
    return text;
}

void appendFileEntryBody(std::string& text, const FileEntry& entry) {
    text.reserve(text.size() + entry.heading.size() + entry.lines.size() + 256);
    text += kHeadingOpening;
    if (entry.fileCount > 1) text += kBlankLineBefore;
    text += entryMarker(entry.fileCount);
    text += entry.heading;
    text += kParagraphClosing;
    if (entry.nameAndText) {
        text += kLinesOpening;
        text += entry.lines;
    }
    if (entry.tooManyHits) {
        text += kNoteOpening;
        text += kTooManyHits;
        text += kParagraphClosing;
    }
}

}  // namespace tessaly
