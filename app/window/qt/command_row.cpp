// The row of commands along the window's top, from Start to Exit.
#include "window/qt/command_row.h"

#include <QPushButton>

#include "platform/qt/named_button.h"
#include "window/qt/form_parts.h"

namespace tessaly {

namespace row = form::row;

CommandRow::CommandRow(QWidget* window, const TwipScale& scale) {
    struct Command {
        QPushButton** control;
        const char* name;
        const char* caption;
        const char* tip;
    };
    const Command commands[] = {
        {&searchNow, "searchNow", "&Start", "Start Searching"},
        {&searchStop, "searchStop", "S&top", "Stop Searching"},
        {&searchConfig, "searchConfig", "&Main", "Back to Main Window"},
        {&searchOption, "searchOption", "&Option", "Search Options"},
        {&searchBrowse, "searchBrowse", "&Group", "Make or change a Category"},
        {&viewPrev, "viewPrev", "&Found", "View Result"},
        {&buttonView, "buttonView", "&Viewer", "Quick Viewer"},
        {&buttonDetail, "buttonDetail", "&Detail", "View in Application"},
        {&searchPrint, "searchPrint", "&Print", "Print Result"},
        {&searchSave, "searchSave", "S&ave", "Save Result"},
        {&helpCfg, "helpCfg", "&Help", "Show Help"},
        {&stExit, "stExit", "&Exit", "Exit Tessaly"},
    };
    constexpr int width = 630;
    constexpr int gap = 45;
    int left = 100;
    for (const Command& command : commands) {
        *command.control = namedButton(window, command.name, command.caption, command.tip);
        scale.place(*command.control, left, row::commandTop, width, row::commandHeight);
        left += width + gap;
    }
    searchNow->setDefault(true);
}

}  // namespace tessaly
