// The status row along the window's foot: the light, the file being
// searched (or how the run ended) and the count of files found.
#pragma once

class QLabel;
class QWidget;

namespace tessaly {

class TwipScale;
struct MainLayout;

class StatusRow {
public:
    StatusRow(QWidget* window, const TwipScale& scale);

    // `taller`: twips the window has beyond its least height.
    void layOut(const MainLayout& columns, int taller);

    QLabel* ImageRed;
    QLabel* ImageGreen;
    QLabel* dispFile;
    QLabel* Label9;
    QLabel* totalNumber;

private:
    const TwipScale& scale_;
};

}  // namespace tessaly
