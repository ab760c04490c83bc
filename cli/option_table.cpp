#include "option_table.h"

#include <algorithm>
#include <array>

namespace tessaly::cli {

namespace {

using enum OptionGroup;
using enum ValueCompletion;

constexpr std::array kGroups = {
    OptionGroupText{WhereToSearch, "Where to search", ""},
    OptionGroupText{HowToSearch, "How to search", ""},
    OptionGroupText{WhichFiles, "Which files",
                    "Without --settings these start where the windowed program's do: hidden entries and binary "
                    "files are left out, no folder is left out by its name, files of any size are searched, and "
                    "documents as the text they show."},
    OptionGroupText{RememberedWords, "Remembered words", ""},
    OptionGroupText{Output, "Output", ""},
};

constexpr std::array kOptions = {
    // Where to search
    CommandOption{
        .shortName = 'd', .longName = "folder", .valueName = "PATH", .completion = File, .repeatable = true,
        .group = WhereToSearch,
        .help = "search the folder PATH and its subfolders, or the file PATH; may be given more than once "
                "(with neither -d nor -c: the current folder)",
        .manual = "search the folder PATH and its subfolders, or the file PATH (whatever its name, date, size "
                  "or content); may be given more than once. With neither -d nor -c, the current folder.",
        .brief = "search this folder or file"},
    CommandOption{
        .shortName = 'c', .longName = "category", .valueName = "NAME", .group = WhereToSearch,
        .help = "search the folders of the Category NAME",
        .manual = "search the folders of the Category NAME (from tyindex.ini in the data folder)",
        .brief = "search the folders of a Category"},
    CommandOption{
        .longName = "data-dir", .valueName = "DIR", .completion = Folder, .group = WhereToSearch,
        .help = "the folder holding tyindex.ini and tysetup.tyx (default: here when it holds them, else "
                "~/.local/share/tessaly, as the window)",
        .manual = "the folder holding tyindex.ini and tysetup.tyx (default: the current folder when it holds "
                  "tyindex.ini, else $XDG_DATA_HOME/tessaly, as the window)",
        .brief = "folder of the data files"},
    CommandOption{
        .longName = "settings", .group = WhereToSearch,
        .help = "start from the options saved in tysetup.tyx and tysetup.ini",
        .manual = "start from the options saved in tysetup.tyx and, for which files, in tysetup.ini beside it; "
                  "the options given on the command line override them, and each --exclude-dir adds to the "
                  "saved folder patterns",
        .brief = "start from the saved options"},

    // How to search
    CommandOption{.shortName = 'C', .longName = "match-case", .group = HowToSearch,
                  .help = "match upper and lower case", .brief = "match upper and lower case"},
    CommandOption{.shortName = 's', .longName = "smart", .group = HowToSearch,
                  .help = "stop passages at punctuation", .brief = "stop passages at punctuation"},
    CommandOption{.longName = "no-subfolders", .group = HowToSearch,
                  .help = "search only the folders themselves", .brief = "only the folders themselves"},
    CommandOption{.shortName = 't', .longName = "types", .valueName = "LIST", .group = HowToSearch,
                  .help = "only files whose extension occurs in LIST", .brief = "only these extensions"},
    CommandOption{.longName = "past-months", .valueName = "N", .group = HowToSearch,
                  .help = "only files changed in the past N months (1 to 12)",
                  .brief = "changed in the past N months"},
    CommandOption{.longName = "from", .valueName = "DATE", .group = HowToSearch,
                  .help = "only files changed on or after this date (YYYY-MM-DD or M/D/YYYY)",
                  .brief = "changed on or after (YYYY-MM-DD)"},
    CommandOption{.longName = "to", .valueName = "DATE", .group = HowToSearch,
                  .help = "only files changed on or before this date",
                  .manual = "only files changed on or before this date (YYYY-MM-DD or M/D/YYYY)",
                  .brief = "changed on or before (YYYY-MM-DD)"},
    CommandOption{.shortName = 'b', .longName = "starts-with", .valueName = "TEXT", .group = HowToSearch,
                  .help = "only files whose names begin with TEXT", .brief = "file names beginning with"},
    CommandOption{.shortName = 'w', .longName = "context", .valueName = "N", .completion = Choice,
                  .choices = "10 20 30", .group = HowToSearch,
                  .help = "words around each hit: 10, 20 or 30", .brief = "words around a hit"},
    CommandOption{.shortName = 'a', .longName = "all-hits", .group = HowToSearch,
                  .help = "every passage of a file, not only the first", .brief = "every passage"},
    CommandOption{
        .shortName = 'n', .longName = "nearby", .valueName = "N", .group = HowToSearch,
        .help = "NEARBY words stand at most N words apart (1 to 200; default 1)",
        .manual = "NEARBY words stand at most N words apart (1 to 200; default 1, the window's default, and "
                  "said on standard error when NEARBY is used without -n)",
        .brief = "NEARBY distance"},
    CommandOption{
        .shortName = 'l', .longName = "names-only", .group = HowToSearch,
        .help = "list the matching files without their passages; to a pipe or a file, bare paths one a line "
                "(as -f paths)",
        .manual = "list the matching files without their passages. On a terminal each file has its number and "
                  "date, as the window lists it; written to a pipe or a file, each is a bare path on a line of "
                  "its own, as -f paths writes them, so that tessaly -l WORD | xargs ... works",
        .brief = "names without passages"},

    // Which files
    CommandOption{
        .longName = "exclude-dir", .valueName = "GLOB", .repeatable = true, .group = WhichFiles,
        .help = "do not enter folders whose name matches GLOB (a shell pattern: .git, node_modules, build*); "
                "may be given more than once",
        .manual = "do not enter folders whose name matches GLOB, a shell pattern (.git, node_modules, build*); "
                  "may be given more than once. The folders named by -d or the Category are entered whatever "
                  "their names.",
        .brief = "do not enter folders matching this pattern"},
    CommandOption{.longName = "hidden", .group = WhichFiles,
                  .help = "search hidden files and folders (names beginning with a dot)",
                  .brief = "search hidden files and folders"},
    CommandOption{.longName = "binary", .group = WhichFiles, .help = "search binary files too",
                  .brief = "search binary files too"},
    CommandOption{.longName = "names", .group = WhichFiles,
                  .help = "also list files whose names hold the words (as a line of text, by the same words, "
                          "operators and case), even when their text does not",
                  .brief = "also find files whose names hold the words"},
    CommandOption{.longName = "max-filesize", .valueName = "SIZE", .group = WhichFiles,
                  .help = "pass over files larger than SIZE bytes; K, M or G may follow (10M); 0 for any size",
                  .manual = "pass over files larger than SIZE bytes; K, M or G may follow (64K, 10M, 2G); 0 for "
                            "any size",
                  .brief = "pass over larger files (K, M or G may follow)"},
    CommandOption{.longName = "raw", .group = WhichFiles,
                  .help = "search PDF, OpenDocument, Office and EPUB files as their raw bytes, not as the text "
                          "they show",
                  .brief = "search documents as raw bytes"},
    CommandOption{
        .longName = "document-time-limit", .valueName = "SECONDS", .group = WhichFiles,
        .help = "processor time one document may take to read (1 to 3600; default 20); a document that takes "
                "longer is named and passed over",
        .manual = "processor time one document may take to read, from 1 to 3600 (default 20). Documents are "
                  "read in a separate process, tessaly-documents, which may use at most 1 GiB of memory; a "
                  "document that takes longer or needs more is named on standard error and passed over",
        .brief = "processor time one document may take to read"},

    // Remembered words
    CommandOption{
        .longName = "no-index", .group = RememberedWords,
        .help = "neither use nor add to the index of the words of files searched before (kept in "
                "~/.cache/tessaly; it lets a search pass over unchanged files that cannot match)",
        .manual = "neither use nor add to the remembered words of searched files. They are kept in "
                  "$XDG_CACHE_HOME/tessaly (~/.cache/tessaly): a search passes over the files that have not "
                  "changed since their words were taken and that those words prove cannot match; the answers "
                  "are those of a search that reads every file",
        .brief = "neither use nor add to the remembered words"},
    CommandOption{
        .longName = "remember-all", .group = RememberedWords,
        .help = "remember the words of every file this search reads whole, however long it takes (a search "
                "otherwise takes words only as a small share of its time allows)",
        .manual = "remember the words of every file this search reads to its end, however long that takes. A "
                  "search otherwise takes the words of files only as far as a small share of its time allows, so "
                  "that a large folder is remembered over many searches; this remembers it in one, for the "
                  "searches after it. Used even when the window's options turn remembering off",
        .brief = "remember the words of every file read whole"},
    CommandOption{.longName = "index-info", .group = RememberedWords,
                  .help = "show where the index is, its size and the files it covers, and exit",
                  .manual = "show where the remembered words are kept, their size and how many files they cover, "
                            "and exit",
                  .brief = "show where the remembered words are kept and exit"},

    // Output
    CommandOption{.shortName = 'f', .longName = "format", .valueName = "FORMAT", .completion = Choice,
                  .choices = "text paths rtf json", .group = Output,
                  .help = "text, paths, rtf or json (default text)", .brief = "output format"},
    CommandOption{.shortName = 'o', .longName = "output", .valueName = "FILE", .completion = File,
                  .group = Output, .help = "write to FILE instead of the terminal", .brief = "write to this file"},
    CommandOption{.shortName = 'j', .longName = "threads", .valueName = "N", .group = Output,
                  .help = "search N files at once (default: one per core)",
                  .manual = "search N files at once (default: one per core); the output is the same for any N",
                  .brief = "files searched at once"},
    CommandOption{.shortName = '0', .longName = "null", .group = Output,
                  .help = "end each path with a NUL instead of a line end (for xargs -0); implies -f paths, and "
                          "goes with no other format",
                  .brief = "end each path with a NUL (implies -f paths)"},
    CommandOption{.longName = "color", .valueName = "WHEN", .completion = Choice, .choices = "auto always never",
                  .group = Output, .help = "auto, always or never (auto: never when NO_COLOR is set)",
                  .brief = "colour"},
    CommandOption{.longName = "passed-over", .group = Output,
                  .help = "name every entry passed over on purpose (links to folders, pipes, devices); "
                          "unreadable ones are always named",
                  .brief = "name every entry passed over"},
    CommandOption{.shortName = 'h', .longName = "help", .group = Output, .help = "show this help",
                  .manual = "show the options", .brief = "show the options"},
    CommandOption{.longName = "version", .group = Output, .help = "show the version",
                  .brief = "show the version"},
};

}  // namespace

std::span<const CommandOption> commandOptions() { return kOptions; }

std::span<const OptionGroupText> optionGroups() { return kGroups; }

const CommandOption* optionNamed(std::string_view longName) {
    const auto found = std::ranges::find(kOptions, longName, &CommandOption::longName);
    return found == kOptions.end() ? nullptr : &*found;
}

const CommandOption* optionLettered(char shortName) {
    if (shortName == 0) return nullptr;
    const auto found = std::ranges::find(kOptions, shortName, &CommandOption::shortName);
    return found == kOptions.end() ? nullptr : &*found;
}

}  // namespace tessaly::cli
