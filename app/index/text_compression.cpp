#include "index/text_compression.h"

#include <zstd.h>

namespace tessaly {

namespace {
// Level 3 (zstd's default) packs text nearly as tight as the slow levels at
// many times their speed; the compression runs on the search's writer thread.
constexpr int kLevel = 3;
// A frame that claims more than this is taken for damage, not allocated.
constexpr unsigned long long kLargestText = 1ull << 32;
}  // namespace

std::string compressText(std::string_view text) {
    std::string packed(ZSTD_compressBound(text.size()), '\0');
    const std::size_t size =
        ZSTD_compress(packed.data(), packed.size(), text.data(), text.size(), kLevel);
    packed.resize(ZSTD_isError(size) ? 0 : size);
    return packed;
}

std::optional<std::string> decompressText(std::string_view compressed) {
    const unsigned long long size = ZSTD_getFrameContentSize(compressed.data(), compressed.size());
    if (size == ZSTD_CONTENTSIZE_ERROR || size == ZSTD_CONTENTSIZE_UNKNOWN || size > kLargestText)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    const std::size_t got =
        ZSTD_decompress(text.data(), text.size(), compressed.data(), compressed.size());
    if (ZSTD_isError(got) || got != size) return std::nullopt;
    return text;
}

}  // namespace tessaly
