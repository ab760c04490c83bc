#include "platform/personal_data_folder.h"

#include <cstdlib>

namespace tessaly {

std::string personalDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/') return std::string(xdg) + "/tessaly";
    const char* home = std::getenv("HOME");
    return home && *home == '/' ? std::string(home) + "/.local/share/tessaly" : std::string();
}

}  // namespace tessaly
