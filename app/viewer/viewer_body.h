// The engine's RTF body of a whole file for the quick viewer. The markup can
// make the body several times as long as the file (a line break alone takes
// 27 bytes), so the buffer grows until the whole body fits. Only the part the
// engine writes takes memory, and the reader gives back what it has read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "documents/document_text.h"
#include "platform/engine_loader.h"
#include "platform/page_buffer.h"
#include "viewer/viewer_text_load.h"

namespace tessaly {

struct ViewerBody {
    PageBuffer buffer;
    std::size_t length = 0;
    // The body outgrew the largest buffer the engine can be given: it stops
    // short of the file's end.
    bool cut = false;

    std::string_view rtf() const { return {buffer.data(), length}; }
};

// Nothing when the engine cannot read the file. A document's body is the
// text it shows, read beforehand (documentTextOf).
std::optional<ViewerBody> fetchViewerBody(const EngineCalls& engine, const std::string& path,
                                          std::uint64_t fileSize, const DocumentText* document);

// The same body handed to `sink` as the engine makes it, of the file open on
// `file` (read from where it stands), or of the document's text. An engine
// without the streamed body gives it whole, through fetchViewerBody.
bool streamViewerBody(const EngineCalls& engine, int file, const std::string& path, std::uint64_t fileSize,
                      const DocumentText* document, const ViewerTextLoad::PieceSink& sink);

}  // namespace tessaly
