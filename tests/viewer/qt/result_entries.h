// Result pane content as a search run leaves it: per file a blue bold heading
// and hit lines with the hit word in bold red.
#pragma once

#include <string>

#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/rich_text_box.h"
#include "run/result_document.h"

namespace tessaly::test {

// Hit lines as the engine writes them, each followed by the line separator.
// The first file's first line is long enough to wrap on any page.
inline std::string hitLines(int file, int lines) {
    std::string text;
    for (int line = 1; line <= lines; ++line) {
        text += "file " + std::to_string(file) + " line " + std::to_string(line) +
                " with the {\\fs18\\cf1\\b cat} on the mat";
        if (file == 1 && line == 1)
            for (int word = 0; word < 40; ++word) text += " and a rat";
        text += "{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }";
    }
    return text;
}

inline void append(RichTextBox& pane, const std::string& rtf) { pane.insertRtf(rtf); }
inline void append(GrowingRichTextBox& pane, const std::string& rtf) { pane.appendRtf(rtf); }

// `files` entries of `linesPerFile` hit lines, put in one after another as a
// run puts them.
template <class Pane>
void fillResultPane(Pane& pane, int files, int linesPerFile) {
    for (int file = 1; file <= files; ++file) {
        const std::string lines = hitLines(file, linesPerFile);
        FileEntry entry;
        entry.fileCount = file;
        entry.heading = headingText("/home/ann/notes/file" + std::to_string(file) + ".txt",
                                    "1/2/2024 10:00:00");
        entry.lines = lines;
        append(pane, fileEntry(entry));
    }
}

}  // namespace tessaly::test
