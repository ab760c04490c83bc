// Which files a run looks at beyond the options of the settings record, and
// how it reads them. Kept in a file of its own beside the record, so that the
// record stays exactly as other readers of it expect.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly {

struct SearchScope {
    // Folders whose name matches one of these shell patterns are not entered.
    std::vector<std::string> leftOutFolders{};
    // Files and folders whose name begins with a dot.
    bool hiddenIncluded = false;
    // A file is binary when its first 8 KB hold a NUL and no document reader
    // claims it.
    bool binaryIncluded = false;
    // Larger files are passed over; 0 for any size.
    std::uint64_t largestFileSize = 0;
    // PDF, OpenDocument, Office and EPUB files are searched as the text they
    // show; off, their bytes are searched as they are.
    bool documentsAsText = true;
    // Processor time one document may take to read, in seconds.
    std::uint32_t documentSecondsLimit = 20;
    // The words of files read whole are kept in a cache, and a later run
    // passes over the unchanged files they prove cannot match.
    bool rememberWords = true;
    // A file whose name holds the words (as a one-line text, by the run's
    // words, operators and case) is listed even when its text does not.
    bool namesSearched = false;

    bool operator==(const SearchScope&) const = default;
};

}  // namespace tessaly
