#include "index/index_size_cap.h"

#include <sys/statvfs.h>

#include <algorithm>

namespace tessaly {

std::uint64_t defaultIndexSizeCap(const std::string& folder) {
    struct statvfs space {};
    if (::statvfs(folder.c_str(), &space) != 0) return kMostIndexBytes;
    const std::uint64_t freeBytes = std::uint64_t{space.f_bavail} * space.f_frsize;
    return std::min(kMostIndexBytes, freeBytes / 10);
}

}  // namespace tessaly
