#include "criteria/file_size.h"

#include <array>
#include <charconv>
#include <limits>
#include <utility>

namespace tessaly {

namespace {

constexpr std::uint64_t kibibyte = 1024;

std::uint64_t multiplierOf(char suffix) {
    switch (suffix) {
    case 'K':
    case 'k':
        return kibibyte;
    case 'M':
    case 'm':
        return kibibyte * kibibyte;
    case 'G':
    case 'g':
        return kibibyte * kibibyte * kibibyte;
    default:
        return 0;
    }
}

}  // namespace

std::optional<std::uint64_t> parseFileSize(std::string_view text) {
    std::uint64_t multiplier = 1;
    if (!text.empty() && (text.back() < '0' || text.back() > '9')) {
        multiplier = multiplierOf(text.back());
        if (multiplier == 0) return std::nullopt;
        text.remove_suffix(1);
    }
    // from_chars would take a sign; a size has none.
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    std::uint64_t count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (count > std::numeric_limits<std::uint64_t>::max() / multiplier) return std::nullopt;
    return count * multiplier;
}

std::string fileSizeText(std::uint64_t bytes) {
    static constexpr std::array<std::pair<char, const char*>, 3> units = {
        {{'G', " GB"}, {'M', " MB"}, {'K', " KB"}}};
    for (const auto& [suffix, unit] : units) {
        const std::uint64_t multiplier = multiplierOf(suffix);
        if (bytes != 0 && bytes % multiplier == 0) return std::to_string(bytes / multiplier) + unit;
    }
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

}  // namespace tessaly
