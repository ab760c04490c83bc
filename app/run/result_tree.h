// The drive, folder and file nodes a matching file needs in the result tree.
// Here the only drive is the root "/": its key and text are "/", a folder's
// key is its path up to and including a "/", and a file node's path is its
// folder's key followed by its text.
#pragma once

#include <string>
#include <vector>

namespace tessaly {

enum class TreeNodeKind { Drive, Folder, File };

struct TreeNode {
    TreeNodeKind kind;
    std::string key;
    std::string text;
    std::string parentKey;  // empty for the drive
};

// " 1 9- 3" for Category folder 1 and the third matching file: unique within
// a run because the file count is.
std::string fileNodeKey(int categoryFolder, int fileCount);

// From the drive down to the file, each node with its parent's key; the
// caller adds the ones it does not have yet. `fullPath` is absolute.
std::vector<TreeNode> treeNodesFor(const std::string& fullPath, int categoryFolder, int fileCount);

}  // namespace tessaly
