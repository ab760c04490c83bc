// Where the views put their controls across the window, as it widens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>

#include "platform/file_system.h"
#include "window/qt/criteria_view.h"
#include "window/qt/main_window.h"
#include "window/qt/result_tabs.h"
#include "window/qt/status_row.h"

namespace tessaly {
namespace {

TEST(ViewColumns, NothingReachesPastItsFrameAtAnyWidth) {
    const struct {
        int width;
        int searchTextWidth;
        Span wordList;
    } cases[] = {
        // Each word box is half the frame less 450; the saved words take
        // what the boxes and the two buttons leave.
        {8280, 3590, {4540, 3365}},
        {8281, 3590, {4540, 3366}},
        {12000, 5450, {6400, 5225}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        const CriteriaView::Columns columns = CriteriaView::columns(c.width);
        EXPECT_EQ(columns.frameSearch, (Span{100, c.width - 200}));
        EXPECT_EQ(columns.searchText.width, c.searchTextWidth);
        EXPECT_EQ(columns.wordList, c.wordList);

        MainWindow window(systemFileSystem());
        window.setWidthTwips(c.width);
        window.layOut();
        const QFrame* frame = window.criteria().frameSearch;
        // The options panel and its pages stand inside the frame too.
        for (const QWidget* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->objectName().startsWith(QStringLiteral("monthView"))) continue;  // floats over
            EXPECT_LE(control->geometry().right(), frame->width() + 5) << control->objectName().toStdString();
        }
        EXPECT_LE(window.status().totalNumber->geometry().right(), window.width());
        EXPECT_LT(window.status().dispFile->geometry().right(), window.status().Label9->x());
    }
}

TEST(ViewColumns, TheDividerLeavesTheFileTextItsRoom) {
    const struct {
        int width;
        int dividerLeft;
        int expected;
    } cases[] = {
        {8280, 3000, 3000},  // 8050 - 3000 leaves more than 4000
        {8280, 4050, 4050},  // exactly 4000 left
        {8280, 5000, 4050},  // pulled back to leave 4000
        {12000, 7000, 7000},
        {12000, 8000, 7770},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " " << c.dividerLeft);
        const ResultTabs::Columns columns = ResultTabs::columns(c.width, c.dividerLeft);
        EXPECT_EQ(columns.dividerLeft, c.expected);
        EXPECT_EQ(columns.outlineFile.right(), c.expected);
        EXPECT_EQ(columns.textFile.left, c.expected + layout::dividerWidth);
        EXPECT_GE(columns.textFile.width, layout::fileViewFloor - 60 - 120);
        EXPECT_LE(columns.textFile.right(), columns.dispResult.width);
    }
}

}  // namespace
}  // namespace tessaly
