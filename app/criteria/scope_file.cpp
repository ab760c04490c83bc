#include "criteria/scope_file.h"

#include "criteria/scope_text.h"

namespace tessaly {

ScopeLoad loadScope(FileSystem& files, const std::string& dataFolder) {
    ScopeLoad load;
    std::string bytes;
    if (Failure failure = files.readAll(dataFolder + scopeFileName, bytes)) {
        if (failure.code != code::fileNotFound) load.failure = std::move(failure);
        return load;
    }
    DecodedScope decoded = decodeScope(bytes);
    load.scope = std::move(decoded.scope);
    load.unreadable = std::move(decoded.unreadable);
    return load;
}

Failure saveScope(FileSystem& files, const std::string& dataFolder, const SearchScope& scope) {
    return replaceFile(files, dataFolder + scopeFileName, dataFolder + scopeTemporaryName,
                       encodeScope(scope));
}

std::string unreadableList(const std::vector<std::string>& unreadable) {
    std::string list;
    for (std::size_t i = 0; i < unreadable.size(); ++i) {
        if (i > 0) list += i + 1 == unreadable.size() ? " and " : ", ";
        list += unreadable[i];
    }
    return list;
}

}  // namespace tessaly
