#include "completion_scripts.h"

#include <cctype>
#include <string_view>

#include "option_table.h"

namespace tessaly::cli {

namespace {

std::string shortName(const CommandOption& option) { return std::string("-") + option.shortName; }
std::string longName(const CommandOption& option) { return "--" + std::string(option.longName); }

// Each character of `special` behind a backslash.
std::string backslashed(std::string_view text, std::string_view special) {
    std::string out;
    for (const char c : text) {
        if (special.find(c) != std::string_view::npos) out += '\\';
        out += c;
    }
    return out;
}

// A text inside single quotes of a POSIX shell, which no backslash escapes.
std::string posixQuoted(std::string_view text) {
    std::string out;
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out;
}

// "-d|--folder|-o|--output": the options, of those the test takes, as one case pattern.
template <class Test>
std::string casePattern(Test takes) {
    std::string pattern;
    for (const CommandOption& option : commandOptions()) {
        if (!takes(option)) continue;
        if (option.shortName) pattern += (pattern.empty() ? "" : "|") + shortName(option);
        pattern += (pattern.empty() ? "" : "|") + longName(option);
    }
    return pattern;
}

void appendCase(std::string& out, const std::string& pattern, std::string_view action) {
    if (pattern.empty()) return;
    out += "        " + pattern + ")\n";
    out += action;
}

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::string bashCompletion() {
    std::string out =
        "# bash completion for tessaly, made from its option table when it was built\n"
        "_tessaly() {\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        "    case $prev in\n";
    // Names may hold blanks: one a line, and marked as names so that bash quotes them.
    appendCase(out, casePattern([](const CommandOption& o) { return o.completion == ValueCompletion::File; }),
               "            compopt -o filenames 2>/dev/null\n"
               "            mapfile -t COMPREPLY < <(compgen -f -- \"$cur\"); return ;;\n");
    appendCase(out, casePattern([](const CommandOption& o) { return o.completion == ValueCompletion::Folder; }),
               "            compopt -o filenames 2>/dev/null\n"
               "            mapfile -t COMPREPLY < <(compgen -d -- \"$cur\"); return ;;\n");
    for (const CommandOption& option : commandOptions()) {
        if (option.completion != ValueCompletion::Choice) continue;
        appendCase(out, casePattern([&option](const CommandOption& o) { return &o == &option; }),
                   "            mapfile -t COMPREPLY < <(compgen -W \"" + std::string(option.choices) +
                       "\" -- \"$cur\"); return ;;\n");
    }
    // A value of its own, typed: nothing to offer, and above all not an option.
    appendCase(out, casePattern([](const CommandOption& o) {
                   return o.takesValue() && o.completion == ValueCompletion::None;
               }),
               "            return ;;\n");
    std::string names;
    for (const CommandOption& option : commandOptions()) {
        if (option.shortName) names += shortName(option) + " ";
        names += longName(option) + " ";
    }
    names.pop_back();
    out += "    esac\n"
           "    if [[ $cur == -* ]]; then\n"
           "        mapfile -t COMPREPLY < <(compgen -W \"" + names + "\" -- \"$cur\")\n"
           "    else\n"
           "        mapfile -t COMPREPLY < <(compgen -W \"" + std::string(kOperatorWords) + "\" -- \"$cur\")\n"
           "    fi\n"
           "}\n"
           "complete -F _tessaly tessaly\n";
    return out;
}

std::string zshCompletion() {
    std::string out =
        "#compdef tessaly\n"
        "# zsh completion for tessaly, made from its option table when it was built\n"
        "_arguments -s \\\n";
    // _arguments reads brackets and colons in an option's description as its own.
    const auto describedText = [](std::string_view text) { return posixQuoted(backslashed(text, "\\[]:")); };
    for (const CommandOption& option : commandOptions()) {
        const std::string repeated = option.repeatable ? "*" : "";
        if (option.shortName)
            out += "  " + (repeated.empty() ? "" : "'" + repeated + "'") + "{" + shortName(option) + "," +
                   longName(option) + "}'";
        else
            out += "  '" + repeated + longName(option);
        out += "[" + describedText(option.brief) + "]";
        if (option.takesValue()) {
            out += ":" + describedText(lowerCase(option.valueName)) + ":";
            switch (option.completion) {
            case ValueCompletion::File: out += "_files"; break;
            case ValueCompletion::Folder: out += "_directories"; break;
            case ValueCompletion::Choice: out += "(" + posixQuoted(option.choices) + ")"; break;
            case ValueCompletion::None: break;
            }
        }
        out += "' \\\n";
    }
    out += "  '*:word or operator:(" + std::string(kOperatorWords) + ")'\n";
    return out;
}

std::string fishCompletion() {
    std::string out = "# fish completion for tessaly, made from its option table when it was built\n";
    // Inside fish's single quotes a backslash escapes a quote and itself.
    const auto quoted = [](std::string_view text) { return "'" + backslashed(text, "\\'") + "'"; };
    for (const CommandOption& option : commandOptions()) {
        out += "complete -c tessaly";
        if (option.shortName) out += " -s " + std::string(1, option.shortName);
        out += " -l " + std::string(option.longName);
        switch (option.completion) {
        case ValueCompletion::File: out += " -r -F"; break;
        case ValueCompletion::Folder: out += " -x -a '(__fish_complete_directories)'"; break;
        case ValueCompletion::Choice: out += " -x -a " + quoted(option.choices); break;
        case ValueCompletion::None:
            if (option.takesValue()) out += " -x";
            break;
        }
        out += " -d " + quoted(option.brief) + "\n";
    }
    out += "complete -c tessaly -f -a " + quoted(kOperatorWords) + "\n";
    return out;
}

}  // namespace tessaly::cli
