#include "categories/qt/category_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cerrno>
#include <filesystem>
#include <memory>

#include "categories_fixture.h"
#include "platform/qt/drive_folder_memory.h"
#include "platform/qt/drive_list.h"
#include "platform/qt/folder_list.h"
#include "temp_dir.h"
#include "window/qt/command_row.h"

namespace tessaly::test {
namespace {

class CategoryEditorTest : public CategoriesFixture {
protected:
    void SetUp() override {
        std::filesystem::create_directories(tree.path() / "Docs");
        std::filesystem::create_directories(tree.path() / "docs");
        std::filesystem::create_directories(tree.path() / "Mail");
    }

    // The editor as the Group button opens it, over the files as they are now.
    CategoryEditor& open() {
        editor = std::make_unique<CategoryEditor>(window(), fixture.dataFolder(), fixture.services, memory,
                                                  [this] { categoryBox.loadCategory(); });
        editor->show();
        return *editor;
    }
    std::string folder(const char* name) const { return (tree.path() / name).string(); }
    QString folderText(const char* name) const { return QString::fromStdString(folder(name)); }

    void addFolder(const char* name) {
        ASSERT_FALSE(editor->dirDirectory->setPath(folder(name)));
        editor->addFolder();
    }
    void pick(const QString& name) {
        const int index = editor->dirCat->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_GE(index, 0) << name.toStdString();
        editor->dirCat->setCurrentIndex(index);
        emit editor->dirCat->activated(index);
    }
    void selectFolder(int row) { editor->dirList->setCurrentRow(row); }
    QStringList listed() const { return entriesOf(*editor->dirList); }
    bool accepted() const { return editor->result() == QDialog::Accepted && !editor->isVisible(); }
    bool stillOpen() const { return editor->isVisible(); }

    TempDir tree;
    DriveFolderMemory memory;
    std::unique_ptr<CategoryEditor> editor;
};

const std::string kTwoCategories = "[Work]\r\n/w\r\n[Home]\r\n/h\r\n";
const std::string kTwoWordLists = "[Work]\r\nww\r\n[Home]\r\nhw\r\n";

TEST_F(CategoryEditorTest, OpensWithTheCategoryNamesThePromptAndTheDataFolder) {
    write(kCategoryFile, kTwoCategories);
    open();
    EXPECT_EQ(editor->objectName(), "frmDir");
    EXPECT_EQ(editor->windowTitle(), "Tessaly - Change Group");
    EXPECT_EQ(categoryNamesOf(*editor->dirCat), (QStringList{"Work", "Home"}));
    EXPECT_EQ(editor->dirCat->currentText(), "Enter Group Name Here");
    EXPECT_FALSE(editor->dirNew->isEnabled());
    EXPECT_FALSE(editor->dirDel->isEnabled());
    std::string dataFolder = fixture.dataFolder();
    dataFolder.pop_back();
    EXPECT_EQ(editor->dirDirectory->path(), dataFolder);
    EXPECT_EQ(editor->dirLblName->text(), QString::fromStdString(dataFolder));
    EXPECT_EQ(editor->dirDel->text(), "&Remove ");
}

TEST_F(CategoryEditorTest, EveryCaptionFitsAtEightPoints) {
    open();
    QFont font = editor->font();
    font.setPointSize(8);
    editor->setFont(font);
    editor->resize(560, 400);
    fixture.settle();
    for (QWidget* control : std::initializer_list<QWidget*>{
             editor->dirNew, editor->dirAdd, editor->dirDel, editor->dirOK, editor->dirCancel,
             editor->savedGroupsLabel, editor->newFolderLabel, editor->drivesLabel}) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_GE(control->width(), control->minimumSizeHint().width());
        EXPECT_GE(control->height(), control->minimumSizeHint().height());
    }
    EXPECT_LE(editor->width(), 600);
    EXPECT_LE(editor->height(), 440);
}

TEST_F(CategoryEditorTest, ANewCategoryIsAppendedOnYesAndNothingIsWrittenOnNo) {
    write(kCategoryFile, kTwoCategories);
    showCategory("Home");
    open();
    editor->dirCat->setEditText("Fresh");
    addFolder("Docs");
    addFolder("Mail");

    fixture.boxes.answer(MessageAnswer::No);
    editor->save();
    EXPECT_EQ(read(kCategoryFile), kTwoCategories);
    EXPECT_TRUE(stillOpen());

    fixture.boxes.answer(MessageAnswer::Yes);
    editor->save();
    EXPECT_EQ(askedTexts(), (QStringList{"Are you sure to save directories to Fresh?",
                                         "Are you sure to save directories to Fresh?"}));
    EXPECT_EQ(fixture.boxes.asked()[0].title, "Save Directories");
    EXPECT_EQ(fixture.boxes.asked()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(read(kCategoryFile),
              kTwoCategories + "[Fresh]\r\n" + folder("Docs") + "\r\n" + folder("Mail") + "\r\n");
    EXPECT_TRUE(accepted());
    EXPECT_EQ(categoryNames(), (QStringList{"Work", "Home", "Fresh"}));
    EXPECT_EQ(categoryBox.categoryText(), "Fresh");
    EXPECT_EQ(folders(), (QStringList{folderText("Docs"), folderText("Mail")}));
}

TEST_F(CategoryEditorTest, BlanksAroundANameGoSoItReadsBackUnderItsName) {
    open();
    editor->dirCat->setEditText("  Fresh ");
    addFolder("Docs");
    fixture.boxes.answer(MessageAnswer::Yes);
    editor->save();
    EXPECT_EQ(askedTexts(), QStringList{"Are you sure to save directories to Fresh?"});
    EXPECT_EQ(read(kCategoryFile), "[Fresh]\r\n" + folder("Docs") + "\r\n");
    EXPECT_EQ(categoryNames(), QStringList{"Fresh"});
    // The main window shows the new Category with its folder at once.
    EXPECT_EQ(fixture.window->criteria().listCategory->count(), 1);
}

// New shows the whole prompt, selected, so that typing a name replaces it.
TEST_F(CategoryEditorTest, NewOffersThePromptToTypeOver) {
    write(kCategoryFile, kTwoCategories);
    open();
    pick("Work");
    editor->dirNew->click();
    QLineEdit& name = *editor->dirCat->lineEdit();
    EXPECT_EQ(name.text(), QStringLiteral("Enter Group Name Here"));
    EXPECT_EQ(name.selectedText(), name.text());
}

// A name typed at once, as the editor opens or after New, replaces the prompt.
TEST_F(CategoryEditorTest, ANameTypedAtOnceReplacesThePrompt) {
    write(kCategoryFile, kTwoCategories);
    for (const bool afterNew : {false, true}) {
        SCOPED_TRACE(afterNew ? "after New" : "as it opens");
        open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
        if (afterNew) {
            pick("Work");
            editor->dirNew->click();
        }
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Fresh"));
        EXPECT_EQ(editor->dirCat->currentText(), QStringLiteral("Fresh"));
    }
}

TEST_F(CategoryEditorTest, OverwritingACategoryReplacesItsFoldersAndMovesItLast) {
    write(kCategoryFile, kTwoCategories);
    write(kWordFile, kTwoWordLists);
    showCategory("Home");
    open();
    pick("Work");
    EXPECT_EQ(listed(), QStringList{"/w"});
    EXPECT_TRUE(editor->dirNew->isEnabled());
    addFolder("Docs");

    fixture.boxes.answer(MessageAnswer::Yes);
    editor->save();

    EXPECT_EQ(askedTexts(),
              QStringList{" Do you want to overwrite directories in the existing Work?"});
    EXPECT_EQ(fixture.boxes.asked()[0].title, "Overwrite Directories");
    EXPECT_EQ(read(kCategoryFile), "[Work]\r\n/w\r\n" + folder("Docs") + "\r\n[Home]\r\n/h\r\n");
    EXPECT_EQ(read(kWordFile), kTwoWordLists);
    EXPECT_TRUE(accepted());
    EXPECT_EQ(categoryNames(), (QStringList{"Home", "Work"}));
    EXPECT_EQ(categoryBox.categoryText(), "Work");
    EXPECT_EQ(folders(), (QStringList{"/w", folderText("Docs")}));
    EXPECT_EQ(savedWords(), QStringList{"ww"});
}

TEST_F(CategoryEditorTest, NoToOverwritingKeepsTheEditorOpenAndTheFileAsItWas) {
    write(kCategoryFile, kTwoCategories);
    open();
    pick("Home");
    addFolder("Docs");
    fixture.boxes.answer(MessageAnswer::No);
    editor->save();
    EXPECT_TRUE(stillOpen());
    EXPECT_EQ(read(kCategoryFile), kTwoCategories);
    EXPECT_EQ(categoryNames(), QStringList{});  // the main window was not touched
}

TEST_F(CategoryEditorTest, ANameIsRequiredForFolders) {
    for (const char* name : {"Enter Group Name Here", "", "   "}) {
        SCOPED_TRACE(name);
        open();
        editor->dirCat->setEditText(name);
        addFolder("Docs");
        editor->save();
        ASSERT_FALSE(fixture.boxes.asked().empty());
        const AskedBox& box = fixture.boxes.asked().back();
        EXPECT_EQ(box.text, "You must specify an index name!");
        EXPECT_EQ(box.title, "Save Index");
        EXPECT_EQ(box.icon, MessageIcon::CriticalStop);
        EXPECT_TRUE(stillOpen());
        EXPECT_EQ(read(kCategoryFile), "");
    }
}

TEST_F(CategoryEditorTest, ANameThatCannotBeReadBackIsRefused) {
    open();
    editor->dirCat->setEditText("Projects [2024]");
    addFolder("Docs");
    editor->save();
    EXPECT_EQ(askedTexts(), QStringList{"A group name cannot contain \"]\" or a line break."});
    EXPECT_TRUE(stillOpen());
    EXPECT_EQ(read(kCategoryFile), "");
}

TEST_F(CategoryEditorTest, AFolderIsAddedOnceButAnotherCaseIsAnotherFolder) {
    open();
    addFolder("Docs");
    addFolder("Docs");
    addFolder("docs");
    EXPECT_EQ(listed(), (QStringList{folderText("Docs"), folderText("docs")}));
    ASSERT_EQ(fixture.boxes.asked().size(), 1u);
    EXPECT_EQ(fixture.boxes.asked()[0].text, "This directory is already in the current category.");
    EXPECT_EQ(fixture.boxes.asked()[0].title, "Duplicated Directory");
    EXPECT_EQ(fixture.boxes.asked()[0].icon, MessageIcon::CriticalStop);
}

TEST_F(CategoryEditorTest, RemovingTheLastFolderDeletesTheCategoryFromBothFilesForGood) {
    write(kCategoryFile, kTwoCategories);
    write(kWordFile, kTwoWordLists);
    showCategory("Work");
    open();
    pick("Work");
    selectFolder(0);
    EXPECT_TRUE(editor->dirDel->isEnabled());

    editor->removeFolder();

    EXPECT_TRUE(fixture.boxes.asked().empty());
    EXPECT_EQ(read(kCategoryFile), "[Home]\r\n/h\r\n");
    EXPECT_EQ(read(kWordFile), "[Home]\r\nhw\r\n");
    EXPECT_EQ(categoryNamesOf(*editor->dirCat), QStringList{"Home"});
    EXPECT_EQ(editor->dirCat->currentText(), "Enter Group Name Here");
    EXPECT_FALSE(editor->dirDel->isEnabled());

    editor->dirCancel->click();
    EXPECT_FALSE(stillOpen());
    EXPECT_EQ(read(kCategoryFile), "[Home]\r\n/h\r\n");
    EXPECT_EQ(read(kWordFile), "[Home]\r\nhw\r\n");
    // The main window learns of it only through OK.
    EXPECT_EQ(categoryNames(), (QStringList{"Work", "Home"}));
    EXPECT_EQ(folders(), QStringList{"/w"});
}

TEST_F(CategoryEditorTest, OkWithoutANameShowsTheCategoriesAsTheEditorLastListedThem) {
    write(kCategoryFile, kTwoCategories);
    write(kWordFile, kTwoWordLists);
    showCategory("Work");
    setSearchTexts({"a", "b", "c", "d"});
    open();
    pick("Work");
    selectFolder(0);
    editor->removeFolder();

    editor->save();

    EXPECT_TRUE(fixture.boxes.asked().empty());
    EXPECT_TRUE(accepted());
    EXPECT_EQ(categoryNames(), QStringList{"Home"});
    EXPECT_EQ(categoryBox.categoryText(), "");
    EXPECT_TRUE(folders().isEmpty());
    EXPECT_TRUE(savedWords().isEmpty());
    EXPECT_EQ(searchTexts(), (QStringList{"", "", "", ""}));
}

TEST_F(CategoryEditorTest, SavingAnotherCategoryAlsoDropsTheDeletedOnesFromTheMainWindow) {
    write(kCategoryFile, kTwoCategories);
    showCategory("Work");
    open();
    pick("Work");
    selectFolder(0);
    editor->removeFolder();
    pick("Home");
    addFolder("Docs");
    fixture.boxes.answer(MessageAnswer::Yes);
    editor->save();
    EXPECT_EQ(categoryNames(), QStringList{"Home"});
    EXPECT_EQ(categoryBox.categoryText(), "Home");
}

TEST_F(CategoryEditorTest, EmptyingAListTypedOverAnotherCategoryDeletesNothing) {
    write(kCategoryFile, kTwoCategories);
    write(kWordFile, kTwoWordLists);
    open();
    editor->dirCat->setEditText("Work");  // typed, not picked: its folders were never shown
    addFolder("Docs");
    selectFolder(0);
    editor->removeFolder();
    EXPECT_EQ(read(kCategoryFile), kTwoCategories);
    EXPECT_EQ(read(kWordFile), kTwoWordLists);
    EXPECT_EQ(categoryNamesOf(*editor->dirCat), (QStringList{"Work", "Home"}));
}

TEST_F(CategoryEditorTest, NothingToSaveAsksAndWritesNothing) {
    const std::string categories = "[Empty]\r\n[Work]\r\n/w\r\n";
    write(kCategoryFile, categories);
    showCategory("Work");
    open();
    pick("Empty");
    ASSERT_TRUE(listed().isEmpty());

    fixture.boxes.answer(MessageAnswer::Yes);
    fixture.boxes.answer(MessageAnswer::No);
    editor->save();
    EXPECT_TRUE(stillOpen());

    fixture.boxes.answer(MessageAnswer::Yes);
    fixture.boxes.answer(MessageAnswer::Yes);
    editor->save();

    EXPECT_EQ(askedTexts(),
              (QStringList{" Do you want to overwrite directories in the existing Empty?",
                           "There is nothing to save to Empty. Continue?",
                           " Do you want to overwrite directories in the existing Empty?",
                           "There is nothing to save to Empty. Continue?"}));
    EXPECT_EQ(fixture.boxes.asked()[1].title, "Wrong Action");
    EXPECT_TRUE(accepted());
    EXPECT_EQ(read(kCategoryFile), categories);
    EXPECT_EQ(categoryBox.categoryText(), "Empty");
    EXPECT_TRUE(folders().isEmpty());
}

TEST_F(CategoryEditorTest, AFailedWriteIsReportedAndLeavesBothFilesAndTheEditorAsTheyWere) {
    write(kCategoryFile, kTwoCategories);
    write(kWordFile, kTwoWordLists);
    showCategory("Home");
    open();
    pick("Work");
    addFolder("Docs");
    files.fail("rename", ENOSPC);

    fixture.boxes.answer(MessageAnswer::Yes);     // overwrite
    fixture.boxes.answer(MessageAnswer::Ignore);  // the Operation Error box
    editor->save();

    ASSERT_EQ(fixture.boxes.asked().size(), 2u);
    const AskedBox& report = fixture.boxes.asked()[1];
    EXPECT_EQ(report.title, "Operation Error");
    EXPECT_EQ(report.icon, MessageIcon::CriticalStop);
    EXPECT_EQ(report.buttons, MessageButtons::AbortRetryIgnore);
    EXPECT_TRUE(report.text.startsWith("Disk full! Please free some disk space! ( 61)"));
    EXPECT_TRUE(stillOpen());
    EXPECT_EQ(listed(), (QStringList{"/w", folderText("Docs")}));
    EXPECT_EQ(categoryNames(), (QStringList{"Work", "Home"}));
    EXPECT_EQ(categoryBox.categoryText(), "Home");

    // Deleting fails the same way and keeps the Category.
    fixture.boxes.answer(MessageAnswer::Ignore);
    for (int row : {1, 0}) {
        selectFolder(row);
        editor->removeFolder();
    }
    EXPECT_EQ(categoryNamesOf(*editor->dirCat), (QStringList{"Work", "Home"}));
    EXPECT_EQ(read(kCategoryFile), kTwoCategories);
    EXPECT_EQ(read(kWordFile), kTwoWordLists);
    EXPECT_EQ(fixture.end.ended(), 0);
}

TEST_F(CategoryEditorTest, ADriveThatIsNotReadyClosesTheEditorOnIgnoreAndEndsOnAbort) {
    struct Case {
        MessageAnswer answer;
        bool open;
        int ended;
    };
    for (const Case& c :
         {Case{MessageAnswer::Ignore, false, 0}, Case{MessageAnswer::Abort, true, 1}}) {
        open();
        files.fail("list", ENOMEDIUM);
        fixture.boxes.answer(c.answer);
        const int endedBefore = fixture.end.ended();
        emit editor->dirDrive->driveChanged(editor->dirDrive->currentRoot());
        files.clearFaults();
        ASSERT_FALSE(fixture.boxes.asked().empty());
        EXPECT_EQ(fixture.boxes.asked().back().text, "Disk not ready! ( 68)");
        EXPECT_EQ(stillOpen(), c.open);
        EXPECT_EQ(fixture.end.ended() - endedBefore, c.ended);
    }
}

TEST_F(CategoryEditorTest, TheGroupButtonOpensTheEditorModally) {
    connectCategoryEditor(window(), fixture.dataFolder(), fixture.services, memory, [] {});
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* opened = window().findChild<CategoryEditor*>("frmDir");
        shown = opened && opened->isModal() && opened->isVisible();
        if (opened) opened->dirCancel->click();
    });
    window().commands().searchBrowse->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(window().findChild<CategoryEditor*>("frmDir"), nullptr);
}

}  // namespace
}  // namespace tessaly::test
