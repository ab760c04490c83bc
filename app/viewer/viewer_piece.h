// The viewer is filled piece by piece, each piece a small RTF document of its
// own, so that it shows the top of the file while the rest is still coming.
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// Fonts, the default paragraph and the colours (black, red for hits, blue)
// that every piece opens with.
extern const std::string_view kViewerHeader;

// The header, the body text (already RTF) and the closing brace.
std::string viewerPiece(std::string_view bodyText);
// The same for a piece that only carries on where the one before was cut:
// without the blank the header puts before the text, which would otherwise
// appear in the middle of the file at every cut.
std::string viewerContinuation(std::string_view bodyText);

}  // namespace tessaly
