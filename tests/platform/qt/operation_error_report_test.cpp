#include "platform/qt/operation_error_report.h"

#include <gtest/gtest.h>

#include "scripted_services.h"

namespace tessaly {
namespace {

using test::ScriptedMessageBoxes;

TEST(OperationErrorReport, ShowsListedCodesAndMapsTheAnswer) {
    struct Case {
        int code;
        ErrorTable table;
        IgnoreAction ignore;
        MessageAnswer answer;
        const char* message;  // nullptr: no box at all
        ErrorReportAction expected;
    };
    const Case cases[] = {
        {71, ErrorTable::Folders, IgnoreAction::Leave, MessageAnswer::Retry,
         "Disk not ready! ( 71)", ErrorReportAction::Retry},
        {71, ErrorTable::Folders, IgnoreAction::Leave, MessageAnswer::Ignore,
         "Disk not ready! ( 71)", ErrorReportAction::Leave},
        {71, ErrorTable::Folders, IgnoreAction::CloseWindow, MessageAnswer::Ignore,
         "Disk not ready! ( 71)", ErrorReportAction::CloseWindow},
        {76, ErrorTable::Folders, IgnoreAction::CloseWindow, MessageAnswer::Abort,
         "Some directories in current index are invalid! Please rebuild index! ( 76)",
         ErrorReportAction::EndProgram},
        {14, ErrorTable::Folders, IgnoreAction::Leave, MessageAnswer::Retry,
         "No enough memory! Please colse some applications! ( 14)", ErrorReportAction::Retry},
        {68, ErrorTable::Printing, IgnoreAction::Leave, MessageAnswer::Ignore,
         "Printer is not ready! ( 68)", ErrorReportAction::Leave},
        {61, ErrorTable::Saving, IgnoreAction::Leave, MessageAnswer::Retry,
         "Disk full! Please free some disk space! ( 61)", ErrorReportAction::Retry},
        // Any answer but the three ends the program, as Abort does.
        {57, ErrorTable::Folders, IgnoreAction::Leave, MessageAnswer::Yes,
         "Device I/O is not ready! ( 57)", ErrorReportAction::EndProgram},
        // Unlisted: nothing shown, the procedure is left whatever Ignore means.
        {70, ErrorTable::Folders, IgnoreAction::CloseWindow, MessageAnswer::Abort, nullptr,
         ErrorReportAction::Leave},
        {68, ErrorTable::Saving, IgnoreAction::Leave, MessageAnswer::Abort, nullptr,
         ErrorReportAction::Leave},
        {61, ErrorTable::Folders, IgnoreAction::Leave, MessageAnswer::Abort, nullptr,
         ErrorReportAction::Leave},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ScriptedMessageBoxes boxes;
        boxes.answer(c.answer);
        EXPECT_EQ(reportOperationError(boxes, c.code, c.table, c.ignore), c.expected);
        if (!c.message) {
            EXPECT_TRUE(boxes.asked().empty());
            continue;
        }
        ASSERT_EQ(boxes.asked().size(), 1u);
        const test::AskedBox& box = boxes.asked()[0];
        EXPECT_EQ(box.text.toStdString(), c.message);
        EXPECT_EQ(box.title, QStringLiteral("Operation Error"));
        EXPECT_EQ(box.icon, MessageIcon::CriticalStop);
        EXPECT_EQ(box.buttons, MessageButtons::AbortRetryIgnore);
    }
}

Failure diskNotReady() {
    Failure failure;
    failure.code = code::diskNotReady;
    return failure;
}

TEST(OperationErrorReport, GuardedStepIsRetriedUntilItSucceedsOrIsGivenUp) {
    ScriptedMessageBoxes boxes;
    boxes.answer(MessageAnswer::Retry);
    boxes.answer(MessageAnswer::Retry);
    int attempts = 0;
    EXPECT_EQ(runGuarded(boxes, ErrorTable::Folders, IgnoreAction::Leave,
                         [&] { return ++attempts < 3 ? diskNotReady() : Failure{}; }),
              GuardedResult::Done);
    EXPECT_EQ(attempts, 3);
    EXPECT_EQ(boxes.asked().size(), 2u);

    ScriptedMessageBoxes giving;
    giving.answer(MessageAnswer::Retry);
    giving.answer(MessageAnswer::Ignore);
    attempts = 0;
    EXPECT_EQ(runGuarded(giving, ErrorTable::Folders, IgnoreAction::CloseWindow,
                         [&] {
                             ++attempts;
                             return diskNotReady();
                         }),
              GuardedResult::CloseWindow);
    EXPECT_EQ(attempts, 2);
}

}  // namespace
}  // namespace tessaly
