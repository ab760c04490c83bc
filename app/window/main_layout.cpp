#include "window/main_layout.h"

#include <algorithm>
#include <cmath>

namespace tessaly {

int dragDivider(int dividerLeft, double offsetTwips, int scaleWidth) {
    const long wanted = std::lround(dividerLeft + offsetTwips);
    return static_cast<int>(std::clamp<long>(wanted, 200, std::max(200, scaleWidth - 260)));
}

int dropDivider(int dividerLeft, int dispResultWidth) {
    if (dispResultWidth - dividerLeft < layout::fileViewFloor)
        return dispResultWidth - layout::fileViewFloor;
    return dividerLeft;
}

}  // namespace tessaly
