// tessaly: the search of the windowed program, from a terminal or a script.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "command_line.h"
#include "index_info_command.h"
#include "search_command.h"
#include "tessaly_version.h"
#include "usage_text.h"

int main(int argc, char** argv) {
    using namespace tessaly::cli;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    if (parsed.commandLine.help) {
        std::fputs(usageText().c_str(), stdout);
        return kExitMatched;
    }
    if (parsed.commandLine.version) {
        std::printf("tessaly %s\n", tessaly::kProgramVersion);
        return kExitMatched;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "tessaly: %s\nTry 'tessaly --help' for more information.\n", parsed.error.c_str());
        return kExitError;
    }
    if (parsed.commandLine.indexInfo) return printIndexInfo();
    Terminal terminal;
    terminal.outIsTerminal = ::isatty(STDOUT_FILENO) == 1;
    terminal.errIsTerminal = ::isatty(STDERR_FILENO) == 1;
    return runSearchCommand(parsed.commandLine, tessaly::systemFileSystem(), terminal);
}
