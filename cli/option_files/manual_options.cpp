#include "manual_options.h"

#include <cctype>

#include "option_table.h"

namespace tessaly::cli {

namespace {

// Text as roff prints it: a backslash would start an escape, a hyphen may be
// set as a dash and break a copied option, and a line that begins with a dot
// or an apostrophe would be read as a request.
std::string roff(std::string_view text) {
    std::string out;
    if (!text.empty() && (text.front() == '.' || text.front() == '\'')) out += "\\&";
    for (const char c : text) {
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else out += c;
    }
    return out;
}

std::string upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// "-d, --folder PATH" with the names in bold and the value in italics.
std::string optionHeading(const CommandOption& option) {
    const std::string longName = "\\-\\-" + roff(option.longName);
    const std::string value = option.takesValue() ? std::string(option.valueName) : std::string();
    if (option.shortName) {
        std::string heading = ".BR \\-" + roff(std::string(1, option.shortName)) + " \", \" " + longName;
        if (!value.empty()) heading += " \" \\fI" + value + "\\fR\"";
        return heading;
    }
    if (!value.empty()) return ".BI " + longName + " \" " + value + "\"";
    return ".B " + longName;
}

}  // namespace

std::string manualOptionSections() {
    std::string out;
    for (const OptionGroupText& group : optionGroups()) {
        out += ".SH \"" + upperCase(group.title) + "\"\n";
        if (!group.manualIntro.empty()) out += roff(group.manualIntro) + "\n";
        for (const CommandOption& option : commandOptions()) {
            if (option.group != group.group) continue;
            out += ".TP\n" + optionHeading(option) + "\n" + roff(option.manualText()) + "\n";
        }
    }
    return out;
}

}  // namespace tessaly::cli
