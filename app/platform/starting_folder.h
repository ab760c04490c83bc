// The folder a person most likely means when the window opens on a folder of
// its own choosing (Direct Search): the one the program was started from in
// a terminal, else the home folder. The program's data folder is never it
// unless the person stands in it: its files are the program's, not theirs.
#pragma once

#include <string>

namespace tessaly {

// Where and how the program was started. Folders in the file system's bytes.
struct StartingPlace {
    std::string workingFolder;  // empty when it cannot be read
    std::string home;           // empty when unknown
    std::string dataFolder;
    bool fromTerminal = false;  // standard input is a terminal
};

std::string startingFolder(const StartingPlace& place);

}  // namespace tessaly
