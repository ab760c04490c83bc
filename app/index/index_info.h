// What the person is told about the word index (--index-info, the options panel).
#pragma once

#include <cstdint>
#include <string>

namespace tessaly {

struct IndexInfo {
    std::string path;               // the database file
    std::uint64_t bytesOnDisk = 0;  // the file with its log
    std::uint64_t files = 0;        // files whose words it holds
};

}  // namespace tessaly
