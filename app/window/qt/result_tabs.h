// The results view: the result pane on one tab, the tree and the single
// file's hits on the other, with the divider between them.
#pragma once

class QTabWidget;
class QWidget;

#include "window/qt/form_parts.h"
#include "window/qt/result_tree_widget.h"

namespace tessaly {

class DividerBar;
class GrowingRichTextBox;
class RichTextBox;

class ResultTabs {
public:
    ResultTabs(QWidget* window, const TwipScale& scale);

    // Where the view's controls stand across a window `windowWidth` twips
    // wide, with the divider as near `dividerLeft` as the file text's room
    // allows.
    struct Columns {
        Span dispResult;  // in the window; the rest in its pages
        Span outlineFile;
        Span textFile;
        Span MainResult;
        int dividerLeft = 0;
    };
    static Columns columns(int windowWidth, int dividerLeft);

    // `taller`: twips the window has beyond its least height.
    void layOut(const Columns& columns, int taller);

    QTabWidget* dispResult;
    GrowingRichTextBox* MainResult;
    ResultTreeWidget* outlineFile;
    DividerBar* picDivider;
    RichTextBox* textFile;

private:
    QWidget* window_;
    const TwipScale& scale_;
};

}  // namespace tessaly
