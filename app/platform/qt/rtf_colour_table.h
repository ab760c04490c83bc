// The colour table of an RTF document. Our reader passes over the table, as
// it passes over everything that shows nothing; the rich-text box still needs
// it to turn \cfN into a colour.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace tessaly {

struct RtfColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    // An entry without components: the reader's own text colour.
    bool automatic = false;

    bool operator==(const RtfColour&) const = default;
};

using RtfColourTable = std::vector<RtfColour>;

// The entries of the first \colortbl group of the document, in order; no
// value when the document has none. Components are clamped to 0..255.
std::optional<RtfColourTable> readRtfColourTable(std::string_view rtf);

}  // namespace tessaly
