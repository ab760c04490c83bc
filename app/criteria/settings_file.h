// Loading and saving the settings file tysetup.tyx in the data folder.
#pragma once

#include <chrono>
#include <string>

#include "criteria/options.h"
#include "criteria/settings_record.h"
#include "platform/error_codes.h"
#include "platform/file_system.h"

namespace tessaly {

inline constexpr const char* settingsFileName = "tysetup.tyx";
// Saving writes here first and renames it over the settings file.
inline constexpr const char* settingsTemporaryName = "setuptemp.ty~";

struct SettingsLoad {
    Options options;
    // Unreadable: the file is damaged and the defaults stand in for it.
    RecordState state = RecordState::Empty;
    // The file could not be read, or a missing one could not be created: the
    // options are the defaults.
    Failure failure;
};

// `dataFolder` ends with "/". A missing file is created empty, as the first
// start always did, and gives the defaults.
SettingsLoad loadSettings(FileSystem& files, const std::string& dataFolder,
                          std::chrono::year_month_day today = localToday());

// Replaces the file in one step: a failure leaves the old file as it was.
Failure saveSettings(FileSystem& files, const std::string& dataFolder, const Options& options);

}  // namespace tessaly
