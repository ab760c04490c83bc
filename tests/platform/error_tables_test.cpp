#include <gtest/gtest.h>

#include "platform/error_tables.h"

namespace tessaly {
namespace {

TEST(ErrorTables, TextsByTableAndCode) {
    const std::optional<std::string_view> none;
    const struct {
        ErrorTable table;
        int code;
        std::optional<std::string_view> text;
    } cases[] = {
        {ErrorTable::Folders, 7, "No enough memory! Please close some applications!"},
        {ErrorTable::Folders, 14, "No enough memory! Please colse some applications!"},
        {ErrorTable::Folders, 28, "No enough memory! Please colse some applications!"},
        {ErrorTable::Folders, 53, "Some directories in current index are invalid! Please rebuild index!"},
        {ErrorTable::Folders, 68, "Disk not ready!"},
        {ErrorTable::Folders, 298, "The search engine libtyx12.so cannot be loaded!"},
        {ErrorTable::Folders, 31037, "Fail to load file! COntack your software ventor!"},
        {ErrorTable::Folders, 61, none},
        {ErrorTable::Folders, 70, none},
        {ErrorTable::Printing, 68, "Printer is not ready!"},
        {ErrorTable::Printing, 61, "Disk full! Please free some disk space!"},
        {ErrorTable::Printing, 482, "Printer is not working properly!"},
        {ErrorTable::Printing, 483, "Printer is not working properly!"},
        {ErrorTable::Printing, 31306, "Fail to save file! Please free some disk space!"},
        {ErrorTable::Printing, 71, "Disk not ready!"},
        {ErrorTable::Saving, 68, none},
        {ErrorTable::Saving, 61, "Disk full! Please free some disk space!"},
        {ErrorTable::Saving, 31306, "Fail to save file! Please free some disk space!"},
        {ErrorTable::Saving, 482, none},
        {ErrorTable::Saving, 76, "Some directories in current index are invalid! Please rebuild index!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.table)) + " / " + std::to_string(c.code));
        EXPECT_EQ(operationErrorText(c.table, c.code), c.text);
    }
}

TEST(ErrorTables, MessageShowsTheCodeWithItsBlank) {
    EXPECT_EQ(operationErrorMessage("Disk not ready!", 71), "Disk not ready! ( 71)");
    EXPECT_EQ(operationErrorMessage("x", -3), "x (-3)");
}

TEST(ErrorTables, WhatTheSearchRunDoes) {
    const struct {
        int code;
        RunErrorAction action;
        std::string_view text;
    } cases[] = {
        {5, RunErrorAction::NextEntry, ""},
        {70, RunErrorAction::NextEntry, ""},
        {75, RunErrorAction::NextEntry, ""},
        {53, RunErrorAction::NextStep, ""},
        {76, RunErrorAction::Report, "Some directories in current index are invalid! Please rebuild index!"},
        {31037, RunErrorAction::Report, "Fail to load file! Contack your software ventor!"},
        {28, RunErrorAction::Report, "No enough memory! Please colse some applications!"},
        {61, RunErrorAction::Finish, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const RunErrorRule rule = runErrorRule(c.code);
        EXPECT_EQ(rule.action, c.action);
        EXPECT_EQ(rule.text, c.text);
    }
}

}  // namespace
}  // namespace tessaly
