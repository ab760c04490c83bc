#include "criteria/scope_summary.h"

#include "criteria/file_size.h"
#include "criteria/folder_patterns.h"

namespace tessaly {

namespace {

void add(std::string& text, const std::string& part, const char* separator) {
    if (!text.empty()) text += separator;
    text += part;
}

}  // namespace

std::string scopeSummary(const SearchScope& scope) {
    std::string text;
    if (scope.hiddenIncluded) add(text, "Hidden", ", ");
    if (scope.binaryIncluded) add(text, "Binary", ", ");
    if (scope.largestFileSize != 0) add(text, "Up to " + fileSizeText(scope.largestFileSize), ", ");
    if (!scope.documentsAsText) add(text, "Documents Raw", ", ");
    if (!scope.rememberWords) add(text, "No Remembered Words", ", ");
    if (scope.namesSearched) add(text, "Names Too", ", ");
    if (const std::size_t count = scope.leftOutFolders.size())
        add(text, std::to_string(count) + (count == 1 ? " Folder" : " Folders") + " Left Out", ", ");
    return text.empty() ? "Usual Files" : text;
}

std::string scopeDescription(const SearchScope& scope) {
    std::string text;
    add(text, scope.leftOutFolders.empty()
                  ? std::string("No folder left out")
                  : "Folders left out: " + joinFolderPatterns(scope.leftOutFolders),
        "\n");
    add(text, scope.hiddenIncluded ? "Hidden files and folders searched" : "Hidden files and folders left out",
        "\n");
    add(text, scope.binaryIncluded ? "Binary files searched" : "Binary files left out", "\n");
    add(text, scope.largestFileSize == 0 ? "Files of any size"
                                         : "Files up to " + fileSizeText(scope.largestFileSize),
        "\n");
    add(text,
        scope.documentsAsText
            ? "Documents searched as their text, " + std::to_string(scope.documentSecondsLimit) + " s at most for one"
            : std::string("Documents searched as raw bytes"),
        "\n");
    add(text,
        scope.rememberWords ? "Words of searched files remembered: unchanged files that cannot match are passed over"
                            : "Every file read at every search",
        "\n");
    add(text,
        scope.namesSearched ? "Files whose names hold the words found too" : "Files found by their text alone",
        "\n");
    return text;
}

}  // namespace tessaly
