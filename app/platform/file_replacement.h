// A file written beside the file it replaces, under a name of its own, and put
// in its place only once it is whole: a write that fails half way (a full
// disk, a run that ends in an error) leaves the old file as it was, and the
// new one never shows cut short.
#pragma once

#include <string>

namespace tessaly {

class FileReplacement {
public:
    // `target` in the file system's bytes.
    explicit FileReplacement(std::string target) : target_(std::move(target)) {}
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Makes the file beside the target, with the mode the target has (or a
    // new file would have). The errno of failing to, or 0.
    int begin();
    const std::string& temporaryPath() const { return temporary_; }
    // Puts the file in the target's place. The errno of failing to, or 0.
    int commit();

private:
    std::string target_;
    std::string temporary_;
};

}  // namespace tessaly
