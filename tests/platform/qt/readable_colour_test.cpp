#include "platform/qt/readable_colour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tessaly {
namespace {

double luminance(const QColor& c) {
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// Headings and hits keep their hue and become readable on any background;
// a colour already readable is left as it is.
TEST(ReadableColour, BlueAndRedOnLightAndDarkBackgrounds) {
    const struct {
        QColor colour, background;
        bool unchanged;
    } cases[] = {
        {QColor(0, 0, 255), Qt::white, true},
        {QColor(0, 0, 255), QColor(0x2a, 0x2a, 0x2a), false},
        {QColor(255, 0, 0), QColor(0x2a, 0x2a, 0x2a), false},
        {QColor(255, 0, 0), Qt::white, false},
        {QColor(255, 0, 0), Qt::black, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.colour.name().toStdString() + " on " + c.background.name().toStdString());
        const QColor shown = readableOn(c.colour, c.background);
        const double x = luminance(shown), y = luminance(c.background);
        EXPECT_GE((std::max(x, y) + 0.05) / (std::min(x, y) + 0.05), 4.5);
        EXPECT_EQ(shown == c.colour, c.unchanged);
        EXPECT_EQ(shown.hslHue(), c.colour.hslHue());
    }
}

}  // namespace
}  // namespace tessaly
