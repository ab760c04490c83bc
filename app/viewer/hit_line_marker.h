// For an engine that cannot say where its hit words stand, the quick viewer
// marks the hit words of the engine's hit lines in the file's text: each hit
// line of the search result is looked for, without its markup, in the text,
// and its hit words are marked where it stands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/text_marker.h"

namespace tessaly {

// Lines are matched in order, each after the start of the previous match (the
// engine's lines overlap when a hit's window reaches back past the end of the
// one before); a line not found further on is left unmarked and the next one
// is tried. The search's text
// knows no line breaks: a run of them in the text stands for one blank, so a
// hit line that runs over a line break is still found (and its line breaks
// stay). A line without any hit is not looked for at all: it has nothing to
// mark, and matching it could only move the search past the lines that do.
//
// The text may still be growing: what cannot be decided yet waits for the
// next call.
class HitLineMarker : public TextMarker {
public:
    // `resultText` is the engine's result: hit lines in RTF, the hit words
    // in highlight groups, the lines apart by the line separator.
    explicit HitLineMarker(std::string_view resultText);

    std::vector<TextSpan> advance(std::u16string_view text, bool whole) override;

private:
    struct Line {
        std::u16string text;
        std::vector<TextSpan> hits;  // within text
    };
    enum class Match { Found, NotHere, NeedMore };
    Match matchAt(std::u16string_view text, std::size_t at, const Line& line, bool whole,
                  std::vector<std::size_t>& positions) const;

    std::vector<Line> lines_;
    std::size_t nextLine_ = 0;
    std::size_t afterMatch_ = 0;  // where the next line may start
    std::size_t markedTo_ = 0;    // the end of the last mark
    std::size_t resume_ = 0;      // candidates before this are settled for the next line
};

}  // namespace tessaly
