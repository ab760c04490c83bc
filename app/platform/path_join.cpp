#include "platform/path_join.h"

namespace tessaly {

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    // A folder typed with a trailing "/" would otherwise give "//" and an
    // empty folder node in the result tree.
    if (path.empty() || path.back() != '/') path.push_back('/');
    path.append(name);
    return path;
}

std::string_view fileNameOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace tessaly
