#include "categories/qt/word_list.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <cerrno>

#include "categories_fixture.h"
#include "window/qt/criteria_view.h"

namespace tessaly::test {
namespace {

class WordListTest : public CategoriesFixture {
protected:
    void SetUp() override { write(kCategoryFile, "[Work]\r\n/w\r\n[New]\r\n/n\r\n"); }
};

TEST_F(WordListTest, SavingAddsOnlyTheTextsNotYetSavedInBoxOrderAndRewritesInPlace) {
    write(kWordFile, "[Work]\r\nbeta\r\nalpha\r\n[Home]\r\nx\r\n");
    showCategory("Work");
    setSearchTexts({"alpha", "gamma", "beta", "Alpha"});

    window().criteria().searchAdd->click();

    EXPECT_EQ(savedWords(), (QStringList{"beta", "alpha", "gamma", "Alpha"}));
    EXPECT_EQ(read(kWordFile), "[Work]\r\nbeta\r\nalpha\r\ngamma\r\nAlpha\r\n[Home]\r\nx\r\n");
    EXPECT_TRUE(fixture.boxes.asked().empty());
}

TEST_F(WordListTest, TheFirstSaveAppendsASectionAndLaterSavesRewriteIt) {
    const std::string before = "[Home]\r\nx\r\n";
    write(kWordFile, before);
    showCategory("New");
    setSearchTexts({"one", "", "", ""});
    window().criteria().searchAdd->click();
    EXPECT_EQ(read(kWordFile), before + "[New]\r\none\r\n");

    write(kWordFile, read(kWordFile) + "[Later]\r\ny\r\n");
    setSearchTexts({"one", "two", "", ""});
    window().criteria().searchAdd->click();
    EXPECT_EQ(read(kWordFile), before + "[New]\r\none\r\ntwo\r\n[Later]\r\ny\r\n");
}

TEST_F(WordListTest, SavingWithoutACategoryIsRefusedAndWritesNothing) {
    showCategory("");
    setSearchTexts({"one", "", "", ""});
    window().criteria().searchAdd->click();

    ASSERT_EQ(fixture.boxes.asked().size(), 1u);
    const AskedBox& box = fixture.boxes.asked()[0];
    EXPECT_EQ(box.text, "You must specify the index!");
    EXPECT_EQ(box.title, "Index Missing");
    EXPECT_EQ(box.icon, MessageIcon::CriticalStop);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_TRUE(savedWords().isEmpty());
    EXPECT_EQ(read(kWordFile), "");  // created empty by the load, never written
}

TEST_F(WordListTest, RemovingRewritesTheSectionAndRemoveAllLeavesItsHeader) {
    write(kWordFile, "[Work]\r\nalpha\r\nbeta\r\n[Home]\r\nx\r\n");
    showCategory("Work");
    window().criteria().wordList->setCurrentRow(0);
    EXPECT_TRUE(window().criteria().searchRemove->isEnabled());
    EXPECT_TRUE(window().criteria().searchCopy->isEnabled());

    window().criteria().searchRemove->click();
    EXPECT_EQ(savedWords(), QStringList{"beta"});
    EXPECT_EQ(read(kWordFile), "[Work]\r\nbeta\r\n[Home]\r\nx\r\n");
    const bool selected = !window().criteria().wordList->selectedItems().isEmpty();
    EXPECT_EQ(window().criteria().searchRemove->isEnabled(), selected);
    EXPECT_EQ(window().criteria().searchCopy->isEnabled(), selected);

    window().criteria().searchRemoveAll->click();
    EXPECT_TRUE(savedWords().isEmpty());
    EXPECT_EQ(read(kWordFile), "[Work]\r\n[Home]\r\nx\r\n");
    EXPECT_FALSE(window().criteria().searchRemove->isEnabled());
    EXPECT_FALSE(window().criteria().searchCopy->isEnabled());
}

TEST_F(WordListTest, RemoveAllForACategoryWithoutSavedWordsLeavesTheFileAlone) {
    const std::string words = "[Home]\r\nx\r\n";
    write(kWordFile, words);
    showCategory("Work");
    window().criteria().searchRemoveAll->click();
    EXPECT_EQ(read(kWordFile), words);
}

TEST_F(WordListTest, CopyFillsTheFirstEmptyBoxUnlessTheTextIsThereOrNoBoxIsFree) {
    struct Case {
        QStringList boxes;
        int selected;  // row of wordList, -1 for none
        QStringList expected;
        int beeps;
        bool told;
    };
    const Case cases[] = {
        {{"alpha", "", "gamma", ""}, 1, {"alpha", "beta", "gamma", ""}, 0, false},
        {{"", "", "", ""}, 0, {"alpha", "", "", ""}, 0, false},
        {{"", "beta", "", ""}, 1, {"", "beta", "", ""}, 1, false},
        {{"", "Beta", "", ""}, 1, {"beta", "Beta", "", ""}, 0, false},
        {{"a", "b", "c", "d"}, 0, {"a", "b", "c", "d"}, 0, true},
        {{"", "", "", ""}, -1, {"", "", "", ""}, 0, false},
    };
    write(kWordFile, "[Work]\r\nalpha\r\nbeta\r\n");
    showCategory("Work");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boxes.join('|').toStdString() + " row " + std::to_string(c.selected));
        const std::size_t asked = fixture.boxes.asked().size();
        const int beeps = fixture.desktop.beeps();
        setSearchTexts(c.boxes);
        window().criteria().wordList->clearSelection();
        if (c.selected >= 0) window().criteria().wordList->setCurrentRow(c.selected);

        wordList.copySelectedText();

        EXPECT_EQ(searchTexts(), c.expected);
        EXPECT_EQ(fixture.desktop.beeps() - beeps, c.beeps);
        ASSERT_EQ(fixture.boxes.asked().size() - asked, c.told ? 1u : 0u);
        if (c.told) {
            const AskedBox& box = fixture.boxes.asked().back();
            EXPECT_EQ(box.text, "Please delete the text in the field you want to copy to!");
            EXPECT_EQ(box.title, "Copy Searching Text");
            EXPECT_EQ(box.icon, MessageIcon::Exclamation);
        }
    }
}

TEST_F(WordListTest, SaveIsUsableWhileSomeBoxHoldsTextAndDirectSearchIsOff) {
    struct Case {
        QStringList boxes;
        bool directSearch;
        bool enabled;
    };
    const Case cases[] = {
        {{"", "", "", ""}, false, false},
        {{"", "", "", "x"}, false, true},
        {{" ", "", "", ""}, false, true},
        {{"x", "", "", ""}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boxes.join('|').toStdString());
        window().criteria().chkQSearch->setChecked(c.directSearch);
        setSearchTexts({"seed", "", "", ""});
        setSearchTexts(c.boxes);
        EXPECT_EQ(window().criteria().searchAdd->isEnabled(), c.enabled);
    }
}

TEST_F(WordListTest, AFailedWriteIsReportedAndLeavesTheWordFileAsItWas) {
    const std::string words = "[Work]\r\nalpha\r\n[Home]\r\nx\r\n";
    write(kWordFile, words);
    showCategory("Work");
    files.fail("rename", ENOSPC);
    fixture.boxes.answer(MessageAnswer::Ignore);
    setSearchTexts({"beta", "", "", ""});

    window().criteria().searchAdd->click();

    ASSERT_EQ(fixture.boxes.asked().size(), 1u);
    EXPECT_EQ(fixture.boxes.asked()[0].title, "Operation Error");
    EXPECT_TRUE(
        fixture.boxes.asked()[0].text.startsWith("Disk full! Please free some disk space! ( 61)"));
    EXPECT_EQ(read(kWordFile), words);
    // The list keeps the text, so the next change writes it.
    EXPECT_EQ(savedWords(), (QStringList{"alpha", "beta"}));
}

}  // namespace
}  // namespace tessaly::test
