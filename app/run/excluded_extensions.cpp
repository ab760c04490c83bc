#include "run/excluded_extensions.h"

#include <unordered_set>

namespace tessaly {

const std::array<std::string_view, excludedExtensionCount>& excludedExtensions() {
    static constexpr std::array<std::string_view, excludedExtensionCount> list = {
        "exe", "386", "000", "aif", "aiff", "aifc", "ani", "au",  "nls", "cnt", "awx",
        "cda", "com", "cpl", "csv", "dbg",  "dll",  "drv", "fon", "olb", "hpj", "ht",
        "idb", "idf", "lib", "mdp", "mid",  "nav",  "vbx", "oca", "ned", "obj", "ocx",
        "pc",  "pdb", "qic", "ra",  "ram",  "rec",  "acm", "qtc", "rmi", "sbr", "scr",
        "set", "shs", "snd", "sys", "ttf",  "zip",  "vxd", "swp", "bmp", "dos", "icm",
    };
    return list;
}

bool isExcludedExtension(std::string_view extension) {
    // Asked for every file a walk lists: one look, not a comparison with each.
    static const std::unordered_set<std::string_view> excluded(excludedExtensions().begin(),
                                                               excludedExtensions().end());
    return excluded.contains(extension);
}

}  // namespace tessaly
