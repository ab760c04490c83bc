// The tessaly command from its arguments to its exit status: the same search
// as the window's Start, over the same walk, filters and engine.
#pragma once

#include <cstdio>

#include "command_line.h"
#include "platform/file_system.h"

namespace tessaly::cli {

inline constexpr int kExitMatched = 0;
inline constexpr int kExitNoMatch = 1;
inline constexpr int kExitError = 2;

struct Terminal {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool outIsTerminal = false;
    bool errIsTerminal = false;
};

int runSearchCommand(const CommandLine& commandLine, FileSystem& files, const Terminal& terminal);

}  // namespace tessaly::cli
