#include "categories/qt/category_box.h"

#include <gtest/gtest.h>

#include "categories_fixture.h"
#include "window/qt/criteria_view.h"

namespace tessaly::test {
namespace {

using CategoryBoxTest = CategoriesFixture;

const std::string kCategories =
    "[Work]\r\n/docs\r\n  /data  \r\n"
    "[Home]\r\n/home/me\r\n"
    "[]\r\n/unnamed\r\n"
    "[Enter Group Name Here]\r\n/prompt\r\n";
const std::string kWords =
    "[Work]\r\nalpha\r\n"
    "[Enter Group Name Here]\r\nprompted\r\n"
    "[]\r\nunnamed\r\n";

TEST_F(CategoryBoxTest, TheBoxTextDecidesWhatLoadingReplacesAndWhatItKeeps) {
    struct Case {
        const char* chosen;
        QString text;  // what the box then says
        QStringList words;
        QStringList folders;
        QStringList searchTexts;
    };
    const QStringList typed{"one", "two", "", "four"};
    const Case cases[] = {
        {"Work", "Work", {"alpha"}, {"/docs", "/data"}, {"", "", "", ""}},
        {"Home", "Home", {}, {"/home/me"}, {"", "", "", ""}},
        // No Category: the folders go, the saved words stay, plus the section
        // of the empty name.
        {"", "", {"kept", "unnamed"}, {"/unnamed"}, {"", "", "", ""}},
        // A name the list does not hold leaves nothing chosen, never a stale name.
        {"work", "", {"kept", "unnamed"}, {"/unnamed"}, {"", "", "", ""}},
        {"Enter Group Name Here",
         "Enter Group Name Here",
         {"prompted"},
         {"/kept", "/prompt"},
         typed},
    };
    write(kCategoryFile, kCategories);
    write(kWordFile, kWords);
    categoryBox.fillNames();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        categoryBox.setCategoryText("Home");
        categoryBox.setCategoryText(c.chosen);
        window().criteria().wordList->clear();
        window().criteria().wordList->addItem("kept");
        window().criteria().listCategory->clear();
        window().criteria().listCategory->addItem("/kept");
        setSearchTexts(typed);
        const int before = refreshes;

        categoryBox.loadCategory();

        EXPECT_EQ(categoryBox.categoryText(), c.text);
        EXPECT_EQ(savedWords(), c.words);
        EXPECT_EQ(folders(), c.folders);
        EXPECT_EQ(searchTexts(), c.searchTexts);
        EXPECT_EQ(refreshes, before + 1);
    }
    EXPECT_TRUE(fixture.boxes.asked().empty());
    EXPECT_EQ(read(kCategoryFile), kCategories);
    EXPECT_EQ(read(kWordFile), kWords);
}

TEST_F(CategoryBoxTest, PickingACategoryEmptiesTheSearchBoxesAndShowsItsWords) {
    write(kCategoryFile, kCategories);
    write(kWordFile, kWords);
    categoryBox.fillNames();
    EXPECT_EQ(categoryNames(), (QStringList{"Work", "Home", "", "Enter Group Name Here"}));
    EXPECT_EQ(categoryBox.categoryText(), "");  // nobody picked one yet
    setSearchTexts({"a", "b", "c", "d"});
    window().criteria().wordList->addItem("other");
    window().criteria().wordList->setCurrentRow(0);
    window().criteria().searchRemove->setEnabled(true);
    window().criteria().searchCopy->setEnabled(true);

    window().criteria().searchCat->setCurrentIndex(0);
    emit window().criteria().searchCat->activated(0);

    EXPECT_EQ(searchTexts(), (QStringList{"", "", "", ""}));
    EXPECT_EQ(savedWords(), QStringList{"alpha"});
    EXPECT_EQ(folders(), (QStringList{"/docs", "/data"}));
    EXPECT_FALSE(window().criteria().searchRemove->isEnabled());
    EXPECT_FALSE(window().criteria().searchCopy->isEnabled());
}

TEST_F(CategoryBoxTest, MissingFilesListNothingAndAreCreatedEmpty) {
    categoryBox.fillNames();
    categoryBox.loadCategory();
    EXPECT_TRUE(categoryNames().isEmpty());
    EXPECT_TRUE(folders().isEmpty());
    EXPECT_EQ(read(kCategoryFile), "");
    EXPECT_EQ(read(kWordFile), "");
}

TEST_F(CategoryBoxTest, AnUnreadableFileIsReportedAndNothingHalfReadIsShown) {
    write(kCategoryFile, kCategories);
    categoryBox.fillNames();
    categoryBox.setCategoryText("Work");
    files.fail("read", EIO, fixture.dataFile(kCategoryFile));
    fixture.boxes.answer(MessageAnswer::Ignore);
    window().criteria().listCategory->addItem("/stale");

    categoryBox.loadCategory();

    ASSERT_EQ(fixture.boxes.asked().size(), 1u);
    EXPECT_EQ(fixture.boxes.asked()[0].title, "Operation Error");
    EXPECT_EQ(fixture.boxes.asked()[0].buttons, MessageButtons::AbortRetryIgnore);
    EXPECT_TRUE(folders().isEmpty());
    EXPECT_EQ(refreshes, 1);
}

}  // namespace
}  // namespace tessaly::test
