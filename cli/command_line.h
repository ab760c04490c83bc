// What the user asked the tessaly command for, read from its arguments.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaly::cli {

enum class OutputFormat { Text, Paths, Rtf, Json };
enum class ColourChoice { Auto, Always, Never };

struct CommandLine {
    // The words as typed, up to four, and the operator before each word after
    // the first ("AND", "OR", "NOT", "NEARBY").
    std::vector<std::string> words;
    std::vector<std::string> operators;

    std::vector<std::string> folders;      // --folder, in the order given
    std::optional<std::string> category;   // --category
    std::string dataFolder;                // --data-dir, or empty for the current folder
    bool startFromSettings = false;        // --settings

    // Each set only when given, so that they override the saved options.
    std::optional<bool> matchCase, smartSearch, subfolders, allHits, namesOnly;
    std::optional<std::string> types, startsWith, fromDate, toDate;
    std::optional<int> pastMonths, contextWords, nearbyWords;

    // Which files: the patterns of --exclude-dir join the saved ones; the
    // others, set only when given, override them.
    std::vector<std::string> leftOutFolders;
    std::optional<bool> hiddenIncluded, binaryIncluded, documentsAsText, namesSearched;
    std::optional<std::uint64_t> largestFileSize;  // --max-filesize; 0 for any size
    std::optional<int> documentSecondsLimit;         // --document-time-limit

    OutputFormat format = OutputFormat::Text;  // Paths when -0 came without -f
    std::optional<std::string> outputFile;
    int threads = 0;  // 0: one per core
    ColourChoice colour = ColourChoice::Auto;
    bool help = false;
    bool version = false;
    bool nulSeparated = false;  // -0: paths end with NUL; refused beside any format but paths
    bool namePassedOver = false;  // --passed-over
    bool useIndex = true;         // --no-index turns the word index off
    bool rememberAll = false;     // --remember-all
    bool indexInfo = false;       // --index-info
};

struct ParsedCommandLine {
    CommandLine commandLine;
    std::string error;  // empty when the arguments made sense
};

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

}  // namespace tessaly::cli
