// Reads the RTF our documents are made of (the engine's result lines, result
// entries, viewer bodies) into paragraphs of styled runs. It knows the subset
// the program writes: groups, font and colour tables (skipped), \b, \cf, \fs,
// \f, \plain, \pard, \par, \line, \tab, the escapes \\ \{ \}, \'hh and \uN.
// Anything else is passed over; no input makes it fail.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

struct RtfStyle {
    bool bold = false;
    int colour = 0;     // index into the document's colour table
    int fontSize = 24;  // in half points, RTF's default
    bool operator==(const RtfStyle&) const = default;
};

struct RtfRun : RtfStyle {
    std::string text;  // UTF-8; bytes outside ASCII were read as Windows-1252
};

struct RtfParagraph {
    std::vector<RtfRun> runs;
    std::string text() const;
};

std::vector<RtfParagraph> readRtf(std::string_view rtf);

// The same read for a caller that takes the text as it comes, without the
// paragraphs and runs made for it: each stretch of text in one style as the
// reader holds it (UTF-16, a byte that is not UTF-8 as one of U+DC80 to
// U+DCFF), and each \par where it stands.
class RtfReceiver {
public:
    virtual ~RtfReceiver() = default;
    virtual void text(std::u16string_view units, const RtfStyle& style) = 0;
    virtual void paragraphEnd() = 0;
};
void readRtf(std::string_view rtf, RtfReceiver& receiver);

// A piece of a longer text, as readRtf reads it, except that a piece ending
// in \par ends with an empty paragraph: what follows the piece starts a
// line of its own.
std::vector<RtfParagraph> readRtfPiece(std::string_view rtf);

}  // namespace tessaly
