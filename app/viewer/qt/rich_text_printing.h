// Printing a rich text of any length, page after page, with one inch of paper
// around the text on every side, whatever the printer cannot reach.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "platform/error_codes.h"

class QLabel;
class QPrinter;
class QTextDocument;
class QWidget;

namespace tessaly {

class PrintRun;
class RichTextBox;
struct Services;

// What a print did.
struct PrintReport {
    Failure failure;
    // The pages laid out: all the text's, unless a page range ended earlier.
    int pages = 0;
    // The pages sent to the printer, every copy counted; none when the page
    // range lies beyond the end of the text, and then no job is begun.
    int printed = 0;
    // Ended by PrintWatch::stop: nothing of it is kept.
    bool stopped = false;
};

// A print followed from another thread.
struct PrintWatch {
    std::atomic<bool> stop{false};
    std::atomic<int> pages{0};  // laid out so far
};

// Prints the document as one job on a printer that is already set up: all
// its pages, or those of the printer's page range. The document is not
// changed. Failures come back with the code the printing table shows, and
// leave no file of the printer's behind:
//   68  the printer cannot be used, or the file it prints to cannot be created
//   61  the file it prints to cannot be created or was cut short: no space left
//   482 the printer failed while printing, its file was cut short otherwise,
//       or the file grew beyond the 2 GB a PDF of Qt's can address
// With a watch, the pages laid out are told there, and stop ends the print
// between two lines, leaving no file.
PrintReport printRichText(const QTextDocument& document, QPrinter& printer, PrintWatch* watch = nullptr);

// Where a Print command shows that it is under way: the command is held and
// the status tells the page reached (either may be absent).
struct PrintShown {
    QWidget* command = nullptr;
    QLabel* status = nullptr;
};

// The Print command of a rich-text box: the printer dialog, then the whole
// text, even when the person chose Selection, or the pages of the range
// chosen. `hasSelection` preselects Selection in the dialog. Cancel prints
// nothing and says nothing; a failure is reported with Abort, Retry and
// Ignore; a range beyond the end prints nothing and says so. The print runs
// beside the window, which goes on meanwhile: the run is returned (nothing
// when the dialog was cancelled), and goes once it has ended.
PrintRun* printCommand(RichTextBox& box, bool hasSelection, Services& services, PrintShown shown = {});
// The same for a text shown otherwise: its document is made only once a
// printer is chosen.
PrintRun* printCommand(const std::function<std::unique_ptr<QTextDocument>()>& document, bool hasSelection,
                       Services& services, PrintShown shown = {});

}  // namespace tessaly
