#include "command_line.h"

#include <charconv>
#include <functional>
#include <map>

#include "criteria/file_size.h"

namespace tessaly::cli {

const char* const kUsage =
    "Usage: tessaly [OPTIONS] WORD [OP WORD]...\n"
    "Finds the files that hold up to four words; OP is AND, OR, NOT or NEARBY (default AND).\n"
    "A word may begin or end with *.\n"
    "\n"
    "Where to search:\n"
    "  -d, --folder PATH      search the folder PATH and its subfolders, or the file PATH;\n"
    "                         may be given more than once\n"
    "                         (with neither -d nor -c: the current folder)\n"
    "  -c, --category NAME    search the folders of the Category NAME\n"
    "      --data-dir DIR     the folder holding tyindex.ini and tysetup.tyx (default: here\n"
    "                         when it holds them, else ~/.local/share/tessaly, as the window)\n"
    "      --settings         start from the options saved in tysetup.tyx and tysetup.ini\n"
    "\n"
    "How to search:\n"
    "  -C, --match-case       match upper and lower case\n"
    "  -s, --smart            stop passages at punctuation\n"
    "      --no-subfolders    search only the folders themselves\n"
    "  -t, --types LIST       only files whose extension occurs in LIST\n"
    "      --past-months N    only files changed in the past N months (1 to 12)\n"
    "      --from DATE        only files changed on or after this date\n"
    "                         (YYYY-MM-DD or M/D/YYYY)\n"
    "      --to DATE          only files changed on or before this date\n"
    "  -b, --starts-with TEXT only files whose names begin with TEXT\n"
    "  -w, --context N        words around each hit: 10, 20 or 30\n"
    "  -a, --all-hits         every passage of a file, not only the first\n"
    "  -n, --nearby N         NEARBY words stand at most N words apart (1 to 200;\n"
    "                         default 1)\n"
    "  -l, --names-only       list the matching files without their passages\n"
    "\n"
    "Which files:\n"
    "      --exclude-dir GLOB do not enter folders whose name matches GLOB (a shell\n"
    "                         pattern: .git, node_modules, build*); may be given more\n"
    "                         than once\n"
    "      --hidden           search hidden files and folders (names beginning with .)\n"
    "      --binary           search binary files too\n"
    "      --max-filesize SIZE\n"
    "                         pass over files larger than SIZE bytes; K, M or G may\n"
    "                         follow (10M); 0 for any size\n"
    "      --raw              search PDF, OpenDocument, Office and EPUB files as their\n"
    "                         raw bytes, not as the text they show\n"
    "      --document-time-limit SECONDS\n"
    "                         processor time one document may take to read (1 to\n"
    "                         3600; default 20); a document that takes longer is\n"
    "                         named and passed over\n"
    "\n"
    "Remembered words:\n"
    "      --no-index         neither use nor add to the index of the words of files\n"
    "                         searched before (kept in ~/.cache/tessaly; it lets a\n"
    "                         search pass over unchanged files that cannot match)\n"
    "      --index-info       show where the index is, its size and the files it\n"
    "                         covers, and exit\n"
    "\n"
    "Output:\n"
    "  -f, --format FORMAT    text, paths, rtf or json (default text)\n"
    "  -o, --output FILE      write to FILE instead of the terminal\n"
    "  -j, --threads N        search N files at once (default: one per core)\n"
    "  -0, --null             end each path of -f paths with a NUL (for xargs -0)\n"
    "      --color WHEN       auto, always or never (auto: never when NO_COLOR is set)\n"
    "      --passed-over      name every entry passed over on purpose (links to\n"
    "                         folders, pipes, devices); unreadable ones are always named\n"
    "  -h, --help             show this help\n"
    "      --version          show the version\n"
    "\n"
    "Exit status: 0 when a file matched, 1 when none did, 2 on an error.\n";

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
        if (const auto flag = flags().find(name); flag != flags().end()) {
            if (inlineValue) return fail("option '--" + name + "' takes no value");
            flag->second();
            return;
        }
        const auto valued = valuedOptions().find(name);
        if (valued == valuedOptions().end()) return fail("unknown option '--" + name + "'");
        if (!inlineValue) {
            if (index_ >= arguments_.size()) return fail("option '--" + name + "' needs a value");
            inlineValue = arguments_[index_++];
        }
        valued->second(*inlineValue);
    }

    void shortOptions(const std::string& letters) {
        for (std::size_t i = 0; i < letters.size() && error_.empty(); ++i) {
            const auto longName = shortNames().find(letters[i]);
            if (longName == shortNames().end()) return fail(std::string("unknown option '-") + letters[i] + "'");
            if (const auto flag = flags().find(longName->second); flag != flags().end()) {
                flag->second();
                continue;
            }
            // A value follows: the rest of this argument, or the next one.
            std::string value = letters.substr(i + 1);
            if (value.empty()) {
                if (index_ >= arguments_.size())
                    return fail(std::string("option '-") + letters[i] + "' needs a value");
                value = arguments_[index_++];
            }
            valuedOptions().at(longName->second)(value);
            return;
        }
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

    const std::map<std::string, std::function<void()>>& flags() {
        if (flags_.empty()) {
            auto& r = result_;
            flags_ = {
                {"settings", [&r] { r.startFromSettings = true; }},
                {"match-case", [&r] { r.matchCase = true; }},
                {"smart", [&r] { r.smartSearch = true; }},
                {"no-subfolders", [&r] { r.subfolders = false; }},
                {"all-hits", [&r] { r.allHits = true; }},
                {"names-only", [&r] { r.namesOnly = true; }},
                {"help", [&r] { r.help = true; }},
                {"version", [&r] { r.version = true; }},
                {"null", [&r] { r.nulSeparated = true; }},
                {"passed-over", [&r] { r.namePassedOver = true; }},
                {"hidden", [&r] { r.hiddenIncluded = true; }},
                {"binary", [&r] { r.binaryIncluded = true; }},
                {"raw", [&r] { r.documentsAsText = false; }},
                {"no-index", [&r] { r.useIndex = false; }},
                {"index-info", [&r] { r.indexInfo = true; }},
            };
        }
        return flags_;
    }

    const std::map<std::string, Setter>& valuedOptions() {
        if (valued_.empty()) {
            auto& r = result_;
            valued_ = {
                {"folder", [&r](const std::string& v) { r.folders.push_back(v); }},
                {"category", [&r](const std::string& v) { r.category = v; }},
                {"data-dir", [&r](const std::string& v) { r.dataFolder = v; }},
                {"types", [&r](const std::string& v) { r.types = v; }},
                {"starts-with", [&r](const std::string& v) { r.startsWith = v; }},
                {"from", [&r](const std::string& v) { r.fromDate = v; }},
                {"to", [&r](const std::string& v) { r.toDate = v; }},
                {"past-months", [this](const std::string& v) { number("past-months", v, 1, 12, result_.pastMonths); }},
                {"context", [this](const std::string& v) { context(v); }},
                {"nearby", [this](const std::string& v) { number("nearby", v, 1, 200, result_.nearbyWords); }},
                {"threads", [this](const std::string& v) { threads(v); }},
                {"format", [this](const std::string& v) { format(v); }},
                {"output", [&r](const std::string& v) { r.outputFile = v; }},
                {"color", [this](const std::string& v) { colour(v); }},
                {"exclude-dir", [this](const std::string& v) { excludeDir(v); }},
                {"max-filesize", [this](const std::string& v) { largestFileSize(v); }},
                {"document-time-limit", [this](const std::string& v) {
                     number("document-time-limit", v, 1, 3600, result_.documentSecondsLimit);
                 }},
            };
        }
        return valued_;
    }

    static const std::map<char, std::string>& shortNames() {
        static const std::map<char, std::string> names = {
            {'d', "folder"}, {'c', "category"}, {'C', "match-case"}, {'s', "smart"},
            {'t', "types"},  {'b', "starts-with"}, {'w', "context"}, {'a', "all-hits"},
            {'n', "nearby"}, {'l', "names-only"}, {'f', "format"},  {'o', "output"},
            {'j', "threads"}, {'h', "help"}, {'0', "null"},
        };
        return names;
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
    std::map<std::string, std::function<void()>> flags_;
    std::map<std::string, Setter> valued_;
};

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    return Parser(arguments).parse();
}

}  // namespace tessaly::cli
