// The rich text a search run writes: one entry per matching file, each a small
// RTF document of its own, appended to the result pane one after another.
#pragma once

#include <string>
#include <string_view>

#include "tyx12/tyx12.h"

namespace tessaly {

// Opens every entry, and the single-file view: the fonts and the three
// colours (black, red for hits, blue for headings).
extern const std::string_view kResultHeader;

// The pieces a heading and the too-many-hits note are made of, shared with
// the single-file view.
inline constexpr std::string_view kHeadingOpening = "{\\fs18\\cf2\\b ";
inline constexpr std::string_view kParagraphClosing =
    "\\f4\\fs18}\\pard {\\fs18 \\par} \\pard {\\fs18 \\par }";
inline constexpr std::string_view kNoteOpening = "{\\fs18\\cf1\\b ";
inline constexpr std::string_view kTooManyHits =
    "Too many hits found. Please refine the search text and search this file again!";

// Above this length the engine delivered no lines: the entry gets a note instead.
inline constexpr unsigned kMaxResultLength = TYX12_RESULT_MAX_LENGTH;

// "12. " for the twelfth matching file.
std::string entryMarker(int fileCount);

// The file's path as the heading shows it, escaped for RTF, with its own case
// (a lower-cased path would not open on this system), then its date in brackets.
std::string headingText(std::string_view fullPath, std::string_view dateText);

struct FileEntry {
    int fileCount = 1;         // 1 for the first matching file of the run
    std::string heading;       // headingText()
    std::string_view lines;    // the engine's result text, up to its NUL
    bool nameAndText = true;   // false in Name Only display: the heading alone
    bool tooManyHits = false;  // the engine's result length was above kMaxResultLength
};

// The entry as the result pane takes it: a document of its own.
std::string fileEntry(const FileEntry& entry);

// The entry without the result header before it and the closing brace after
// it, for joining entries into one document: the header, the bodies, "}".
std::string fileEntryBody(const FileEntry& entry);
void appendFileEntryBody(std::string& text, const FileEntry& entry);

}  // namespace tessaly
