#include "categories/qt/guarded_category_files.h"

#include <functional>
#include <vector>

#include "categories/qt/stored_texts.h"
#include "platform/qt/lossless_text.h"
#include "window/qt/data_file_guard.h"
#include "window/qt/services.h"

namespace tessaly {

namespace {

// Each try starts from an empty list, so that a Retry cannot list an entry twice.
QStringList guardedRead(Services& services,
                        const std::function<Failure(std::vector<std::string>&)>& read) {
    std::vector<std::string> found;
    const bool done = guardDataFile(services, [&] {
        found.clear();
        return read(found);
    });
    return done ? textsFromBytes(found) : QStringList();
}

}  // namespace

GuardedCategoryFiles::GuardedCategoryFiles(Services& services, const std::string& dataFolder)
    : services_(services), store_(services.files, dataFolder) {}

QStringList GuardedCategoryFiles::categoryNames() {
    return guardedRead(
        services_, [&](std::vector<std::string>& names) { return store_.categoryNames(names); });
}

QStringList GuardedCategoryFiles::folders(const QString& category) {
    const std::string name = bytesFromText(category);
    std::size_t unusable = 0;
    QStringList folders = guardedRead(services_, [&](std::vector<std::string>& found) {
        unusable = 0;
        return store_.readFolders(name, found, &unusable);
    });
    if (unusable > 0)
        services_.boxes.show(textFromBytes(unusableLinesMessage(unusable, name, store_.categoryFile())),
                             "Tessaly", MessageIcon::Exclamation, MessageButtons::Ok);
    return folders;
}

QStringList GuardedCategoryFiles::savedWords(const QString& category) {
    const std::string name = bytesFromText(category);
    return guardedRead(services_, [&](std::vector<std::string>& words) {
        return store_.readSavedWords(name, words);
    });
}

bool GuardedCategoryFiles::addCategory(const QString& category, const QStringList& folders) {
    const std::string name = bytesFromText(category);
    const std::vector<std::string> entries = bytesFromTexts(folders);
    return guardDataFile(services_, [&] { return store_.addCategory(name, entries); });
}

bool GuardedCategoryFiles::replaceFolders(const QString& category, const QStringList& folders) {
    const std::string name = bytesFromText(category);
    const std::vector<std::string> entries = bytesFromTexts(folders);
    return guardDataFile(services_, [&] { return store_.replaceFolders(name, entries); });
}

bool GuardedCategoryFiles::deleteCategory(const QString& category) {
    const std::string name = bytesFromText(category);
    return guardDataFile(services_, [&] { return store_.deleteCategory(name); });
}

bool GuardedCategoryFiles::saveWords(const QString& category, const QStringList& words) {
    const std::string name = bytesFromText(category);
    const std::vector<std::string> entries = bytesFromTexts(words);
    return guardDataFile(services_, [&] { return store_.saveWords(name, entries); });
}

}  // namespace tessaly
