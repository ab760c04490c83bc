#include "platform/starting_folder.h"

namespace tessaly {

namespace {

std::string withoutFinalSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

}  // namespace

// A terminal's working folder is where the person stands, whatever it is.
// Without a terminal it tells less: desktop launchers start programs in the
// home folder or in "/", and a service manager in "/", where nobody means to
// search; a launcher that starts in some other folder (a file manager's
// "open here", a desktop entry's Path=) chose it on purpose. The data folder
// is the program's own, so a start in it is no choice of the person's either.
std::string startingFolder(const StartingPlace& place) {
    const std::string working = withoutFinalSlash(place.workingFolder);
    const bool chosen = !working.empty() &&
                        (place.fromTerminal ||
                         (working != "/" && working != withoutFinalSlash(place.dataFolder)));
    if (chosen) return working;
    if (!place.home.empty()) return withoutFinalSlash(place.home);
    return withoutFinalSlash(place.dataFolder);
}

}  // namespace tessaly
