// A print on a thread of its own. Thousands of pages take seconds to lay out
// and draw; meanwhile the window goes on and the status line tells the page
// reached. A failure is reported once the print has ended, and Retry prints
// again from the start.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <memory>
#include <thread>

#include "viewer/qt/rich_text_printing.h"

class QPrinter;
class QTextDocument;

namespace tessaly {

class PrintRun : public QObject {
    Q_OBJECT

public:
    // Owns the printer and the document; starts at once. A child of the
    // command, which it belongs to while it lasts; it goes (deleteLater) once
    // the print has ended and been reported.
    PrintRun(std::unique_ptr<QPrinter> printer, std::unique_ptr<QTextDocument> document, Services& services,
             PrintShown shown);
    // Stops a print still under way (the program ends): nothing of it is kept.
    ~PrintRun() override;

private:
    void start();
    void finish(const PrintReport& report);
    void showProgress();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QTextDocument> document_;
    Services& services_;
    QPointer<QLabel> status_;
    QString statusBefore_;
    QString statusShown_;  // the status is given back only if it still says this
    PrintWatch watch_;
    QTimer progress_;
    std::thread worker_;
};

}  // namespace tessaly
