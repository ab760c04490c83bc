// An RTF document written to the file the person named.
#pragma once

#include <QString>
#include <string>

#include "platform/error_codes.h"
#include "platform/file_system.h"

namespace tessaly {

// Writes through a temporary file in the same folder, renamed over `path`: a
// failure leaves any file already there as it was, and comes back as
// code::richTextSaveFailed with the system's errno.
Failure saveRtfFile(const QString& path, const std::string& rtf,
                    FileSystem& files = systemFileSystem());

}  // namespace tessaly
