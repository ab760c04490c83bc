// The quick viewer shows the whole file with the engine's hit lines marked:
// each hit line of the search result is looked for, without its markup, in
// the file's body, and the marked line is put in its place.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The engine's markup around each hit word, and after each result line.
inline constexpr std::string_view kHighlightOpening = "{\\fs18\\cf1\\b ";
inline constexpr std::string_view kHighlightClosing = "}";
inline constexpr std::string_view kLineSeparator = "{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }";
// A line break in the viewer's body.
inline constexpr std::string_view kBodyParagraph = "{\\pard\\plain\\f3\\fs18 \\par }";

// A result line as it stands in the body: the highlight openings and their
// closing braces taken out.
std::string unmarkedLine(std::string_view markedLine);

// Steps through the hit lines one at a time, so that the window can let events
// through and honour Stop between them. Both texts are taken up to their first
// NUL and copied: the engine's buffers may be reused while the viewer fills.
//
// Lines are matched in order, each after the previous match; a line not found
// further on is left unmarked and the next one is tried. The search's text
// knows no line breaks: a run of them in the body stands for one blank, so a
// hit line that runs over a line break is still found. A line without any
// hit is not looked for at all: it has nothing to mark, and matching it could
// only move the search past the lines that do. A last line that lost its
// separator is still a line.
class HighlightMerge {
public:
    HighlightMerge(std::string_view body, std::string_view resultText);

    // The next piece of body to insert: the body up to the next matched line,
    // then that line marked. Nothing once the lines are used up.
    std::optional<std::string> next();

    // The body after the last matched line; inserted last, unless the user
    // stopped the loading.
    std::string rest() const;

private:
    // The body as the search's text reads it: each run of line breaks one blank.
    struct Fold {
        std::size_t projected;        // where the blank stands in projected_
        std::size_t cumulativeExtra;  // what the runs up to this one take beyond their blank
    };
    std::size_t bodyOffset(std::size_t projected) const;

    std::string body_;
    std::string projected_;
    std::vector<Fold> folds_;
    std::size_t projectedPosition_ = 0;
    std::vector<std::string> markedLines_;
    std::size_t nextLine_ = 0;
    std::size_t bodyPosition_ = 0;
};

}  // namespace tessaly
