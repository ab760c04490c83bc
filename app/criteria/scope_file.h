// Loading and saving the scope settings file tysetup.ini, which lies in the
// data folder beside the settings record tysetup.tyx: the record keeps its
// 500 bytes for every reader that knows it, and what it has no room for is
// kept here.
#pragma once

#include <string>
#include <vector>

#include "criteria/search_scope.h"
#include "platform/error_codes.h"
#include "platform/file_system.h"

namespace tessaly {

inline constexpr const char* scopeFileName = "tysetup.ini";
// Saving writes here first and renames it over the scope file.
inline constexpr const char* scopeTemporaryName = "scopetemp.ty~";

struct ScopeLoad {
    SearchScope scope;
    // What could not be read (decodeScope): those values are the defaults.
    std::vector<std::string> unreadable;
    // The file is there but could not be read: the scope is the default.
    Failure failure;
};

// `dataFolder` ends with "/". A missing file gives the defaults without a
// word, and is not made: it appears when the settings are first saved.
ScopeLoad loadScope(FileSystem& files, const std::string& dataFolder);

// Replaces the file in one step: a failure leaves the old file as it was.
Failure saveScope(FileSystem& files, const std::string& dataFolder, const SearchScope& scope);

// "a, b and c": the unreadable values as a message names them.
std::string unreadableList(const std::vector<std::string>& unreadable);

}  // namespace tessaly
