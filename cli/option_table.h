// The tessaly command's options, written once: the parser reads them from
// here, and --help, the manual page's option list and the shell completions
// are made from here, so that none of them can name an option the others lack.
#pragma once

#include <span>
#include <string_view>

namespace tessaly::cli {

// The groups --help and the manual page list the options under, in order.
enum class OptionGroup { WhereToSearch, HowToSearch, WhichFiles, RememberedWords, Output };

struct OptionGroupText {
    OptionGroup group;
    std::string_view title;        // "Where to search"
    std::string_view manualIntro;  // a paragraph the manual page puts before the group's options
};

// What a shell may offer for an option's value.
enum class ValueCompletion { None, File, Folder, Choice };

struct CommandOption {
    char shortName = 0;  // 0 when the option has only its long name
    std::string_view longName{};
    std::string_view valueName{};  // "PATH"; empty for an option that takes no value
    ValueCompletion completion = ValueCompletion::None;
    std::string_view choices{};  // the values a Choice takes, separated by blanks
    bool repeatable = false;
    OptionGroup group = OptionGroup::WhereToSearch;
    std::string_view help{};    // its line in --help, wrapped there
    std::string_view manual{};  // what the manual page says of it, when more than help
    std::string_view brief{};   // the few words a shell's completion shows beside it

    bool takesValue() const { return !valueName.empty(); }
    std::string_view manualText() const { return manual.empty() ? help : manual; }
};

std::span<const CommandOption> commandOptions();
std::span<const OptionGroupText> optionGroups();

const CommandOption* optionNamed(std::string_view longName);
const CommandOption* optionLettered(char shortName);

// The words that may stand between search words; the completions offer them.
inline constexpr std::string_view kOperatorWords = "AND OR NOT NEARBY";

}  // namespace tessaly::cli
