#include "run/qt/single_file_view.h"

#include <QApplication>
#include <QAbstractItemModel>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>

#include "criteria/qt/option_controls.h"
#include "criteria/qt/scope_controls.h"
#include "platform/engine_access.h"
#include "platform/qt/engine_report.h"
#include "platform/qt/lossless_text.h"
#include "platform/qt/operation_error_report.h"
#include "platform/qt/rich_text_box.h"
#include "run/qt/date_time_text.h"
#include "run/qt/result_view.h"
#include "run/result_document.h"
#include "run/search_pipeline.h"
#include "run/single_file_text.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/result_tabs.h"
#include "window/qt/status_row.h"
#include "window/qt/open_in_application.h"
#include "window/qt/services.h"

namespace tessaly {

SingleFileView::SingleFileView(MainWindow& window, Services& services, EngineAccess& engine,
                               const RunArguments& arguments, SelectedFile& selected)
    : window_(window), services_(services), selected_(selected), engine_(engine), arguments_(arguments) {
    connect(window_.results().outlineFile, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node, int) { nodeClicked(node); });
    window_.results().textFile->viewport()->installEventFilter(this);
    // A new run clears the tree: a file still being searched for an earlier
    // click is not shown over the new results.
    connect(window_.results().outlineFile->model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex& parent, int, int) {
                if (parent.isValid()) return;
                ++clicks_;
                stopEarlierClick();
            });
}

SingleFileView::~SingleFileView() {
    // A document that would keep its reader busy for long does not hold up
    // the window's closing.
    stopEarlierClick();
}

std::shared_ptr<std::atomic<bool>> SingleFileView::stopEarlierClick() {
    if (clickStop_) clickStop_->store(true);
    clickStop_ = std::make_shared<std::atomic<bool>>(false);
    return clickStop_;
}

void SingleFileView::nodeClicked(QTreeWidgetItem* node) {
    // Drive and folder nodes only open and close.
    if (!node || node->childCount() > 0) return;
    const QByteArray path = node->data(0, ResultView::kPathRole).toByteArray();
    if (path.isEmpty()) return;

    const std::uint64_t click = ++clicks_;
    const auto stop = stopEarlierClick();
    selected_.path.clear();
    window_.results().textFile->setRtf(kResultHeader);

    const std::string file = path.toStdString();
    DirectoryEntry status;
    const Failure failure = services_.files.status(file, status);
    // Moved, deleted, or replaced by something that is no longer a regular
    // file (a pipe would never answer the engine's read): nothing to search,
    // and nothing the viewer or Detail could act on.
    if (failure || status.kind != EntryKind::File) {
        const bool gone = !failure || failure.code == code::fileNotFound || failure.code == code::pathNotFound;
        window_.status().dispFile->setText((gone ? QStringLiteral("The file is no longer there: ")
                                        : QStringLiteral("The file cannot be read: ")) +
                                  textFromBytes(file));
        return;
    }
    selected_.path = file;

    const SearchWords words = readSearchWords(window_);
    const EngineCalls* engine = engineOrReport(engine_, services_.boxes, services_.end);
    if (!engine) return;
    Candidate candidate;
    candidate.path = file;
    candidate.size = status.size;
    candidate.modified = status.modified;
    // A long document or a file of hundreds of megabytes takes a while: the
    // window goes on meanwhile, and a click on another file takes over. The
    // hourglass stays for as long as any click is being answered, stacked on
    // top of the run's own, which stays when this click came during a pause.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++searching_;
    work_.start(
        [engine, candidate, arguments = arguments_, words, scope = chosenFileScope(readScope(window_)), stop] {
            return searchFile(*engine, candidate, arguments, words, scope, stop.get());
        },
        [this, click, status](const SearchAnswer& answer) {
            QApplication::restoreOverrideCursor();
            --searching_;
            if (click != clicks_) return;
            window_.results().textFile->setRtf(
                singleFileText(dateTimeText(status.modified), status.size, answer.lines, answer.length));
        });
}

void SingleFileView::doubleClicked() {
    if (selected_.path.empty()) return;
    // A program is offered to the Quick Viewer as if Viewer were pressed:
    // on this tab the viewer takes the file selected in the tree.
    std::function<void()> showInViewer;
    if (window_.commands().buttonView->isEnabled()) showInViewer = [this] { window_.commands().buttonView->click(); };
    // The desktop says nothing when it cannot open a document; neither do we:
    // the person sees the file not opening and still has the view.
    openInApplication(services_, selected_.path, showInViewer);
}

bool SingleFileView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.results().textFile->viewport() && event->type() == QEvent::MouseButtonDblClick)
        doubleClicked();
    return QObject::eventFilter(watched, event);
}

}  // namespace tessaly
