// The folder chooser: the folders of one path, opened by double click or
// Enter. Paths are kept in the file system's own bytes, so that a folder whose
// name is not valid UTF-8 still opens.
#pragma once

#include <QListWidget>
#include <QString>
#include <string>

#include "platform/error_codes.h"
#include "platform/file_system.h"

namespace tessaly {

class FolderList : public QListWidget {
    Q_OBJECT

public:
    // The text of the entry that goes up one folder.
    static constexpr const char* kParentEntry = "..";

    explicit FolderList(FileSystem& files = systemFileSystem(), QWidget* parent = nullptr);

    // The folder open now; empty until a path was opened.
    const std::string& path() const { return path_; }
    QString displayPath() const;

    // Opens the folder: ".." first (except at the root), then its subfolders by
    // name; hidden folders and links to folders are left out, as the walk
    // leaves them out. When the folder cannot be listed the list keeps what it
    // showed and the failure is returned.
    Failure setPath(const std::string& path);
    Failure refresh() { return setPath(path_); }

    // Opens the folder an entry stands for, as a double click does. A failure
    // is also announced by listingFailed(), since the person's own clicks have
    // no caller to return it to.
    Failure openItem(QListWidgetItem* item);

    static std::string parentOf(const std::string& path);

signals:
    void pathChanged(const QString& displayPath);
    void listingFailed(const tessaly::Failure& failure);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    FileSystem& files_;
    std::string path_;
};

}  // namespace tessaly
