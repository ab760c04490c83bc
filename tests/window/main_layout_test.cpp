#include "window/main_layout.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

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
