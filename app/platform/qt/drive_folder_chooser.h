// A drive list and a folder list working as one chooser: the main window's
// direct search and the category editor both use it. Failures to open a drive
// go through the Operation Error report; there Ignore closes the owning
// window and Abort ends the program, which the owner does on the signals.
#pragma once

#include <QObject>
#include <string>

#include "platform/qt/operation_error_report.h"

namespace tessaly {

class DriveList;
class FolderList;
class DriveFolderMemory;
class MessageBoxes;

class DriveFolderChooser : public QObject {
    Q_OBJECT

public:
    DriveFolderChooser(DriveList& drives, FolderList& folders, DriveFolderMemory& memory,
                       MessageBoxes& boxes, QObject* parent = nullptr);

    // Opens the folder and shows its volume in the drive list, as at start-up.
    GuardedResult openFolder(const std::string& folder);

    // The drive list's Change: opens the folder the volume now shown was last
    // left in (its root the first time). Left, or an unlisted failure, leaves
    // the folder list as it was and the drive list back on its volume.
    GuardedResult changeDrive();

signals:
    void closeWindowRequested();
    void endProgramRequested();

private:
    void act(GuardedResult result);
    void showVolumeOf(const std::string& folder);
    void openFailed(const Failure& failure);

    DriveList& drives_;
    FolderList& folders_;
    DriveFolderMemory& memory_;
    MessageBoxes& boxes_;
};

}  // namespace tessaly
