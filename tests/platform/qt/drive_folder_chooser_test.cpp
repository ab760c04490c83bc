#include "platform/qt/drive_folder_chooser.h"

#include <gtest/gtest.h>

#include <QSignalBlocker>
#include <cerrno>
#include <filesystem>

#include "platform/qt/drive_folder_memory.h"
#include "platform/qt/drive_list.h"
#include "platform/qt/folder_list.h"
#include "scripted_file_system.h"
#include "scripted_services.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

using test::ScriptedFileSystem;
using test::ScriptedMessageBoxes;
using test::TempDir;

TEST(DriveList, ListsTheRootVolumeAndSelectsIt) {
    DriveList drives;
    EXPECT_TRUE(drives.roots().contains("/"));
    EXPECT_EQ(DriveList::rootOf("/"), QStringLiteral("/"));
    EXPECT_TRUE(DriveList::rootOf("/no/such/folder").isEmpty());

    QStringList changes;
    QObject::connect(&drives, &DriveList::driveChanged,
                     [&](const QString& root) { changes.append(root); });
    const bool wasShown = drives.currentRoot() == "/";
    ASSERT_TRUE(drives.selectRoot("/"));
    EXPECT_EQ(drives.currentRoot(), QStringLiteral("/"));
    EXPECT_EQ(changes, wasShown ? QStringList{} : QStringList{"/"});
    EXPECT_FALSE(drives.selectRoot("/no/such/volume"));
    EXPECT_EQ(drives.currentRoot(), QStringLiteral("/"));
}

class DriveFolderChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(tree.path() / "sub");
        {
            const QSignalBlocker quiet(&drives);
            ASSERT_TRUE(drives.selectRoot("/"));
        }
        QObject::connect(&chooser, &DriveFolderChooser::closeWindowRequested,
                         [this] { ++closeRequests; });
        memory.remember("/", folder());
    }
    std::string folder() const { return tree.path().string(); }

    TempDir tree;
    ScriptedFileSystem files;
    ScriptedMessageBoxes boxes;
    DriveFolderMemory memory;
    DriveList drives;
    FolderList folders{files};
    DriveFolderChooser chooser{drives, folders, memory, boxes};
    int closeRequests = 0;
};

TEST_F(DriveFolderChooserTest, ADriveOpensOnTheFolderItWasLeftIn) {
    EXPECT_EQ(chooser.changeDrive(), GuardedResult::Done);
    EXPECT_EQ(folders.path(), folder());
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(DriveFolderChooserTest, DiskNotReadyIsReportedAndRetried) {
    files.fail("list", ENOMEDIUM, folder(), 1);
    boxes.answer(MessageAnswer::Retry);
    EXPECT_EQ(chooser.changeDrive(), GuardedResult::Done);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].text, QStringLiteral("Disk not ready! ( 68)"));
    EXPECT_EQ(folders.path(), folder());
}

TEST_F(DriveFolderChooserTest, IgnoreClosesTheOwningWindow) {
    ASSERT_FALSE(folders.setPath(folder() + "/sub"));
    files.fail("list", ENOMEDIUM);
    boxes.answer(MessageAnswer::Ignore);
    emit drives.driveChanged("/");
    EXPECT_EQ(closeRequests, 1);
    EXPECT_EQ(folders.path(), folder() + "/sub");  // the list stays as it was
}

TEST_F(DriveFolderChooserTest, AnUnlistedFailureLeavesSilently) {
    files.fail("list", EACCES);
    EXPECT_EQ(chooser.changeDrive(), GuardedResult::Left);
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(closeRequests, 0);
}

TEST_F(DriveFolderChooserTest, ARememberedFolderThatIsGoneFallsBackToTheRoot) {
    memory.remember("/", folder() + "/removed");
    EXPECT_EQ(chooser.changeDrive(), GuardedResult::Done);
    EXPECT_EQ(folders.path(), "/");
    EXPECT_TRUE(boxes.asked().empty());
}

}  // namespace
}  // namespace tessaly
