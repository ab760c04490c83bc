#include "run/excluded_extensions.h"

#include "run/file_extension.h"

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

bool hasExcludedExtension(std::string_view name) {
    const std::string_view extension = unfoldedExtension(name);
    // Every excluded extension is a few ASCII letters and digits: a longer
    // one, or one folded beyond ASCII, is none of them.
    constexpr std::size_t kLongest = 4;
    if (extension.size() > kLongest) return false;
    char folded[kLongest];
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const char byte = extension[i];
        folded[i] = byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + ('a' - 'A')) : byte;
    }
    return isExcludedExtension(std::string_view(folded, extension.size()));
}

}  // namespace tessaly
