// The results view: the result pane on one tab, the tree and the single
// file's hits on the other, with the divider between them.
#pragma once

class QTabWidget;
class QTreeWidget;
class QWidget;

namespace tessaly {

class DividerBar;
class GrowingRichTextBox;
class RichTextBox;
class TwipScale;
struct MainLayout;

class ResultTabs {
public:
    ResultTabs(QWidget* window, const TwipScale& scale);

    // `taller`: twips the window has beyond its least height.
    void layOut(const MainLayout& columns, int taller);

    QTabWidget* dispResult;
    GrowingRichTextBox* MainResult;
    QTreeWidget* outlineFile;
    DividerBar* picDivider;
    RichTextBox* textFile;

private:
    QWidget* window_;
    const TwipScale& scale_;
};

}  // namespace tessaly
