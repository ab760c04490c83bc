#include "command_line.h"

#include <charconv>
#include <functional>
#include <map>

#include "criteria/file_size.h"
#include "option_table.h"

namespace tessaly::cli {

namespace {

bool isOperator(const std::string& token) {
    return token == "AND" || token == "OR" || token == "NOT" || token == "NEARBY";
}

std::optional<int> wholeNumber(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    ParsedCommandLine parse() {
        bool optionsEnded = false;
        while (index_ < arguments_.size() && error_.empty()) {
            const std::string argument = arguments_[index_++];
            if (!optionsEnded && argument == "--") {
                optionsEnded = true;
            } else if (!optionsEnded && argument.size() > 2 && argument.starts_with("--")) {
                longOption(argument.substr(2));
            } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
                shortOptions(argument.substr(1));
            } else {
                positional(argument);
            }
        }
        if (error_.empty()) pathsEndedWithNul();
        if (error_.empty() && result_.rememberAll && !result_.useIndex)
            fail("options '--remember-all' and '--no-index' ask for opposite things");
        if (error_.empty() && !result_.help && !result_.version && !result_.indexInfo) finishPositionals();
        return {result_, error_};
    }

private:
    using Setter = std::function<void(const std::string&)>;

    void longOption(std::string name) {
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
        }
        const CommandOption* option = optionNamed(name);
        if (!option) return fail("unknown option '--" + name + "'");
        if (!option->takesValue()) {
            if (inlineValue) return fail("option '--" + name + "' takes no value");
            return apply(*option, {});
        }
        if (!inlineValue) {
            if (index_ >= arguments_.size()) return fail("option '--" + name + "' needs a value");
            inlineValue = arguments_[index_++];
        }
        apply(*option, *inlineValue);
    }

    void shortOptions(const std::string& letters) {
        for (std::size_t i = 0; i < letters.size() && error_.empty(); ++i) {
            const CommandOption* option = optionLettered(letters[i]);
            if (!option) return fail(std::string("unknown option '-") + letters[i] + "'");
            if (!option->takesValue()) {
                apply(*option, {});
                continue;
            }
            // A value follows: the rest of this argument, or the next one.
            std::string value = letters.substr(i + 1);
            if (value.empty()) {
                if (index_ >= arguments_.size())
                    return fail(std::string("option '-") + letters[i] + "' needs a value");
                value = arguments_[index_++];
            }
            apply(*option, value);
            return;
        }
    }

    void apply(const CommandOption& option, const std::string& value) {
        // Every option of the table has its action here; the tests hold them to it.
        actions().at(option.longName)(value);
    }

    void positional(const std::string& token) {
        const bool expectingWord = positionals_.empty() || isOperator(positionals_.back());
        if (isOperator(token) && expectingWord)
            return fail("an operator (" + token + ") stands where a word should be");
        positionals_.push_back(token);
    }

    void finishPositionals() {
        if (positionals_.empty()) return fail("no search word given");
        if (isOperator(positionals_.back()))
            return fail("the operator " + positionals_.back() + " has no word after it");
        for (const std::string& token : positionals_) {
            if (isOperator(token)) {
                result_.operators.push_back(token);
                continue;
            }
            if (result_.words.size() == result_.operators.size() + 1) result_.operators.push_back("AND");
            result_.words.push_back(token);
        }
        if (result_.words.size() > 4) fail("more than four words given; Tessaly searches for up to four");
    }

    void fail(std::string message) {
        if (error_.empty()) error_ = std::move(message);
    }

    void number(const std::string& option, const std::string& text, int low, int high,
                std::optional<int>& into) {
        const auto value = wholeNumber(text);
        if (!value || *value < low || *value > high)
            return fail("option '--" + option + "' takes a number from " + std::to_string(low) + " to " +
                        std::to_string(high) + ", not '" + text + "'");
        into = *value;
    }

    // What each option of the table does; a flag's action is given no value.
    const std::map<std::string_view, Setter>& actions() {
        if (actions_.empty()) {
            auto& r = result_;
            actions_ = {
                {"folder", [&r](const std::string& v) { r.folders.push_back(v); }},
                {"category", [&r](const std::string& v) { r.category = v; }},
                {"data-dir", [&r](const std::string& v) { r.dataFolder = v; }},
                {"settings", [&r](const std::string&) { r.startFromSettings = true; }},
                {"match-case", [&r](const std::string&) { r.matchCase = true; }},
                {"smart", [&r](const std::string&) { r.smartSearch = true; }},
                {"no-subfolders", [&r](const std::string&) { r.subfolders = false; }},
                {"types", [&r](const std::string& v) { r.types = v; }},
                {"past-months", [this](const std::string& v) { number("past-months", v, 1, 12, result_.pastMonths); }},
                {"from", [&r](const std::string& v) { r.fromDate = v; }},
                {"to", [&r](const std::string& v) { r.toDate = v; }},
                {"starts-with", [&r](const std::string& v) { r.startsWith = v; }},
                {"context", [this](const std::string& v) { context(v); }},
                {"all-hits", [&r](const std::string&) { r.allHits = true; }},
                {"nearby", [this](const std::string& v) { number("nearby", v, 1, 200, result_.nearbyWords); }},
                {"names-only", [&r](const std::string&) { r.namesOnly = true; }},
                {"exclude-dir", [this](const std::string& v) { excludeDir(v); }},
                {"hidden", [&r](const std::string&) { r.hiddenIncluded = true; }},
                {"binary", [&r](const std::string&) { r.binaryIncluded = true; }},
                {"names", [&r](const std::string&) { r.namesSearched = true; }},
                {"max-filesize", [this](const std::string& v) { largestFileSize(v); }},
                {"raw", [&r](const std::string&) { r.documentsAsText = false; }},
                {"document-time-limit", [this](const std::string& v) {
                     number("document-time-limit", v, 1, 3600, result_.documentSecondsLimit);
                 }},
                {"no-index", [&r](const std::string&) { r.useIndex = false; }},
                {"remember-all", [&r](const std::string&) { r.rememberAll = true; }},
                {"index-info", [&r](const std::string&) { r.indexInfo = true; }},
                {"format", [this](const std::string& v) { format(v); }},
                {"output", [&r](const std::string& v) { r.outputFile = v; }},
                {"threads", [this](const std::string& v) { threads(v); }},
                {"null", [&r](const std::string&) { r.nulSeparated = true; }},
                {"color", [this](const std::string& v) { colour(v); }},
                {"passed-over", [&r](const std::string&) { r.namePassedOver = true; }},
                {"help", [&r](const std::string&) { r.help = true; }},
                {"version", [&r](const std::string&) { r.version = true; }},
            };
        }
        return actions_;
    }

    void context(const std::string& text) {
        const auto value = wholeNumber(text);
        if (!value || (*value != 10 && *value != 20 && *value != 30))
            return fail("option '--context' takes 10, 20 or 30, not '" + text + "'");
        result_.contextWords = *value;
    }

    void threads(const std::string& text) {
        std::optional<int> value;
        number("threads", text, 1, 256, value);
        if (value) result_.threads = *value;
    }

    void format(const std::string& text) {
        static const std::map<std::string, OutputFormat> formats = {
            {"text", OutputFormat::Text}, {"paths", OutputFormat::Paths},
            {"rtf", OutputFormat::Rtf},   {"json", OutputFormat::Json}};
        const auto found = formats.find(text);
        if (found == formats.end()) return fail("unknown format '" + text + "' (text, paths, rtf or json)");
        result_.format = found->second;
        givenFormat_ = text;
    }

    // Only paths are written NUL-ended: -0 alone asks for them, as find's
    // -print0 does, and beside another format it could not be honoured.
    void pathsEndedWithNul() {
        if (!result_.nulSeparated) return;
        if (givenFormat_.empty()) result_.format = OutputFormat::Paths;
        else if (result_.format != OutputFormat::Paths)
            fail("option '-0' ends each path with a NUL and goes with -f paths, not -f " + givenFormat_);
    }

    void colour(const std::string& text) {
        if (text == "auto") result_.colour = ColourChoice::Auto;
        else if (text == "always") result_.colour = ColourChoice::Always;
        else if (text == "never") result_.colour = ColourChoice::Never;
        else fail("option '--color' takes auto, always or never, not '" + text + "'");
    }

    void excludeDir(const std::string& pattern) {
        // An empty pattern is a slip (an unset variable), and would match nothing.
        if (pattern.empty()) return fail("option '--exclude-dir' was given an empty pattern");
        result_.leftOutFolders.push_back(pattern);
    }

    void largestFileSize(const std::string& text) {
        const std::optional<std::uint64_t> size = parseFileSize(text);
        if (!size)
            return fail("option '--max-filesize' takes a size in bytes, K, M or G may follow (10M), not '" +
                        text + "'");
        result_.largestFileSize = *size;
    }

    const std::vector<std::string>& arguments_;
    std::size_t index_ = 0;
    CommandLine result_;
    std::string error_;
    std::vector<std::string> positionals_;
    std::map<std::string_view, Setter> actions_;
    std::string givenFormat_;  // the last -f, as typed
};

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    return Parser(arguments).parse();
}

}  // namespace tessaly::cli
