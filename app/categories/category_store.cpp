#include "categories/category_store.h"

#include "categories/data_files.h"
#include "categories/section_file.h"

namespace tessaly {

CategoryStore::CategoryStore(FileSystem& files, std::string dataFolder)
    : files_(files),
      categoryFile_(dataFilePath(dataFolder, categoryFileName)),
      categoryTemporary_(dataFilePath(dataFolder, categoryTemporaryName)),
      wordFile_(dataFilePath(dataFolder, wordFileName)),
      wordTemporary_(dataFilePath(dataFolder, wordTemporaryName)) {}

Failure CategoryStore::categoryNames(std::vector<std::string>& names) const {
    return listCategoryNames(files_, categoryFile_, names);
}

Failure CategoryStore::readFolders(const std::string& category, std::vector<std::string>& folders,
                                   std::size_t* unusableLines) const {
    return readSection(files_, categoryFile_, category, folders, unusableLines);
}

Failure CategoryStore::readSavedWords(const std::string& category,
                                      std::vector<std::string>& words) const {
    return readSection(files_, wordFile_, category, words);
}

Failure CategoryStore::addCategory(const std::string& category,
                                   const std::vector<std::string>& folders) {
    return appendSection(files_, categoryFile_, category, folders);
}

Failure CategoryStore::replaceFolders(const std::string& category,
                                      const std::vector<std::string>& folders) {
    return replaceSection(files_, categoryFile_, categoryTemporary_, category, folders);
}

Failure CategoryStore::deleteCategory(const std::string& category) {
    if (Failure failure = removeSection(files_, categoryFile_, categoryTemporary_, category))
        return failure;
    return removeSection(files_, wordFile_, wordTemporary_, category);
}

Failure CategoryStore::saveWords(const std::string& category,
                                 const std::vector<std::string>& words) {
    bool found = false;
    if (Failure failure = hasSection(files_, wordFile_, category, found)) return failure;
    // With no section and no words, replacing finds nothing and writes nothing.
    if (found || words.empty())
        return replaceSection(files_, wordFile_, wordTemporary_, category, words);
    return appendSection(files_, wordFile_, category, words);
}

std::string unusableLinesMessage(std::size_t unusableLines, const std::string& category,
                                 const std::string& categoryFile) {
    const bool one = unusableLines == 1;
    return std::to_string(unusableLines) + (one ? " folder line" : " folder lines") + " of the Category '" +
           category + "' in " + categoryFile + (one ? " holds" : " hold") +
           " a NUL byte and cannot name a folder; " + (one ? "it is" : "they are") +
           " not searched. Edit the Category to mend it.";
}

}  // namespace tessaly
