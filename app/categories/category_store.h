// The Categories as the windows see them: the folders of Category N in the
// category file and the saved words of Category N in the word file, both in
// the data folder, each rewritten through its own temporary file.
#pragma once

#include <string>
#include <vector>

#include "platform/error_codes.h"
#include "platform/file_system.h"

namespace tessaly {

class CategoryStore {
public:
    // `dataFolder` ends in "/".
    CategoryStore(FileSystem& files, std::string dataFolder);

    const std::string& categoryFile() const { return categoryFile_; }
    const std::string& wordFile() const { return wordFile_; }

    // The names of the category file's sections, in file order; `names` is
    // added to, not cleared.
    Failure categoryNames(std::vector<std::string>& names) const;
    // Added to `folders` and `words`, as the windows keep what they hold when
    // a name has no section. Damaged lines (holding a NUL) are not folders:
    // they are counted in `unusableLines`, for the caller to say so.
    Failure readFolders(const std::string& category, std::vector<std::string>& folders,
                        std::size_t* unusableLines = nullptr) const;
    Failure readSavedWords(const std::string& category, std::vector<std::string>& words) const;

    // A new Category, as a section at the end of the category file.
    Failure addCategory(const std::string& category, const std::vector<std::string>& folders);
    // An existing Category's folders; a name without a section is left alone.
    Failure replaceFolders(const std::string& category, const std::vector<std::string>& folders);
    // The Category goes from the category file and its saved words from the
    // word file. When the category file cannot be rewritten the word file is
    // left alone: saved words never go while their Category stays.
    Failure deleteCategory(const std::string& category);

    // Stores the saved words of a Category: rewrites its section in the word
    // file when it has one (an empty list leaves the header with nothing
    // under it), or appends a new section when it has none.
    Failure saveWords(const std::string& category, const std::vector<std::string>& words);

private:
    FileSystem& files_;
    std::string categoryFile_;
    std::string categoryTemporary_;
    std::string wordFile_;
    std::string wordTemporary_;
};

// What both programs say about folder lines readFolders left out.
std::string unusableLinesMessage(std::size_t unusableLines, const std::string& category,
                                 const std::string& categoryFile);

}  // namespace tessaly
