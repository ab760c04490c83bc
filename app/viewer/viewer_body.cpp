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

std::optional<ViewerBody> fetchViewerBody(const EngineCalls& engine, const std::string& path,
                                          std::uint64_t fileSize) {
    // Ordinary text fits twice its size; the second try fits anything.
    for (const std::uint64_t growth : {std::uint64_t{2}, kLargestGrowth}) {
        const std::uint64_t base = std::min(growth * fileSize, kLargestBase);
        PageBuffer buffer(base + TYX12_VIEW_EXTRA_CAPACITY);
        if (engine.stringView(path.c_str(), static_cast<std::int32_t>(base), buffer.data()) == 0)
            return std::nullopt;
        const std::size_t length = std::strlen(buffer.data());
        const bool mayBeCut = length + TYX12_VIEW_CUT_MARGIN >= base + TYX12_VIEW_EXTRA_CAPACITY;
        if (!mayBeCut || growth == kLargestGrowth || base == kLargestBase)
            return ViewerBody{std::move(buffer), length, mayBeCut};
    }
    return std::nullopt;  // not reached: the last try always returns
}

}  // namespace tessaly
