#include "window/main_layout.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(MainLayout, CriteriaViewFollowsTheWidth) {
    struct Case {
        int scaleWidth;
        int searchTextWidth;
        int wordListLeft;
        int wordListWidth;
    };
    // frameSearch is the width less 200; each word box half of it less 450;
    // the saved-word list takes what the boxes and the two buttons leave.
    const Case cases[] = {
        {8280, 3590, 4540, 3365},
        {12000, 5450, 6400, 5225},
        {8281, 3590, 4540, 3366},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scaleWidth);
        const MainLayout l = mainLayout(c.scaleWidth, layout::defaultDivider);
        EXPECT_EQ(l.frameSearch, (Span{100, c.scaleWidth - 200}));
        EXPECT_EQ(l.searchText.width, c.searchTextWidth);
        EXPECT_EQ(l.wordList, (Span{c.wordListLeft, c.wordListWidth}));
        EXPECT_EQ(l.operatorGroup.left,
                  l.searchText.left + (l.searchText.width - layout::operatorGroupWidth) / 2);
        EXPECT_EQ(l.wordButtons.left, l.searchText.right() + 175);
        EXPECT_EQ(l.searchRemove.left, l.wordList.left);
        EXPECT_EQ(l.searchRemoveAll.right(), l.frameSearch.width - 255);
        EXPECT_EQ(l.separater, (Span{l.wordList.left - 500, l.wordList.width + 500}));
        EXPECT_EQ(l.summaryValue.right(), l.wordList.right());
        EXPECT_EQ(l.summaryCaption.left, l.wordList.left - 500);
        EXPECT_EQ(l.searchCat, l.searchText);
        // The options panel stands right of the word boxes and is 880 wider
        // than the list it covers; its groups keep 200 on either side.
        EXPECT_EQ(l.frameAdvanced, (Span{l.searchText.right() + 100, c.wordListWidth + 880}));
        EXPECT_EQ(l.group, (Span{200, l.frameAdvanced.width - 400}));
        EXPECT_EQ(l.groupControl.right(), l.group.width - 100);
        EXPECT_EQ(l.typeText.right(), l.group.width - 100);
        EXPECT_EQ(l.advOK.right(), l.frameAdvanced.width - 180);
        EXPECT_EQ(l.searchSub.right(), l.frameAdvanced.width - 180);
        // Nothing of the criteria view reaches past its frame.
        EXPECT_LE(l.wordList.right(), l.frameSearch.width);
        EXPECT_LE(l.frameAdvanced.right(), l.frameSearch.width + 5);
    }
}

TEST(MainLayout, ResultsViewKeepsRoomForTheFileText) {
    struct Case {
        int scaleWidth;
        int dividerLeft;
        int expectedDivider;
    };
    const Case cases[] = {
        {8280, 3000, 3000},   // 8050 - 3000 leaves more than 4000
        {8280, 4050, 4050},   // exactly 4000 left
        {8280, 5000, 4050},   // pulled back to leave 4000
        {12000, 7000, 7000},
        {12000, 8000, 7770},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.scaleWidth << " " << c.dividerLeft);
        const MainLayout l = mainLayout(c.scaleWidth, c.dividerLeft);
        EXPECT_EQ(l.dispResult, (Span{100, c.scaleWidth - 230}));
        EXPECT_EQ(l.dividerLeft, c.expectedDivider);
        EXPECT_EQ(l.outlineFile, (Span{130, c.expectedDivider - 130}));
        EXPECT_EQ(l.textFile.left, c.expectedDivider + 60);
        EXPECT_EQ(l.textFile.width, l.dispResult.width - (l.textFile.left + 120));
        EXPECT_GE(l.textFile.width, layout::fileViewFloor - 60 - 120);
        EXPECT_EQ(l.MainResult, (Span{110, l.dispResult.width - 100 - 120}));
        EXPECT_EQ(l.totalNumber.right(), c.scaleWidth - 100);
        EXPECT_EQ(l.filesFound.right(), l.totalNumber.left - 50);
        EXPECT_EQ(l.dispFile.right(), l.filesFound.left - 70);
    }
}

TEST(MainLayout, DividerDragIsLimitedAndPulledBackOnRelease) {
    struct Case {
        int left;
        double offset;
        int scaleWidth;
        int dragged;
        int dropped;  // dispResult is scaleWidth - 230 wide
    };
    const Case cases[] = {
        {3000, 100.4, 8280, 3100, 3100},
        {3000, 100.5, 8280, 3101, 3101},  // rounded
        {300, -500, 8280, 200, 200},      // the far left stops at 200
        {3000, 9000, 8280, 8020, 4050},   // the far right: width - 260, then back to 4000 room
        {3000, 0, 8280, 3000, 3000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << " " << c.offset);
        const int dragged = dragDivider(c.left, c.offset, c.scaleWidth);
        EXPECT_EQ(dragged, c.dragged);
        EXPECT_EQ(dropDivider(dragged, c.scaleWidth - 230), c.dropped);
    }
}

}  // namespace
}  // namespace tessaly
