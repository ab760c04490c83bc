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
    const std::uint64_t tries[] = {2 * fileSize, kLargestGrowth * fileSize};
    for (std::uint64_t wanted : tries) {
        const std::uint64_t base = std::min(wanted, kLargestBase);
        std::string buffer(base + TYX12_VIEW_EXTRA_CAPACITY, '\0');
        if (engine.stringView(path.c_str(), static_cast<std::int32_t>(base), buffer.data()) == 0)
            return std::nullopt;
        buffer.resize(std::strlen(buffer.c_str()));
        const bool mayBeCut = buffer.size() + TYX12_VIEW_CUT_MARGIN >= base + TYX12_VIEW_EXTRA_CAPACITY;
        if (!mayBeCut) return ViewerBody{std::move(buffer), false};
        if (base == kLargestBase || wanted == tries[1]) return ViewerBody{std::move(buffer), true};
    }
    return std::nullopt;
}

}  // namespace tessaly
