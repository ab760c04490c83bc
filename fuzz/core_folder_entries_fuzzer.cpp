// Random bytes as a folder's packed entries, as a damaged index could hand
// them over: either refused, or every lookup stays inside the value, and a
// name found is one the value holds. Whatever is accepted packs again to the
// same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "index/folder_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto entries = tessaly::FolderEntries::unpack(bytes);
    if (!entries) return 0;
    if (entries->packed() != bytes) std::abort();
    // Names from the value's own tail, where its names lie, and around it.
    for (std::size_t length = 0; length <= 8 && length <= size; ++length) {
        const std::string name = bytes.substr(size - length);
        const auto found = entries->find(name);
        if (found && found->readAs > tessaly::ReadAs::binary) std::abort();
    }
    entries->find(bytes);
    return 0;
}
