// The one Abort/Retry/Ignore report for failures of the file system, the
// printer and the rich-text box. It decides and asks; the caller acts.
#pragma once

#include <functional>

#include "platform/error_codes.h"
#include "platform/error_tables.h"
#include "platform/qt/message_boxes.h"

namespace tessaly {

// What Ignore does for the procedure that failed.
enum class IgnoreAction {
    Leave,        // leave the procedure
    CloseWindow,  // close the window that owns it: the two drive choosers
};

// What the failed procedure is to do next.
enum class ErrorReportAction {
    Retry,        // run the failed step again
    Leave,        // give up the procedure; also for a code its table does not list
    CloseWindow,  // close the owning window (its normal closing steps run)
    EndProgram,   // end at once, without the shutdown steps
};

// Shows "<text> ( <code>)" titled "Operation Error" for a code the table
// lists; an unlisted code shows nothing and leaves.
ErrorReportAction reportOperationError(MessageBoxes& boxes, int errorCode, ErrorTable table,
                                       IgnoreAction ignore);

enum class GuardedResult {
    Done,  // the step succeeded, at once or after Retry
    Left,
    CloseWindow,
    EndProgram,
};

// Runs the step until it succeeds or the report says otherwise; Retry runs it
// again from the start of the step, so a step must be safe to repeat.
GuardedResult runGuarded(MessageBoxes& boxes, ErrorTable table, IgnoreAction ignore,
                         const std::function<Failure()>& step);

}  // namespace tessaly
