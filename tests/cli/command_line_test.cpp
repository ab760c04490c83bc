#include <gtest/gtest.h>

#include <set>

#include "command_line.h"
#include "option_table.h"

namespace tessaly::cli {
namespace {

TEST(CommandLine, WordsAndOperators) {
    const struct {
        std::vector<std::string> arguments;
        std::vector<std::string> words;
        std::vector<std::string> operators;
    } cases[] = {
        {{"cat"}, {"cat"}, {}},
        {{"cat", "dog"}, {"cat", "dog"}, {"AND"}},
        {{"cat", "OR", "dog", "NOT", "bird"}, {"cat", "dog", "bird"}, {"OR", "NOT"}},
        {{"a1", "NEARBY", "b2", "c3", "OR", "d4"}, {"a1", "b2", "c3", "d4"}, {"NEARBY", "AND", "OR"}},
        {{"-d", "/tmp", "comp*", "and"}, {"comp*", "and"}, {"AND"}},  // lower case is a word
        {{"--", "-dash-word"}, {"-dash-word"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const ParsedCommandLine parsed = parseCommandLine(c.arguments);
        ASSERT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.commandLine.words, c.words);
        EXPECT_EQ(parsed.commandLine.operators, c.operators);
    }
}

TEST(CommandLine, Options) {
    const ParsedCommandLine parsed = parseCommandLine(
        {"-d", "/a", "--folder=/b", "-Cs", "--no-subfolders", "-t", "txt doc", "--past-months", "3",
         "-b", "re", "-w", "20", "-a", "-n5", "-l", "-f", "json", "-o", "out.json", "-j", "2",
         "--color=never", "--data-dir", "/data", "--settings", "-c", "Work", "word"});
    ASSERT_EQ(parsed.error, "");
    const CommandLine& c = parsed.commandLine;
    EXPECT_EQ(c.folders, (std::vector<std::string>{"/a", "/b"}));
    EXPECT_EQ(c.matchCase, true);
    EXPECT_EQ(c.smartSearch, true);
    EXPECT_EQ(c.subfolders, false);
    EXPECT_EQ(c.types, "txt doc");
    EXPECT_EQ(c.pastMonths, 3);
    EXPECT_EQ(c.startsWith, "re");
    EXPECT_EQ(c.contextWords, 20);
    EXPECT_EQ(c.allHits, true);
    EXPECT_EQ(c.nearbyWords, 5);
    EXPECT_EQ(c.namesOnly, true);
    EXPECT_EQ(c.format, OutputFormat::Json);
    EXPECT_EQ(c.outputFile, "out.json");
    EXPECT_EQ(c.threads, 2);
    EXPECT_EQ(c.colour, ColourChoice::Never);
    EXPECT_EQ(c.dataFolder, "/data");
    EXPECT_TRUE(c.startFromSettings);
    EXPECT_EQ(c.category, "Work");
    EXPECT_EQ(c.words, (std::vector<std::string>{"word"}));
}

TEST(CommandLine, Refusals) {
    const struct {
        std::vector<std::string> arguments;
        std::string message;  // a part of the error
    } cases[] = {
        {{}, "no search word"},
        {{"a1", "b2", "c3", "d4", "e5"}, "more than four words"},
        {{"AND", "cat"}, "operator (AND) stands where a word should be"},
        {{"cat", "OR", "NOT", "dog"}, "operator (NOT) stands where a word should be"},
        {{"cat", "OR"}, "has no word after it"},
        {{"--frobnicate", "cat"}, "unknown option '--frobnicate'"},
        {{"-x", "cat"}, "unknown option '-x'"},
        {{"-w", "15", "cat"}, "10, 20 or 30"},
        {{"--past-months", "13", "cat"}, "from 1 to 12"},
        {{"--nearby", "many", "cat"}, "from 1 to 200"},
        {{"-f", "xml", "cat"}, "unknown format 'xml'"},
        {{"cat", "-d"}, "needs a value"},
        {{"--smart=yes", "cat"}, "takes no value"},
        // NUL-ended output is paths; asked of another format it would be dropped unseen.
        {{"-f", "json", "-0", "cat"}, "goes with -f paths, not -f json"},
        {{"-0", "--format=text", "cat"}, "goes with -f paths, not -f text"},
        {{"-f", "paths", "-f", "rtf", "-0", "cat"}, "not -f rtf"},
        {{"--remember-all", "--no-index", "cat"}, "ask for opposite things"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const std::string error = parseCommandLine(c.arguments).error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
    EXPECT_TRUE(parseCommandLine({"--help"}).commandLine.help);
    EXPECT_EQ(parseCommandLine({"--help"}).error, "");
    // --version needs no words either.
    EXPECT_TRUE(parseCommandLine({"--version"}).commandLine.version);
    EXPECT_EQ(parseCommandLine({"--version"}).error, "");
}

TEST(CommandLine, WhichFiles) {
    const struct {
        std::vector<std::string> arguments;
        std::vector<std::string> leftOut;
        std::optional<bool> hidden, binary, documentsAsText;
        std::optional<std::uint64_t> largest;
    } cases[] = {
        {{"cat"}, {}, {}, {}, {}, {}},
        {{"--exclude-dir", ".git", "--exclude-dir=build*", "cat"}, {".git", "build*"}, {}, {}, {}, {}},
        {{"--hidden", "--binary", "--raw", "cat"}, {}, true, true, false, {}},
        {{"--max-filesize", "500", "cat"}, {}, {}, {}, {}, 500},
        {{"--max-filesize=64K", "cat"}, {}, {}, {}, {}, 64 * 1024},
        {{"--max-filesize", "10M", "cat"}, {}, {}, {}, {}, 10u << 20},
        {{"--max-filesize", "2g", "cat"}, {}, {}, {}, {}, 2ull << 30},
        {{"--max-filesize", "0", "cat"}, {}, {}, {}, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const ParsedCommandLine parsed = parseCommandLine(c.arguments);
        ASSERT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.commandLine.leftOutFolders, c.leftOut);
        EXPECT_EQ(parsed.commandLine.hiddenIncluded, c.hidden);
        EXPECT_EQ(parsed.commandLine.binaryIncluded, c.binary);
        EXPECT_EQ(parsed.commandLine.documentsAsText, c.documentsAsText);
        EXPECT_EQ(parsed.commandLine.largestFileSize, c.largest);
    }
    for (const std::vector<std::string>& refused :
         {std::vector<std::string>{"--max-filesize", "10MB", "cat"}, {"--max-filesize", "-1", "cat"},
          {"--max-filesize", "20000000000G", "cat"}, {"--max-filesize", "", "cat"},
          {"--exclude-dir=", "cat"}, {"--hidden=yes", "cat"}}) {
        SCOPED_TRACE(testing::PrintToString(refused));
        EXPECT_NE(parseCommandLine(refused).error, "");
    }
}

TEST(CommandLine, NulEndedOutputIsPaths) {
    const struct {
        std::vector<std::string> arguments;
        OutputFormat format;
        bool nul;
    } cases[] = {
        {{"cat"}, OutputFormat::Text, false},
        {{"-0", "cat"}, OutputFormat::Paths, true},
        {{"-l0", "cat"}, OutputFormat::Paths, true},
        {{"-0", "-f", "paths", "cat"}, OutputFormat::Paths, true},
        {{"-f", "json", "-f", "paths", "--null", "cat"}, OutputFormat::Paths, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const ParsedCommandLine parsed = parseCommandLine(c.arguments);
        ASSERT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.commandLine.format, c.format);
        EXPECT_EQ(parsed.commandLine.nulSeparated, c.nul);
    }
}

// The table is what --help, the manual page and the completions offer: the
// parser must take every name there, and every value they offer.
TEST(CommandLine, TakesEveryOptionOfTheTable) {
    std::set<std::string> names;
    for (const CommandOption& option : commandOptions()) {
        EXPECT_TRUE(names.insert("--" + std::string(option.longName)).second) << option.longName << " twice";
        if (option.shortName) {
            EXPECT_TRUE(names.insert(std::string("-") + option.shortName).second) << option.shortName << " twice";
        }
        std::vector<std::string> values = {"10"};
        if (option.completion == ValueCompletion::Choice) {
            values.clear();
            for (std::size_t start = 0; start < option.choices.size();) {
                const std::size_t end = std::min(option.choices.find(' ', start), option.choices.size());
                values.emplace_back(option.choices.substr(start, end - start));
                start = end + 1;
            }
        }
        for (const std::string& value : values) {
            std::vector<std::vector<std::string>> spellings = {{"--" + std::string(option.longName)}};
            if (option.shortName) spellings.push_back({std::string("-") + option.shortName});
            for (std::vector<std::string> arguments : spellings) {
                if (option.takesValue()) arguments.push_back(value);
                arguments.push_back("cat");
                SCOPED_TRACE(testing::PrintToString(arguments));
                ParsedCommandLine parsed;
                ASSERT_NO_THROW(parsed = parseCommandLine(arguments));
                EXPECT_EQ(parsed.error.find("unknown option"), std::string::npos) << parsed.error;
                if (option.completion == ValueCompletion::Choice) {
                    EXPECT_EQ(parsed.error, "");
                }
            }
        }
    }
}

}  // namespace
}  // namespace tessaly::cli
