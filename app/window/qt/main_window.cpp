#include "window/qt/main_window.h"

#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "platform/qt/drive_list.h"
#include "platform/qt/folder_list.h"
#include "window/main_layout.h"
#include "window/qt/divider_bar.h"
#include "window/qt/form_parts.h"

namespace tessaly {

namespace row = form::row;

MainWindow::MainWindow(FileSystem& files, QWidget* parent)
    : QWidget(parent), dividerLeft_(layout::defaultDivider) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(kCaption));
    // The window was designed for an 8-point face; its rows are measured for it.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    buildCommands();
    buildCriteriaView(files);
    buildSummary();
    buildOptionsPanel();
    buildResultsView();
    buildStatusRow();

    // The rows were laid out for a 640x480 screen: the window may grow
    // taller, and the results view takes the room.
    setMinimumWidth(pixels(layout::minimumWidth));
    setMinimumHeight(pixels(layout::fixedHeight));
    resize(pixels(layout::minimumWidth), pixels(layout::fixedHeight));
    layOut();
    setReadingTabOrder();
}

// Tab goes as a person reads the window: the commands, then the left column
// (each word with the operator after it, the Category, Direct Search), then
// the saved words on the right. Hidden and resting controls are passed over.
void MainWindow::setReadingTabOrder() {
    std::vector<QWidget*> order = {searchNow,    searchStop,   searchConfig, searchOption,
                                   searchBrowse, viewPrev,     buttonView,   buttonDetail,
                                   searchPrint,  searchSave,   helpCfg,      stExit};
    const OperatorGroup* operators[3] = {&Opt1, &Opt2, &Opt3};
    for (int index = 0; index < 4; ++index) {
        order.push_back(searchText[index]);
        if (index < 3)
            for (QRadioButton* choice : *operators[index]) order.push_back(choice);
    }
    for (QWidget* next : {static_cast<QWidget*>(searchCat), static_cast<QWidget*>(listCategory),
                          static_cast<QWidget*>(chkQSearch), static_cast<QWidget*>(qDrive),
                          static_cast<QWidget*>(qDirList), static_cast<QWidget*>(searchAdd),
                          static_cast<QWidget*>(searchCopy), static_cast<QWidget*>(wordList),
                          static_cast<QWidget*>(searchRemove), static_cast<QWidget*>(searchRemoveAll)})
        order.push_back(next);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

int MainWindow::pixels(int twips) const {
    return static_cast<int>(std::lround(twips * static_cast<double>(logicalDpiX()) / 1440.0));
}

int MainWindow::twips(int pixels) const {
    return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpiX()));
}

void MainWindow::place(QWidget* control, Span span, int top, int height) const {
    control->setGeometry(pixels(span.left), pixels(top), pixels(span.width), pixels(height));
}

void MainWindow::layOut() {
    const MainLayout l = mainLayout(widthTwips(), dividerLeft_);
    const int taller = std::max(0, twips(height()) - layout::fixedHeight);
    dividerLeft_ = l.dividerLeft;
    layOutCriteriaView(l);
    layOutOptionsPanel(l);
    layOutResultsView(l, taller);
    layOutStatusRow(l, taller);
}

void MainWindow::setDividerLeft(int twips) {
    dividerLeft_ = twips;
    layOut();
}

void MainWindow::setWidthTwips(int twips) {
    resize(std::max(pixels(twips), minimumWidth()), height());
}

int MainWindow::widthTwips() const { return twips(width()); }

void MainWindow::dragDivider(int offsetPixels) {
    const int left = tessaly::dragDivider(dividerLeft_, twips(offsetPixels), widthTwips());
    dividerLeft_ = left;
    const QPoint origin = picDivider->parentWidget()->mapTo(this, QPoint(0, 0));
    picDivider->move(pixels(left) - origin.x(), picDivider->y());
}

void MainWindow::dropDivider() {
    const MainLayout current = mainLayout(widthTwips(), dividerLeft_);
    dividerLeft_ = tessaly::dropDivider(dividerLeft_, current.dispResult.width);
    layOut();
    emit dividerMoved(dividerLeft_);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isMinimized()) return;
    layOut();
    state.geometry.mainWidth = widthTwips();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Only the result tabs' pages are watched.
    if (event->type() == QEvent::Resize) layOut();
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (mayClose_ && !mayClose_()) {
        event->ignore();
        return;
    }
    emit closing();
    event->accept();
}

bool MainWindow::event(QEvent* event) {
    // The tab pages get their size only once the window is shown.
    if (event->type() == QEvent::Show || event->type() == QEvent::PolishRequest) layOut();
    return QWidget::event(event);
}

}  // namespace tessaly
