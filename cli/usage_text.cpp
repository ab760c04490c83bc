#include "usage_text.h"

#include <string_view>

#include "option_table.h"

namespace tessaly::cli {

namespace {

constexpr std::string_view kHeading =
    "Usage: tessaly [OPTIONS] WORD [OP WORD]...\n"
    "Finds the files that hold up to four words; OP is AND, OR, NOT or NEARBY (default AND).\n"
    "A word may begin or end with *.\n";

constexpr std::string_view kEnding = "\nExit status: 0 when a file matched, 1 when none did, 2 on an error.\n";

constexpr std::size_t kDescriptionColumn = 25;
constexpr std::size_t kLineWidth = 80;

std::string optionLabel(const CommandOption& option) {
    std::string label = option.shortName ? std::string("  -") + option.shortName + ", " : std::string(6, ' ');
    label += "--";
    label += option.longName;
    if (option.takesValue()) {
        label += ' ';
        label += option.valueName;
    }
    return label;
}

// The description in the column beside the label, broken between words; a
// label too wide for its column stands on a line of its own.
void appendWrapped(std::string& out, std::string label, std::string_view text) {
    if (label.size() + 1 > kDescriptionColumn) {
        out += label + "\n";
        label.clear();
    }
    std::string line = label + std::string(kDescriptionColumn - label.size(), ' ');
    bool lineHasWord = false;
    while (!text.empty()) {
        // A short option stays on the line of what follows it: "-f paths".
        std::size_t end = text.find(' ');
        if (end == 2 && text[0] == '-') end = text.find(' ', end + 1);
        const std::string_view word = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (lineHasWord && line.size() + 1 + word.size() > kLineWidth) {
            out += line + "\n";
            line.assign(kDescriptionColumn, ' ');
            lineHasWord = false;
        }
        if (lineHasWord) line += ' ';
        line += word;
        lineHasWord = true;
    }
    out += line + "\n";
}

}  // namespace

std::string usageText() {
    std::string out(kHeading);
    for (const OptionGroupText& group : optionGroups()) {
        out += "\n";
        out += group.title;
        out += ":\n";
        for (const CommandOption& option : commandOptions())
            if (option.group == group.group) appendWrapped(out, optionLabel(option), option.help);
    }
    out += kEnding;
    return out;
}

}  // namespace tessaly::cli
