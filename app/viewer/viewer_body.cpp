#include "viewer/viewer_body.h"

#include <algorithm>
#include <cstring>


namespace tessaly {

namespace {

// The most a body can take per byte of the file: a carriage return or a tab
// becomes a 27-byte paragraph.
constexpr std::uint64_t kLargestGrowth = 28;
constexpr std::uint64_t kLargestBase = INT32_MAX - TYX12_VIEW_EXTRA_CAPACITY;

}  // namespace

namespace {

// `view(base, buffer)` asks the engine for the body into a buffer of base
// plus its extra capacity, for an input of `size` bytes.
template <class View>
std::optional<ViewerBody> fetchBody(std::uint64_t size, const View& view) {
    // Ordinary text fits twice its size; the second try fits anything.
    for (const std::uint64_t growth : {std::uint64_t{2}, kLargestGrowth}) {
        const std::uint64_t base = std::min(growth * size, kLargestBase);
        PageBuffer buffer(base + TYX12_VIEW_EXTRA_CAPACITY);
        if (view(static_cast<std::int32_t>(base), buffer.data()) == 0) return std::nullopt;
        const std::size_t length = std::strlen(buffer.data());
        const bool mayBeCut = length + TYX12_VIEW_CUT_MARGIN >= base + TYX12_VIEW_EXTRA_CAPACITY;
        if (!mayBeCut || growth == kLargestGrowth || base == kLargestBase)
            return ViewerBody{std::move(buffer), length, mayBeCut};
    }
    return std::nullopt;  // not reached: the last try always returns
}

std::int32_t handOn(void* sink, const char* rtf, std::uint64_t length) {
    return (*static_cast<const ViewerTextLoad::PieceSink*>(sink))({rtf, static_cast<std::size_t>(length)}) ? 1 : 0;
}

}  // namespace

std::optional<ViewerBody> fetchViewerBody(const EngineCalls& engine, const std::string& path,
                                          std::uint64_t fileSize, const DocumentText* document) {
    if (document && engine.viewText) {
        if (!document->problem.empty()) return std::nullopt;
        const std::string& text = document->text;
        return fetchBody(text.size(), [&](std::int32_t base, char* buffer) {
            return engine.viewText(text.data(), text.size(), base, buffer);
        });
    }
    return fetchBody(fileSize, [&](std::int32_t base, char* buffer) {
        return engine.stringView(path.c_str(), base, buffer);
    });
}

bool streamViewerBody(const EngineCalls& engine, int file, const std::string& path, std::uint64_t fileSize,
                      const DocumentText* document, const ViewerTextLoad::PieceSink& sink) {
    auto* const context = const_cast<ViewerTextLoad::PieceSink*>(&sink);
    if (document && document->problem.empty() && engine.viewHeldText)
        return engine.viewHeldText(document->text.data(), document->text.size(), handOn, context) != 0;
    if (!document && file >= 0 && engine.viewOpenFile) return engine.viewOpenFile(file, handOn, context) != 0;
    const std::optional<ViewerBody> body = fetchViewerBody(engine, path, fileSize, document);
    if (!body) return false;
    sink(body->rtf());
    return true;
}

}  // namespace tessaly
