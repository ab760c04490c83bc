#include "categories/data_files.h"

namespace tessaly {

std::string dataFilePath(std::string_view dataFolder, std::string_view name) {
    std::string path(dataFolder);
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

}  // namespace tessaly
