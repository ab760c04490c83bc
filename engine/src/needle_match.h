// Comparing bytes with a needle, either case where its masks say. Included by
// files compiled for different instruction sets: internal linkage keeps each
// one's copy its own, so that no vector code runs where it must not.
#pragma once

#include <cstddef>
#include <string>

namespace tyx12::detail {
namespace {

// Whether a byte is the needle's k-th.
inline bool needleByteAt(unsigned char b, const std::string& needle, const std::string& masks, std::size_t k) {
    return (b | static_cast<unsigned char>(masks[k])) == static_cast<unsigned char>(needle[k]);
}

inline bool needleStandsAt(const unsigned char* at, const std::string& needle, const std::string& masks) {
    for (std::size_t k = 0; k < needle.size(); ++k)
        if (!needleByteAt(at[k], needle, masks, k)) return false;
    return true;
}

}  // namespace
}  // namespace tyx12::detail
