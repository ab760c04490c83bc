// Random bytes as a folder's remembered listing, as a damaged index could
// hand them over: either refused, or every entry is a name a folder can hold.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<tessaly::DirectoryEntry> entries;
    // No folder open: an entry that must be looked at fails to be, as it would on a folder gone meanwhile.
    if (!tessaly::addRememberedEntries(-1, std::string_view(reinterpret_cast<const char*>(data), size), entries))
        return 0;
    for (const tessaly::DirectoryEntry& entry : entries)
        if (entry.name.empty() || entry.name == "." || entry.name == ".." ||
            entry.name.find_first_of(std::string_view("/\0", 2)) != std::string::npos)
            std::abort();
    return 0;
}
