#include "index_info_command.h"

#include <cstdio>
#include <string>

#include "index/index_folder.h"
#include "index/word_index.h"
#include "search_command.h"

namespace tessaly::cli {

int printIndexInfo() {
    const std::string folder = wordIndexFolder();
    if (folder.empty()) {
        std::fputs("tessaly: there is no folder for the index (neither XDG_CACHE_HOME nor HOME is set)\n", stderr);
        return kExitError;
    }
    WordIndex index(folder);
    const std::string notice = index.takeNotice();
    if (!notice.empty()) std::fprintf(stderr, "tessaly: %s\n", notice.c_str());
    if (!index.usable()) return kExitError;
    const IndexInfo info = index.info();
    std::printf("Index of searched words: %s\n", info.path.c_str());
    std::printf("Size: %s\n", info.sizeText().c_str());
    std::printf("Files covered: %llu\n", static_cast<unsigned long long>(info.files));
    return kExitMatched;
}

}  // namespace tessaly::cli
