// The status row along the window's foot: the light, the file being
// searched (or how the run ended) and the count of files found.
#pragma once

class QLabel;
class QWidget;

#include "window/qt/form_parts.h"

namespace tessaly {


class StatusRow {
public:
    StatusRow(QWidget* window, const TwipScale& scale);

    // `taller`: twips the window has beyond its least height.
    void layOut(int windowWidth, int taller);

    QLabel* ImageRed;
    QLabel* ImageGreen;
    QLabel* dispFile;
    QLabel* Label9;
    QLabel* totalNumber;

private:
    const TwipScale& scale_;
};

}  // namespace tessaly
