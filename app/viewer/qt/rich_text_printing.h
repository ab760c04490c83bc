// Printing the whole of a rich text, page after page, with one inch of paper
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

// Prints the document as one job on a printer that is already set up. The
// document is not changed: a copy is laid out for the page. Failures come
// back with the code the printing table shows:
//   68  the printer cannot be used, or the file it prints to cannot be created
//   61  the file it prints to cannot be created or was cut short: no space left
//   482 the printer failed while printing, or its file was cut short otherwise
Failure printRichText(const QTextDocument& document, QPrinter& printer);

// The Print command of a rich-text box: the printer dialog, then the whole
// text, even when the person chose Selection. `hasSelection` preselects
// Selection in the dialog. Cancel prints nothing and says nothing; a failure
// is reported with Abort, Retry and Ignore.
void printCommand(RichTextBox& box, bool hasSelection, Services& services);
// The same for a text shown otherwise: its document is made only once a
// printer is chosen.
void printCommand(const std::function<std::unique_ptr<QTextDocument>()>& document,
                  bool hasSelection, Services& services);

}  // namespace tessaly
