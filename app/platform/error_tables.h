// The plain-language messages for failures, by the table each command uses,
// and what the search run does for each code.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

inline constexpr std::string_view kOperationErrorTitle = "Operation Error";

enum class ErrorTable {
    Folders,   // folder and file access: the drive choosers
    Printing,  // both print commands
    Saving,    // both save commands
};

// The table's text for the code, or nothing for a code the table does not
// list (such a failure shows no message and abandons the command).
std::optional<std::string_view> operationErrorText(ErrorTable table, int code);

// The text with its code as the user sees it: "Disk not ready! ( 71)".
std::string operationErrorMessage(std::string_view text, int code);

enum class RunErrorAction {
    NextEntry,  // no message; go on with the next entry of the listing in progress
    NextStep,   // no message; go on with the step after the one that failed
    Report,     // show the text; Retry, Ignore (finish the run) or Abort
    Finish,     // no message; finish the run
};

struct RunErrorRule {
    RunErrorAction action;
    std::string_view text;  // only for Report
};

RunErrorRule runErrorRule(int code);

}  // namespace tessaly
