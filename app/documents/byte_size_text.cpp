#include "documents/byte_size_text.h"

namespace tessaly {

std::string byteSizeText(std::size_t bytes) {
    constexpr std::size_t kKb = 1024, kMb = kKb * 1024;
    if (bytes >= kMb && bytes % kMb == 0) return std::to_string(bytes / kMb) + " MB";
    if (bytes >= kKb && bytes % kKb == 0) return std::to_string(bytes / kKb) + " KB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

}  // namespace tessaly
