#include "run/result_tree.h"

namespace tessaly {

namespace {
// Numbers in keys carry a blank where a minus sign would stand.
std::string keyNumber(int n) { return (n >= 0 ? " " : "") + std::to_string(n); }
}  // namespace

std::string fileNodeKey(int categoryFolder, int fileCount) {
    return keyNumber(categoryFolder) + keyNumber(fileCount + 6) + "-" + keyNumber(fileCount);
}

std::vector<TreeNode> treeNodesFor(const std::string& fullPath, int categoryFolder, int fileCount) {
    std::vector<TreeNode> nodes;
    std::string parent;
    std::size_t slash = fullPath.find('/');
    std::size_t previous = std::string::npos;
    while (slash != std::string::npos) {
        const std::string key = fullPath.substr(0, slash + 1);
        if (previous == std::string::npos)
            nodes.push_back({TreeNodeKind::Drive, key, key, {}});
        else
            nodes.push_back({TreeNodeKind::Folder, key, fullPath.substr(previous + 1, slash - previous - 1), parent});
        parent = key;
        previous = slash;
        slash = fullPath.find('/', slash + 1);
    }
    const std::string name = previous == std::string::npos ? fullPath : fullPath.substr(previous + 1);
    nodes.push_back({TreeNodeKind::File, fileNodeKey(categoryFolder, fileCount), name, parent});
    return nodes;
}

}  // namespace tessaly
