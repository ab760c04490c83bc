// Each volume keeps the folder it was last left in while the program runs, as
// each drive kept its current folder where the program comes from; both
// choosers share one.
#pragma once

#include <map>
#include <string>

namespace tessaly {

class DriveFolderMemory {
public:
    // The folder last left open on the volume with this root; the root itself
    // for a volume not visited yet.
    std::string folderFor(const std::string& root) const;
    void remember(const std::string& root, const std::string& folder);
    void forget(const std::string& root) { folders_.erase(root); }

private:
    std::map<std::string, std::string> folders_;
};

}  // namespace tessaly
