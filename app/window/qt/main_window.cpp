#include "window/qt/main_window.h"

#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include <QTabWidget>

#include "platform/qt/drive_list.h"
#include "platform/qt/folder_list.h"
#include "window/main_layout.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/divider_bar.h"
#include "window/qt/option_summary.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/result_tabs.h"
#include "window/qt/status_row.h"

namespace tessaly {

MainWindow::MainWindow(FileSystem& files, QWidget* parent)
    : QWidget(parent), scale_(*this), dividerLeft_(layout::defaultDivider) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(kCaption));
    // The window was designed for an 8-point face; its rows are measured for it.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    commands_ = std::make_unique<CommandRow>(this, scale_);
    criteria_ = std::make_unique<CriteriaView>(this, scale_, files);
    summary_ = std::make_unique<OptionSummary>(criteria_->frameSearch, scale_);
    panel_ = std::make_unique<OptionsPanelView>(criteria_->frameSearch, scale_);
    results_ = std::make_unique<ResultTabs>(this, scale_);
    status_ = std::make_unique<StatusRow>(this, scale_);
    connect(results_->picDivider, &DividerBar::dragged, this, &MainWindow::dragDivider);
    connect(results_->picDivider, &DividerBar::released, this, &MainWindow::dropDivider);
    connect(results_->dispResult, &QTabWidget::currentChanged, this, &MainWindow::layOut);

    // The rows were laid out for a 640x480 screen: the window may grow
    // taller, and the results view takes the room.
    setMinimumWidth(pixels(layout::minimumWidth));
    setMinimumHeight(pixels(layout::fixedHeight));
    resize(pixels(layout::minimumWidth), pixels(layout::fixedHeight));
    layOut();
    setReadingTabOrder();
}

MainWindow::~MainWindow() = default;

// Tab goes as a person reads the window: the commands, then the left column
// (each word with the operator after it, the Category, Direct Search), then
// the saved words on the right. Hidden and resting controls are passed over.
void MainWindow::setReadingTabOrder() {
    const CommandRow& c = *commands_;
    std::vector<QWidget*> order = {c.searchNow,    c.searchStop, c.searchConfig, c.searchOption,
                                   c.searchBrowse, c.viewPrev,   c.buttonView,   c.buttonDetail,
                                   c.searchPrint,  c.searchSave, c.helpCfg,      c.stExit};
    const CriteriaView& v = *criteria_;
    const OperatorGroup* operators[3] = {&v.Opt1, &v.Opt2, &v.Opt3};
    for (int index = 0; index < 4; ++index) {
        order.push_back(v.searchText[index]);
        if (index < 3)
            for (QRadioButton* choice : *operators[index]) order.push_back(choice);
    }
    for (QWidget* next : std::initializer_list<QWidget*>{v.searchCat, v.listCategory, v.chkQSearch, v.qDrive,
                                                         v.qDirList, v.searchAdd, v.searchCopy, v.wordList,
                                                         v.searchRemove, v.searchRemoveAll})
        order.push_back(next);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void MainWindow::layOut() {
    const int width = widthTwips();
    const int taller = std::max(0, twips(height()) - layout::fixedHeight);
    const CriteriaView::Columns criteria = CriteriaView::columns(width);
    criteria_->layOut(criteria);
    summary_->layOut(criteria);
    panel_->layOut(criteria);
    const ResultTabs::Columns results = ResultTabs::columns(width, dividerLeft_);
    dividerLeft_ = results.dividerLeft;
    results_->layOut(results, taller);
    status_->layOut(width, taller);
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
    DividerBar* divider = results_->picDivider;
    const QPoint origin = divider->parentWidget()->mapTo(this, QPoint(0, 0));
    divider->move(pixels(left) - origin.x(), divider->y());
}

void MainWindow::dropDivider() {
    dividerLeft_ = ResultTabs::columns(widthTwips(), dividerLeft_).dividerLeft;
    layOut();
    emit dividerMoved(dividerLeft_);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isMinimized()) return;
    layOut();
    keptWidth_ = widthTwips();
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
