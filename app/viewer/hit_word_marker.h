// Marks the hit words where the engine says they stand: it counts characters
// of the viewer's text, which holds characters beyond U+FFFF as two units.
#pragma once

#include <cstddef>
#include <vector>

#include "viewer/text_marker.h"

namespace tessaly {

class HitWordMarker : public TextMarker {
public:
    // `places` in characters, in order and apart.
    explicit HitWordMarker(std::vector<TextSpan> places);

    std::vector<TextSpan> advance(std::u16string_view text, bool whole) override;

private:
    // Moves the cursor on to the character `character`; false when the text
    // so far ends before it (or before the second unit of its last character).
    bool reach(std::u16string_view text, std::size_t character);

    std::vector<TextSpan> places_;
    std::size_t next_ = 0;
    std::size_t character_ = 0;  // the cursor, in characters
    std::size_t unit_ = 0;       // and in units
};

}  // namespace tessaly
