// Where the main window's controls go across its width, in twips. Lefts and
// widths follow the width; the rows stand where they are, except that the
// results view takes any height the window has beyond its least (and the
// status row moves down with it). Frame-relative values are marked so.
#pragma once

namespace tessaly {

struct Span {
    int left = 0;
    int width = 0;
    int right() const { return left + width; }
    bool operator==(const Span&) const = default;
};

namespace layout {
inline constexpr int minimumWidth = 8280;
inline constexpr int fixedHeight = 7860;  // the least height
inline constexpr int defaultDivider = 3000;
// Room the single-file view always keeps right of the divider.
inline constexpr int fileViewFloor = 4000;
inline constexpr int dividerWidth = 60;
// Twips a rich-text pane keeps free at its right edge: its lines wrap there.
inline constexpr int paneRightMargin = 400;

// Widths the window gives these controls; the layout centres and aligns by them.
inline constexpr int searchTextLeft = 150;  // inside frameSearch
inline constexpr int operatorGroupWidth = 3300;
inline constexpr int wordButtonWidth = 450;  // >> and <<
inline constexpr int removeAllWidth = 1100;
inline constexpr int summaryValueWidth = 1600;
inline constexpr int groupControlWidth = 1750;  // the right-hand button of an options group
inline constexpr int typeTextLeft = 1200;       // inside frameTypes
inline constexpr int panelButtonWidth = 1000;   // advOK
inline constexpr int searchSubWidth = 1800;
inline constexpr int totalNumberWidth = 900;
inline constexpr int filesFoundWidth = 1150;
inline constexpr int dispFileLeft = 400;
}  // namespace layout

struct MainLayout {
    // The criteria view; everything but frameSearch is inside frameSearch.
    Span frameSearch;
    Span searchText;  // all four boxes
    Span operatorGroup;  // Picture1 to Picture3
    Span wordButtons;  // searchAdd, searchCopy
    Span wordList;
    Span searchRemove;
    Span searchRemoveAll;
    Span separater;
    Span summaryCaption;  // left only matters; the width reaches the value column
    Span summaryValue;
    Span searchCat;  // also listCategory, qDrive, qDirList
    // The options panel, inside frameSearch; its groups inside the panel.
    Span frameAdvanced;
    Span group;  // every group frame
    Span groupControl;  // inside a group: its right-hand button
    Span typeText;  // inside frameTypes
    Span advOK;  // inside the panel; searchSub the same way
    Span searchSub;
    // The results view, in the window.
    Span dispResult;
    Span outlineFile;
    Span textFile;
    Span MainResult;
    int dividerLeft = 0;
    // The status row, in the window.
    Span dispFile;
    Span filesFound;  // Label9
    Span totalNumber;
};

// `scaleWidth` is the window's inner width; `dividerLeft` where the divider
// stands now. The divider moves left when it would leave less than the floor
// to the file text.
MainLayout mainLayout(int scaleWidth, int dividerLeft);

// While the divider is dragged: its new left for a mouse offset of
// `offsetTwips` inside it, kept between 200 and the window's width less 260.
int dragDivider(int dividerLeft, double offsetTwips, int scaleWidth);
// When it is let go: pulled back so that the floor is left to the file text.
int dropDivider(int dividerLeft, int dispResultWidth);

}  // namespace tessaly
