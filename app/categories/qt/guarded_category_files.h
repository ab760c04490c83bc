// The category file and the word file as the windows use them: every read
// and write goes through the data-file guard, so that a failure is put to the
// person (Retry, Ignore, Abort) and never passes in silence. A read given up
// gives nothing rather than a part; a write given up leaves the file as it
// was, since the store only ever renames a finished copy over it.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "categories/category_store.h"

namespace tessaly {

struct Services;

class GuardedCategoryFiles {
public:
    // `dataFolder` ends in "/".
    GuardedCategoryFiles(Services& services, const std::string& dataFolder);

    QStringList categoryNames();
    QStringList folders(const QString& category);
    QStringList savedWords(const QString& category);

    // True when the file was written.
    bool addCategory(const QString& category, const QStringList& folders);
    bool replaceFolders(const QString& category, const QStringList& folders);
    bool deleteCategory(const QString& category);
    bool saveWords(const QString& category, const QStringList& words);

private:
    Services& services_;
    CategoryStore store_;
};

}  // namespace tessaly
