#include "platform/qt/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace tessaly {

namespace {

// Relative luminance as the contrast rules of the web define it.
double luminance(const QColor& colour) {
    const auto channel = [](double value) {
        value /= 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) + 0.0722 * channel(colour.blue());
}

double contrast(const QColor& a, const QColor& b) {
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

}  // namespace

QColor readableOn(const QColor& colour, const QColor& background) {
    // 4.5 to 1 is what text needs to be read with ease.
    constexpr double kReadable = 4.5;
    const bool darkBackground = luminance(background) < 0.2;
    const QColor towards = darkBackground ? Qt::white : Qt::black;
    QColor shade = colour;
    // Mixed a tenth at a time with white on a dark background, black on a light one.
    for (int step = 1; step <= 10 && contrast(shade, background) < kReadable; ++step) {
        const double part = step / 10.0;
        shade = QColor::fromRgbF(colour.redF() * (1 - part) + towards.redF() * part,
                                 colour.greenF() * (1 - part) + towards.greenF() * part,
                                 colour.blueF() * (1 - part) + towards.blueF() * part);
    }
    return shade;
}

}  // namespace tessaly
