#include "criteria/folder_patterns.h"

#include "platform/blanks.h"

namespace tessaly {

std::vector<std::string> splitFolderPatterns(std::string_view text) {
    std::vector<std::string> patterns;
    while (true) {
        const std::size_t end = text.find(';');
        const std::string_view pattern = trimBlanks(text.substr(0, end));
        if (!pattern.empty()) patterns.emplace_back(pattern);
        if (end == std::string_view::npos) return patterns;
        text.remove_prefix(end + 1);
    }
}

std::string joinFolderPatterns(const std::vector<std::string>& patterns) {
    std::string text;
    for (const std::string& pattern : patterns) {
        if (!text.empty()) text += "; ";
        text += pattern;
    }
    return text;
}

}  // namespace tessaly
