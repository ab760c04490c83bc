// The results view: the result pane on one tab, the tree and the single
// file's hits on the other, with the divider between them.
#include "window/qt/result_tabs.h"

#include <QHeaderView>
#include <QTabWidget>

#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/rich_text_box.h"
#include "window/main_layout.h"
#include "window/qt/divider_bar.h"
#include "window/qt/form_parts.h"
#include "window/qt/result_tree_widget.h"

namespace tessaly {

namespace row = form::row;

ResultTabs::ResultTabs(QWidget* window, const TwipScale& scale) : window_(window), scale_(scale) {
    dispResult = new QTabWidget(window);
    dispResult->setObjectName(QStringLiteral("dispResult"));
    auto* allFiles = new QWidget;
    allFiles->setObjectName(QStringLiteral("allFilesPage"));
    auto* eachFile = new QWidget;
    eachFile->setObjectName(QStringLiteral("eachFilePage"));
    dispResult->addTab(allFiles, QStringLiteral("View All Files"));
    dispResult->addTab(eachFile, QStringLiteral("View Each File"));
    // A page takes its size from the tab control only when that is shown;
    // the panes are placed in it again then, or they reach past its edge.
    allFiles->installEventFilter(window);
    eachFile->installEventFilter(window);

    MainResult = new GrowingRichTextBox(allFiles);
    MainResult->setObjectName(QStringLiteral("MainResult"));
    MainResult->setAccessibleName(QStringLiteral("Results"));
    outlineFile = new ResultTreeWidget(eachFile);
    outlineFile->setObjectName(QStringLiteral("outlineFile"));
    outlineFile->setAccessibleName(QStringLiteral("Result tree"));
    outlineFile->setHeaderHidden(true);
    outlineFile->setRootIsDecorated(true);
    // Paths run deep: a narrow indent, and a scroll bar rather than cut names.
    // The column is fitted to the names when a run ends, not at every node:
    // fitting looks at every node of the tree.
    outlineFile->setIndentation(14);
    outlineFile->header()->setStretchLastSection(false);
    outlineFile->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    picDivider = new DividerBar(eachFile);
    picDivider->setObjectName(QStringLiteral("picDivider"));
    textFile = new RichTextBox(eachFile);
    textFile->setObjectName(QStringLiteral("textFile"));
    textFile->setAccessibleName(QStringLiteral("File hits"));
    textFile->setLineWrapMode(QTextEdit::FixedPixelWidth);
    dispResult->hide();
}

ResultTabs::Columns ResultTabs::columns(int windowWidth, int dividerLeft) {
    Columns c;
    c.dispResult = {100, windowWidth - 230};
    c.dividerLeft = dropDivider(dividerLeft, c.dispResult.width);
    c.outlineFile = {c.dispResult.left + 30, c.dividerLeft - (c.dispResult.left + 30)};
    c.textFile.left = c.outlineFile.right() + layout::dividerWidth;
    c.textFile.width = c.dispResult.width - (c.textFile.left + 120);
    c.MainResult = {c.dispResult.left + 10, c.dispResult.width - c.dispResult.left - 120};
    return c;
}

void ResultTabs::layOut(const Columns& l, int taller) {
    scale_.place(dispResult, l.dispResult, row::viewTop, row::viewHeight + taller);
    // The panes live in the tab pages; the rules place them in the window.
    const auto inPage = [this](QWidget* control, Span span) {
        const QWidget* page = control->parentWidget();
        const QPoint origin = page->mapTo(window_, QPoint(0, 0));
        control->setGeometry(scale_.pixels(span.left) - origin.x(), scale_.pixels(60),
                             scale_.pixels(span.width), std::max(0, page->height() - scale_.pixels(120)));
    };
    inPage(outlineFile, l.outlineFile);
    inPage(picDivider, {l.dividerLeft, layout::dividerWidth});
    inPage(textFile, l.textFile);
    inPage(MainResult, l.MainResult);
    // The panes' text wraps short of their right edge.
    MainResult->setWrapWidth(std::max(1, MainResult->width() - scale_.pixels(layout::paneRightMargin)));
    textFile->setLineWrapColumnOrWidth(std::max(1, textFile->width() - scale_.pixels(layout::paneRightMargin)));

}

}  // namespace tessaly
