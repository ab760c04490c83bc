#include "index/index_folder.h"

#include <cstdlib>

namespace tessaly {

std::string wordIndexFolder() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && *xdg == '/') return std::string(xdg) + "/tessaly";
    const char* home = std::getenv("HOME");
    return home && *home == '/' ? std::string(home) + "/.cache/tessaly" : std::string();
}

}  // namespace tessaly
