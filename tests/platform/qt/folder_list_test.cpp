#include "platform/qt/folder_list.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QStringList>
#include <cerrno>
#include <filesystem>

#include "scripted_file_system.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

using test::ScriptedFileSystem;
using test::TempDir;

QStringList shownEntries(const FolderList& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts.append(list.item(i)->text());
    return texts;
}

QListWidgetItem* entry(const FolderList& list, const QString& text) {
    const auto found = list.findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

class FolderListTest : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        for (const char* folder : {"gamma", "Alpha", "beta/inner", ".hidden"}) {
            fs::create_directories(tree.path() / folder);
        }
        tree.write("file.txt", "text");
        fs::create_directory_symlink(tree.path() / "gamma", tree.path() / "link");
        connect();
    }

    void connect() {
        QObject::connect(&list, &FolderList::pathChanged,
                         [this](const QString& path) { changes.append(path); });
        QObject::connect(&list, &FolderList::listingFailed,
                         [this](const Failure& failure) { failures.push_back(failure); });
    }

    std::string root() const { return tree.path().string(); }

    TempDir tree;
    ScriptedFileSystem files;
    FolderList list{files};
    QStringList changes;
    std::vector<Failure> failures;
};

TEST_F(FolderListTest, ShowsSubfoldersByNameWithoutHiddenFilesOrLinks) {
    ASSERT_FALSE(list.setPath(root() + "/"));
    EXPECT_EQ(list.path(), root());
    EXPECT_EQ(shownEntries(list), (QStringList{"..", "Alpha", "beta", "gamma"}));
    EXPECT_EQ(changes, QStringList{QString::fromStdString(root())});
}

TEST_F(FolderListTest, DoubleClickAndEnterOpenAndDotDotGoesUp) {
    ASSERT_FALSE(list.setPath(root()));
    emit list.itemDoubleClicked(entry(list, "beta"));
    EXPECT_EQ(list.path(), root() + "/beta");
    EXPECT_EQ(shownEntries(list), (QStringList{"..", "inner"}));

    list.setCurrentItem(entry(list, ".."));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &enter);
    EXPECT_EQ(list.path(), root());
    // Back up, the cursor stands on the folder just left.
    ASSERT_NE(list.currentItem(), nullptr);
    EXPECT_EQ(list.currentItem()->text(), QStringLiteral("beta"));
    EXPECT_EQ(changes.size(), 3);
    EXPECT_TRUE(failures.empty());
}

TEST_F(FolderListTest, TheRootHasNoWayUp) {
    ASSERT_FALSE(list.setPath("/"));
    EXPECT_FALSE(shownEntries(list).contains(".."));
    EXPECT_EQ(FolderList::parentOf("/usr"), "/");
    EXPECT_EQ(FolderList::parentOf("/usr/share/"), "/usr");
}

TEST_F(FolderListTest, AFolderThatCannotBeListedIsAFailureNotAnEmptyList) {
    ASSERT_FALSE(list.setPath(root()));
    files.fail("list", EACCES, root() + "/beta");
    emit list.itemDoubleClicked(entry(list, "beta"));

    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].code, code::permissionDenied);
    EXPECT_EQ(failures[0].path, root() + "/beta");
    // Still showing where it was.
    EXPECT_EQ(list.path(), root());
    EXPECT_EQ(shownEntries(list), (QStringList{"..", "Alpha", "beta", "gamma"}));
    EXPECT_EQ(changes.size(), 1);
}

TEST_F(FolderListTest, MissingOrRelativePathsArePathNotFound) {
    for (const std::string& path :
         {root() + "/nowhere", std::string("relative/folder"), std::string()}) {
        SCOPED_TRACE(path);
        const Failure failure = list.setPath(path);
        EXPECT_EQ(failure.code, code::pathNotFound);
    }
    EXPECT_TRUE(list.path().empty());
    EXPECT_TRUE(failures.empty());  // setPath returns its failure; only clicks announce one
}

}  // namespace
}  // namespace tessaly
