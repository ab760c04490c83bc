#include "viewer/qt/print_run.h"

#include <QLabel>
#include <QLocale>
#include <QPrinter>
#include <QTextDocument>
#include <QWidget>

#include "platform/qt/operation_error_report.h"
#include "window/qt/services.h"

namespace tessaly {

PrintRun::PrintRun(std::unique_ptr<QPrinter> printer, std::unique_ptr<QTextDocument> document,
                   Services& services, PrintShown shown)
    : QObject(shown.command),
      printer_(std::move(printer)),
      document_(std::move(document)),
      services_(services),
      status_(shown.status) {
    if (status_) statusBefore_ = status_->text();
    // The window's own pace for progress: ten times a second.
    progress_.setInterval(100);
    connect(&progress_, &QTimer::timeout, this, &PrintRun::showProgress);
    start();
}

PrintRun::~PrintRun() {
    watch_.stop = true;
    if (worker_.joinable()) worker_.join();
}

void PrintRun::start() {
    watch_.pages = 0;
    progress_.start();
    worker_ = std::thread([this] {
        const PrintReport report = printRichText(*document_, *printer_, &watch_);
        // Posted to the window's thread; dropped unseen if the run is gone by then.
        QMetaObject::invokeMethod(this, [this, report] { finish(report); }, Qt::QueuedConnection);
    });
}

void PrintRun::showProgress() {
    if (!status_) return;
    statusShown_ = QStringLiteral("Printing: page %1 ...").arg(QLocale().toString(watch_.pages.load()));
    status_->setText(statusShown_);
}

void PrintRun::finish(const PrintReport& report) {
    worker_.join();
    progress_.stop();
    // What a search run wrote there meanwhile stays.
    if (status_ && status_->text() == statusShown_) status_->setText(statusBefore_);
    if (report.failure) {
        const ErrorReportAction action = reportOperationError(services_.boxes, report.failure.code,
                                                              ErrorTable::Printing, IgnoreAction::Leave);
        if (action == ErrorReportAction::EndProgram) services_.end.endNow();
        if (action == ErrorReportAction::Retry) return start();
    } else if (report.printed == 0) {
        // A blank sheet would look like a fault of the printer's.
        services_.boxes.show(QStringLiteral("Nothing was printed: the text ends on page %1.").arg(report.pages),
                             QStringLiteral("Print"), MessageIcon::Information, MessageButtons::Ok);
    }
    deleteLater();
}

}  // namespace tessaly
