#include "platform/qt/drive_folder_memory.h"

namespace tessaly {

std::string DriveFolderMemory::folderFor(const std::string& root) const {
    const auto found = folders_.find(root);
    return found != folders_.end() ? found->second : root;
}

void DriveFolderMemory::remember(const std::string& root, const std::string& folder) {
    if (!root.empty()) folders_[root] = folder;
}

}  // namespace tessaly
