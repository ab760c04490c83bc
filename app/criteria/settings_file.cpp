#include "criteria/settings_file.h"

namespace tessaly {

SettingsLoad loadSettings(FileSystem& files, const std::string& dataFolder,
                          std::chrono::year_month_day today) {
    const std::string path = dataFolder + settingsFileName;
    SettingsLoad load;
    std::string bytes;
    load.failure = files.readAll(path, bytes);
    if (load.failure.code == code::fileNotFound) load.failure = ensureFileExists(files, path);
    if (load.failure) bytes.clear();
    const DecodedSettings decoded = decodeSettings(bytes, today);
    load.options = decoded.options;
    load.state = decoded.state;
    return load;
}

Failure saveSettings(FileSystem& files, const std::string& dataFolder, const Options& options) {
    return replaceFile(files, dataFolder + settingsFileName, dataFolder + settingsTemporaryName,
                       encodeSettings(options));
}

}  // namespace tessaly
