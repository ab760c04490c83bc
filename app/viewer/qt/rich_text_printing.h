// Printing a rich text of any length, page after page, with one inch of paper
// around the text on every side, whatever the printer cannot reach.
#pragma once

#include <functional>
#include <memory>

#include "platform/error_codes.h"

class QPrinter;
class QTextDocument;

namespace tessaly {

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
};

// Prints the document as one job on a printer that is already set up: all
// its pages, or those of the printer's page range. The document is not
// changed. Failures come back with the code the printing table shows, and
// leave no file of the printer's behind:
//   68  the printer cannot be used, or the file it prints to cannot be created
//   61  the file it prints to cannot be created or was cut short: no space left
//   482 the printer failed while printing, its file was cut short otherwise,
//       or the file grew beyond the 2 GB a PDF of Qt's can address
PrintReport printRichText(const QTextDocument& document, QPrinter& printer);

// The Print command of a rich-text box: the printer dialog, then the whole
// text, even when the person chose Selection, or the pages of the range
// chosen. `hasSelection` preselects Selection in the dialog. Cancel prints
// nothing and says nothing; a failure is reported with Abort, Retry and
// Ignore; a range beyond the end prints nothing and says so.
void printCommand(RichTextBox& box, bool hasSelection, Services& services);
// The same for a text shown otherwise: its document is made only once a
// printer is chosen.
void printCommand(const std::function<std::unique_ptr<QTextDocument>()>& document,
                  bool hasSelection, Services& services);

}  // namespace tessaly
