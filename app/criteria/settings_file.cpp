#include "criteria/settings_file.h"

#include <cerrno>

namespace tessaly {

SettingsLoad loadSettings(FileSystem& files, const std::string& dataFolder,
                          std::chrono::year_month_day today) {
    const std::string path = dataFolder + settingsFileName;
    SettingsLoad load;
    // Only the record is read: whatever a damaged or foreign file holds
    // beyond it costs nothing.
    FileStart start;
    load.failure = files.readStart(path, settingsRecordSize, start);
    if (load.failure.code == code::fileNotFound) load.failure = ensureFileExists(files, path);
    else if (!load.failure && start.kind != EntryKind::File) load.failure = failureFromErrno(EISDIR, "read", path);
    if (load.failure) start.bytes.clear();
    const DecodedSettings decoded = decodeSettings(start.bytes, today);
    load.options = decoded.options;
    load.state = decoded.state;
    return load;
}

Failure saveSettings(FileSystem& files, const std::string& dataFolder, const Options& options) {
    return replaceFile(files, dataFolder + settingsFileName, dataFolder + settingsTemporaryName,
                       encodeSettings(options));
}

}  // namespace tessaly
