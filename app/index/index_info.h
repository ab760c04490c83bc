// What the person is told about the word index (--index-info, the options panel).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace tessaly {

struct IndexInfo {
    std::string path;               // the database file
    std::uint64_t bytesOnDisk = 0;  // the file with its log
    std::uint64_t files = 0;        // files whose words it holds

    // "82.1 MB": its size as both programs show it.
    std::string sizeText() const {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytesOnDisk) / (1024.0 * 1024.0));
        return text;
    }
};

}  // namespace tessaly
