#include "search_command.h"

#include "index/index_folder.h"
#include "index/word_index.h"

#include "terminal_name.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <filesystem>

#include "categories/category_store.h"
#include "platform/file_replacement.h"
#include "platform/personal_data_folder.h"
#include "categories/data_files.h"
#include "criteria/options.h"
#include "criteria/run_arguments.h"
#include "criteria/scope_file.h"
#include "criteria/settings_file.h"
#include "criteria/word_check.h"
#include "platform/engine_loader.h"
#include "platform/error_tables.h"
#include "progress_line.h"
#include "removed_on_signal.h"
#include "result_writer.h"
#include "run/date_window.h"
#include "run/run_tally.h"
#include "run/run_filters.h"
#include "run/search_runner.h"

namespace tessaly::cli {

namespace {

// Messages name files and folders: a name's control characters are shown
// escaped here as on standard output, or a crafted name would write to the
// terminal of whoever reads the messages.
void say(std::FILE* err, const std::string& message) {
    std::fprintf(err, "tessaly: %s\n", terminalName(message).c_str());
}

std::string currentFolder() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string(".");
}

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// Headings name absolute paths, so a folder given relative to here is made absolute.
std::string absoluteFolder(const std::string& folder) {
    std::string absolute = folder.starts_with('/') ? folder : withSlash(currentFolder()) + folder;
    // "." and ".." as the shell gives them, not as parts of every path written.
    absolute = std::filesystem::path(absolute).lexically_normal().string();
    while (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
    return absolute;
}

// Where the Categories are without --data-dir: the current folder when it
// holds them, else the windowed program's own folder, $XDG_DATA_HOME/tessaly.
std::string defaultDataFolder() {
    const std::string here = currentFolder();
    struct stat categories {};
    if (::stat((withSlash(here) + std::string(categoryFileName)).c_str(), &categories) == 0) return here;
    const std::string personal = personalDataFolder();
    return personal.empty() ? here : personal;
}

// A date as Linux users type it, year-month-day, in the month/day/year form
// the options keep; anything else as it came.
std::string monthDayYear(const std::string& date) {
    int year = 0, month = 0, day = 0;
    char dash1 = 0, dash2 = 0;
    std::istringstream in(date);
    if (date.size() >= 8 && date[4] == '-' && (in >> year >> dash1 >> month >> dash2 >> day) && in.eof() &&
        dash1 == '-' && dash2 == '-' && month > 0 && day > 0)
        return std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
    return date;
}

// The word check talks to the user through standard error.
class PrintedMessages final : public CriteriaMessages {
public:
    PrintedMessages(std::FILE* err, const SearchWords& typed) : err_(err), typed_(typed) {}
    void refuse(int wordIndex, std::string_view text, std::string_view title) override {
        say(err_, std::string(title) + ": " + std::string(text) + " (word " + std::to_string(wordIndex + 1) +
                      ", '" + typed_[static_cast<std::size_t>(wordIndex)] + "')");
    }
    void focusWord(int) override {}

private:
    std::FILE* err_;
    SearchWords typed_;
};

Operator operatorNamed(const std::string& name) {
    if (name == "OR") return Operator::OR;
    if (name == "NOT") return Operator::NOT;
    if (name == "NEARBY") return Operator::NEARBY;
    return Operator::AND;
}

// The run as the terminal sees it: matches to the writer, everything passed
// over and every folder failure to standard error, progress on one line.
class PrintedRun final : public RunSink {
public:
    PrintedRun(ResultWriter& writer, std::FILE* err, bool errIsTerminal, bool nameAndText, bool nameAll)
        : writer_(writer), err_(err), progress_(err, errIsTerminal), nameAndText_(nameAndText), nameAll_(nameAll) {}

    void found(FoundFile file) override {
        MatchedFile match;
        match.number = file.number;
        match.path = file.path;
        match.modified = file.modified;
        match.dateText = dateText(file.modified);
        match.lines = file.lines;
        match.tooManyHits = file.tooManyHits;
        match.nameAndText = nameAndText_;
        // Both may be the same terminal: a result starts on a line of its own.
        progress_.clear();
        writer_.file(match);
    }

    void passedOver(PassedOver entry) override {
        if (!entry.failed && !nameAll_) {
            ++unnamed_;
            return;
        }
        progress_.clear();
        say(err_, "passed over " + entry.path + ": " + entry.reason);
    }

    FailureAnswer folderFailed(const WalkFailure& failure) override {
        progress_.clear();
        // The window's "rebuild index" words mean nothing here: the system's own say what is wrong.
        if (failure.categoryFolder && failure.failure.code == code::pathNotFound) folderMissing_ = true;
        say(err_, failure.failure.describe());
        // A folder that cannot be walked ends the run, as Ignore does in the window.
        return FailureAnswer::Stop;
    }

    void tooManyFiles() override {
        progress_.clear();
        say(err_, std::string(kTooManyFilesTitle) + ": " + std::string(kTooManyFilesMessage));
    }

    void progress(const RunProgress& progress) override {
        progress_.update(progress.listed, progress.searched, progress.found, progress.file);
    }

    void ended() {
        progress_.clear();
        if (unnamed_ > 0)
            say(err_, std::to_string(unnamed_) + (unnamed_ == 1 ? " entry" : " entries") +
                          " passed over on purpose: links to folders, broken links, pipes, sockets or devices"
                          " (--passed-over names them)");
    }
    bool folderMissing() const { return folderMissing_; }

private:
    ResultWriter& writer_;
    std::FILE* err_;
    ProgressLine progress_;
    bool nameAndText_;
    bool nameAll_;
    long unnamed_ = 0;
    bool folderMissing_ = false;
};

class SearchCommand {
public:
    SearchCommand(const CommandLine& commandLine, FileSystem& files, const Terminal& terminal)
        : line_(commandLine), files_(files), terminal_(terminal) {}

    int run() {
        dataFolder_ = withSlash(line_.dataFolder.empty() ? defaultDataFolder() : absoluteFolder(line_.dataFolder));
        if (!loadOptions() || !applyArguments() || !checkWords() || !chooseFolders()) return kExitError;
        Failure failure;
        engine_ = loadEngine(failure);
        if (!engine_) return fail(failure.describe());
        if (Failure f = computeDateWindow(dateWindowOptions(options_), localDate(std::time(nullptr)), window_))
            return fail("the date window cannot be read: " + f.describe());
        return search();
    }

private:
    int fail(const std::string& message) {
        say(terminal_.err, message);
        return kExitError;
    }

    bool loadOptions() {
        options_ = defaultOptions(localToday());
        if (!line_.startFromSettings) return true;
        DirectoryEntry entry;
        if (files_.status(dataFolder_ + settingsFileName, entry)) {
            say(terminal_.err, "no settings file in " + dataFolder_ + "; starting from the defaults");
            return loadScopeSettings();
        }
        const SettingsLoad loaded = loadSettings(files_, dataFolder_);
        if (loaded.failure) {
            fail(loaded.failure.describe());
            return false;
        }
        if (loaded.state == RecordState::Unreadable)
            say(terminal_.err, "the settings file " + dataFolder_ + settingsFileName +
                                   " is damaged; starting from the defaults");
        options_ = loaded.options;
        return loadScopeSettings();
    }

    bool loadScopeSettings() {
        const ScopeLoad loaded = loadScope(files_, dataFolder_);
        if (loaded.failure) {
            fail(loaded.failure.describe());
            return false;
        }
        if (!loaded.unreadable.empty())
            say(terminal_.err, "the settings file " + dataFolder_ + scopeFileName + " has values that cannot be read (" +
                                   unreadableList(loaded.unreadable) + "); using their defaults");
        scope_ = loaded.scope;
        return true;
    }

    void applyScopeArguments() {
        SearchScope& s = scope_;
        s.leftOutFolders.insert(s.leftOutFolders.end(), line_.leftOutFolders.begin(), line_.leftOutFolders.end());
        if (line_.hiddenIncluded) s.hiddenIncluded = *line_.hiddenIncluded;
        if (line_.binaryIncluded) s.binaryIncluded = *line_.binaryIncluded;
        if (line_.namesSearched) s.namesSearched = *line_.namesSearched;
        if (line_.largestFileSize) s.largestFileSize = *line_.largestFileSize;
        if (line_.documentsAsText) s.documentsAsText = *line_.documentsAsText;
        if (line_.documentSecondsLimit)
            s.documentSecondsLimit = static_cast<std::uint32_t>(*line_.documentSecondsLimit);
    }

    bool applyArguments() {
        applyScopeArguments();
        Options& o = options_;
        if (line_.matchCase) o.matchCase = *line_.matchCase;
        if (line_.smartSearch) o.smartSearch = *line_.smartSearch;
        if (line_.subfolders) o.searchSubfolders = *line_.subfolders;
        if (line_.types) o.fileTypes = FileTypes::listed, o.typeList = *line_.types;
        if (line_.startsWith) o.nameStartLetters = *line_.startsWith;
        if (line_.contextWords) o.contextWords = *line_.contextWords;
        if (line_.allHits) o.showAllHits = true;
        if (line_.namesOnly) o.display = Display::namesOnly;
        if (line_.pastMonths) o.dateRule = DateRule::inPastMonths, o.pastMonths = *line_.pastMonths;
        if (line_.fromDate || line_.toDate) {
            o.dateRule = DateRule::between;
            o.dateFrom = monthDayYear(line_.fromDate.value_or("1/1/1000"));
            o.dateTo = monthDayYear(line_.toDate.value_or("12/31/9999"));
            int days[2] = {0, 0};
            for (int end = 0; end < 2; ++end) {
                const std::string& date = end == 0 ? o.dateFrom : o.dateTo;
                if (!yyyymmddFromDateText(date, days[end])) {
                    fail("'" + date + "' is not a date; write it as year-month-day or month/day/year, "
                         "for example 2003-03-15 or 3/15/2003");
                    return false;
                }
            }
            // An empty window would match nothing and look like a search that found nothing.
            if (days[0] > days[1]) {
                fail("'--from " + line_.fromDate.value_or(o.dateFrom) + "' is later than '--to " +
                     line_.toDate.value_or(o.dateTo) +
                     "': no file was changed between them; give the earlier date to --from");
                return false;
            }
        }
        if (line_.nearbyWords) o.nearbyOn = true, o.nearbyWords = o.nearbySpinValue = *line_.nearbyWords;
        Operator* groups[3] = {&o.operator1, &o.operator2, &o.operator3};
        for (std::size_t i = 0; i < 3; ++i) {
            *groups[i] = i < line_.operators.size() ? operatorNamed(line_.operators[i]) : Operator::AND;
            // Choosing NEARBY is what turns the distance on in the window too.
            if (*groups[i] == Operator::NEARBY) o.nearbyOn = true;
        }
        // The distance a NEARBY search went by is never left to guess.
        if (o.nearbyOn && !line_.nearbyWords)
            say(terminal_.err, "NEARBY finds words at most " + std::to_string(o.nearbyWords) +
                                   " word(s) apart; -n N sets the distance");
        return true;
    }

    bool checkWords() {
        for (std::size_t i = 0; i < line_.words.size(); ++i) words_[i] = line_.words[i];
        if (allWordsEmpty(words_)) {
            fail(std::string(textMissingText));
            return false;
        }
        WildcardWarnings warnings;
        PrintedMessages messages(terminal_.err, words_);
        if (!inputValidate(words_, warnings, messages)) return false;
        bool anyWord = false;
        for (const std::string& word : words_) {
            // A lone star stands for no word at all: say so rather than find nothing.
            if (word.find_first_not_of("* ") == std::string::npos && word.find('*') != std::string::npos) {
                fail("'" + word + "' is a star without a word; a word may begin or end with *");
                return false;
            }
            anyWord |= !word.empty();
        }
        if (!anyWord) {
            fail("no word is left to search for");
            return false;
        }
        return true;
    }

    bool chooseFolders() {
        for (const std::string& folder : line_.folders) {
            // An empty name is a slip (an unset variable), not the current folder.
            if (folder.empty()) {
                fail("--folder was given an empty name");
                return false;
            }
            folders_.push_back(absoluteFolder(folder));
        }
        if (!folders_.empty()) return true;
        std::string category = line_.category.value_or(line_.startFromSettings ? options_.category : "");
        if (category.empty()) {
            // As grep -r and ripgrep do: no folder named, the current one.
            folders_.push_back(absoluteFolder("."));
            return true;
        }
        DirectoryEntry entry;
        const std::string categoryFile = dataFilePath(dataFolder_, categoryFileName);
        if (files_.status(categoryFile, entry)) {
            fail("there is no category file " + categoryFile + " (use --data-dir to name its folder)");
            return false;
        }
        CategoryStore store(files_, dataFolder_);
        std::vector<std::string> folders;
        std::size_t unusable = 0;
        if (Failure failure = store.readFolders(category, folders, &unusable)) {
            fail(failure.describe());
            return false;
        }
        if (unusable > 0) say(terminal_.err, unusableLinesMessage(unusable, category, categoryFile));
        if (folders.empty()) {
            fail("the Category '" + category + "' has no folders in " + categoryFile);
            return false;
        }
        for (const std::string& folder : folders) folders_.push_back(absoluteFolder(folder));
        return true;
    }

    // Names only, written where a program reads them (a pipe, a file), are
    // what grep -l gives: bare paths, one a line, for xargs as they are.
    OutputFormat writtenFormat(bool toTerminal) const {
        if (line_.format == OutputFormat::Text && options_.display == Display::namesOnly && !toTerminal)
            return OutputFormat::Paths;
        return line_.format;
    }

    int threadCount() const { return line_.threads > 0 ? line_.threads : defaultThreadCount(); }

    bool colourWanted() const {
        if (line_.colour == ColourChoice::Always) return true;
        if (line_.colour == ColourChoice::Never) return false;
        // The convention of no-color.org: set and not empty means no colour.
        const char* noColour = std::getenv("NO_COLOR");
        if (noColour && *noColour) return false;
        return terminal_.outIsTerminal && !line_.outputFile;
    }

    int search() {
        std::FILE* out = terminal_.out;
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> outputFile(nullptr, std::fclose);
        // -o writes beside the file it replaces and takes its place only after
        // a run without an error: a failed or interrupted run leaves the old
        // file as it was. A device (/dev/stdout, /dev/null) is written as it is.
        std::optional<FileReplacement> replacement;
        std::optional<RemovedOnSignal> removedOnSignal;
        if (line_.outputFile) {
            struct stat target {};
            const bool device = ::stat(line_.outputFile->c_str(), &target) == 0 && !S_ISREG(target.st_mode);
            std::string written = *line_.outputFile;
            if (!device) {
                replacement.emplace(*line_.outputFile);
                if (const int error = replacement->begin())
                    return fail(failureFromErrno(error, "write", *line_.outputFile).describe());
                written = replacement->temporaryPath();
                removedOnSignal.emplace(written);
            }
            outputFile.reset(std::fopen(written.c_str(), "wb"));
            if (!outputFile) return fail(failureFromErrno(errno, "write", *line_.outputFile).describe());
            out = outputFile.get();
        }
        RunPlan plan = planFromOptions(options_, scope_, words_, runArgumentsFrom(options_, words_), window_);
        plan.folders = folders_;
        plan.threads = threadCount();
        const bool nameAndText = plan.nameAndText;
        // The index of searched words, a cache: without it the run reads every file.
        std::optional<WordIndex> index;
        if (line_.useIndex && (scope_.rememberWords || line_.rememberAll) && !wordIndexFolder().empty()) {
            index.emplace(wordIndexFolder());
            if (index->usable()) plan.index = &*index;
        }
        plan.recordAllWords = line_.rememberAll;

        WriterStyle style;
        style.colour = colourWanted();
        style.toTerminal = terminal_.outIsTerminal && !line_.outputFile;
        style.nulSeparated = line_.nulSeparated;
        auto writer = makeResultWriter(writtenFormat(style.toTerminal), out, style);
        PrintedRun printed(*writer, terminal_.err, terminal_.errIsTerminal, nameAndText, line_.namePassedOver);
        const auto started = std::chrono::steady_clock::now();
        const RunSummary summary = SearchRunner(files_, *engine_, std::move(plan)).run(printed);
        writer->summary({summary.searched, summary.found, summary.passedOver, summary.ruledOut,
                         std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count()});
        std::string indexNotice = summary.indexNotice;
        if (index && indexNotice.empty()) indexNotice = index->takeNotice();
        if (!indexNotice.empty()) say(terminal_.err, indexNotice);
        writer->finish();
        printed.ended();
        // Results that never reached the disk (a full disk, /dev/full) are a
        // failure, not the answer the exit status would otherwise give.
        int writeError = std::fflush(out) != 0 || std::ferror(out) ? (errno ? errno : EIO) : 0;
        if (outputFile && std::fclose(outputFile.release()) != 0 && !writeError) writeError = errno ? errno : EIO;
        if (writeError) {
            const std::string target = line_.outputFile ? *line_.outputFile : std::string("standard output");
            return fail(failureFromErrno(writeError, "write", target).describe());
        }

        const bool warning = summary.end == RunEnd::TooManyHits || summary.end == RunEnd::TooManyFiles;
        // The exit status says that the search completed; only a run cut short is worth a line.
        if (warning) say(terminal_.err, std::string(statusSentence(summary.end)));
        // A folder that could not be walked ended the run: not an answer.
        if (printed.folderMissing() || summary.failure) return kExitError;
        if (replacement) {
            if (const int error = replacement->commit())
                return fail(failureFromErrno(error, "write", *line_.outputFile).describe());
        }
        return summary.found > 0 ? kExitMatched : kExitNoMatch;
    }

    const CommandLine& line_;
    FileSystem& files_;
    Terminal terminal_;
    std::string dataFolder_;
    Options options_;
    SearchScope scope_;
    SearchWords words_;
    std::vector<std::string> folders_;
    const EngineCalls* engine_ = nullptr;
    DateWindow window_;
};

}  // namespace

int runSearchCommand(const CommandLine& commandLine, FileSystem& files, const Terminal& terminal) {
    return SearchCommand(commandLine, files, terminal).run();
}

}  // namespace tessaly::cli
