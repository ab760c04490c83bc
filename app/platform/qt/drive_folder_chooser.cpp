#include "platform/qt/drive_folder_chooser.h"

#include <QFile>
#include <QSignalBlocker>

#include "platform/qt/drive_folder_memory.h"
#include "platform/qt/drive_list.h"
#include "platform/qt/folder_list.h"

namespace tessaly {

namespace {

std::string rootOfFolder(const std::string& folder) {
    return QFile::encodeName(DriveList::rootOf(QFile::decodeName(folder.c_str()))).toStdString();
}

}  // namespace

DriveFolderChooser::DriveFolderChooser(DriveList& drives, FolderList& folders,
                                       DriveFolderMemory& memory, MessageBoxes& boxes,
                                       QObject* parent)
    : QObject(parent), drives_(drives), folders_(folders), memory_(memory), boxes_(boxes) {
    connect(&drives_, &DriveList::driveChanged, this, [this] { act(changeDrive()); });
    connect(&folders_, &FolderList::pathChanged, this,
            [this] { memory_.remember(rootOfFolder(folders_.path()), folders_.path()); });
    connect(&folders_, &FolderList::listingFailed, this, &DriveFolderChooser::openFailed);
}

GuardedResult DriveFolderChooser::openFolder(const std::string& folder) {
    const GuardedResult result = runGuarded(boxes_, ErrorTable::Folders, IgnoreAction::CloseWindow,
                                            [&] { return folders_.setPath(folder); });
    if (result == GuardedResult::Done) {
        memory_.remember(rootOfFolder(folders_.path()), folders_.path());
        showVolumeOf(folders_.path());
    }
    return result;
}

GuardedResult DriveFolderChooser::changeDrive() {
    const std::string root = QFile::encodeName(drives_.currentRoot()).toStdString();
    if (root.empty()) return GuardedResult::Left;
    const GuardedResult result =
        runGuarded(boxes_, ErrorTable::Folders, IgnoreAction::CloseWindow, [&] {
            const std::string remembered = memory_.folderFor(root);
            Failure failure = folders_.setPath(remembered);
            // A remembered folder removed meanwhile must not lock the person
            // out of the whole volume; any other failure (no medium) is the
            // volume's, and the folder stays remembered for the Retry.
            if (failure.code == code::pathNotFound && remembered != root) {
                memory_.forget(root);
                failure = folders_.setPath(root);
            }
            return failure;
        });
    if (result == GuardedResult::Left && !folders_.path().empty()) showVolumeOf(folders_.path());
    return result;
}

void DriveFolderChooser::act(GuardedResult result) {
    if (result == GuardedResult::CloseWindow) emit closeWindowRequested();
    if (result == GuardedResult::EndProgram) emit endProgramRequested();
}

void DriveFolderChooser::showVolumeOf(const std::string& folder) {
    const QSignalBlocker quiet(&drives_);
    drives_.selectRoot(DriveList::rootOf(QFile::decodeName(folder.c_str())));
}

// A folder the person opened by hand: Retry tries it again, Ignore only
// leaves it, since nothing but that one click failed.
void DriveFolderChooser::openFailed(const Failure& failure) {
    Failure current = failure;
    for (;;) {
        switch (
            reportOperationError(boxes_, current.code, ErrorTable::Folders, IgnoreAction::Leave)) {
        case ErrorReportAction::Retry:
            current = folders_.setPath(current.path);
            if (!current) return;
            continue;
        case ErrorReportAction::Leave:
            return;
        case ErrorReportAction::CloseWindow:
            emit closeWindowRequested();
            return;
        case ErrorReportAction::EndProgram:
            emit endProgramRequested();
            return;
        }
    }
}

}  // namespace tessaly
