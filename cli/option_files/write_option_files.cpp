// tessaly-option-files MANUAL_TEMPLATE FOLDER: writes into FOLDER the manual
// page tessaly.1, its option list put where the template's marker line
// stands, and the completions tessaly.bash, tessaly.zsh and tessaly.fish.
// Run by the build, so that what is installed always says what the
// program takes.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "completion_scripts.h"
#include "manual_options.h"

namespace {

constexpr std::string_view kOptionsMarker = ".\\\" The options, from cli/option_table.cpp\n";

bool written(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (out) return true;
    std::fprintf(stderr, "tessaly-option-files: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tessaly::cli;
    if (argc != 3) {
        std::fputs("usage: tessaly-option-files MANUAL_TEMPLATE FOLDER\n", stderr);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream manual;
    manual << in.rdbuf();
    std::string page = manual.str();
    const std::size_t marker = page.find(kOptionsMarker);
    if (!in || marker == std::string::npos) {
        std::fprintf(stderr, "tessaly-option-files: %s has no line '%.*s'\n", argv[1],
                     static_cast<int>(kOptionsMarker.size() - 1), kOptionsMarker.data());
        return 1;
    }
    page.replace(marker, kOptionsMarker.size(), manualOptionSections());
    const std::string folder = std::string(argv[2]) + "/";
    const bool ok = written(folder + "tessaly.1", page) && written(folder + "tessaly.bash", bashCompletion()) &&
                    written(folder + "tessaly.zsh", zshCompletion()) &&
                    written(folder + "tessaly.fish", fishCompletion());
    return ok ? 0 : 1;
}
