// What the main window's views share about where their controls go: the
// twips of the window's least size, the divider of the results view and the
// span a control takes across. Each view keeps its own rows and columns
// beside the code that builds it.
#pragma once

namespace tessaly {

struct Span {
    int left = 0;
    int width = 0;
    int right() const { return left + width; }
    bool operator==(const Span&) const = default;
};

// A span `ownWidth` wide that ends `inset` short of the container's right edge.
inline Span rightAligned(int containerWidth, int ownWidth, int inset) {
    return {containerWidth - ownWidth - inset, ownWidth};
}

namespace layout {
inline constexpr int minimumWidth = 8280;
inline constexpr int fixedHeight = 7860;  // the least height
inline constexpr int defaultDivider = 3000;
// Room the single-file view always keeps right of the divider.
inline constexpr int fileViewFloor = 4000;
inline constexpr int dividerWidth = 60;
// Twips a rich-text pane keeps free at its right edge: its lines wrap there.
inline constexpr int paneRightMargin = 400;
}  // namespace layout

// While the divider is dragged: its new left for a mouse offset of
// `offsetTwips` inside it, kept between 200 and the window's width less 260.
int dragDivider(int dividerLeft, double offsetTwips, int scaleWidth);
// When it is let go, or when the window narrows: pulled back so that the
// floor is left to the file text in a results view `dispResultWidth` wide.
int dropDivider(int dividerLeft, int dispResultWidth);

}  // namespace tessaly
