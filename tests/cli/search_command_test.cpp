// The tessaly command end to end, as a script runs it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "command_line.h"
#include "index/racy_timestamps.h"
#include "document_files.h"
#include "hostile_documents.h"
#include "platform/rtf_reader.h"
#include "platform/file_system.h"
#include "program_run.h"
#include "search_command.h"
#include "temp_dir.h"

namespace tessaly::test {
namespace {

ProgramRun tessaly(const std::vector<std::string>& arguments, const std::string& folder = {}) {
    return runProgram(TESSALY_PROGRAM, arguments, folder);
}

class SearchCommand : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = dir_.path().string();
        dir_.write("docs/alpha.txt", "The quick brown fox\r\njumps over the lazy dog\r\n");
        dir_.write("docs/beta.md", "Another fox with {braces} and back\\slash\n");
        dir_.write("docs/sub/gamma.txt", "a fox in a subfolder\n");
        dir_.write("docs/.hidden.txt", "a hidden fox\n");
        dir_.write("docs/tool.exe", "fox inside a program\n");
        dir_.write("docs/empty.txt", "");
        dir_.write("other/delta.txt", "fox and dog together\n");
    }
    std::string docs() const { return root_ + "/docs"; }
    TempDir dir_;
    std::string root_;
};

TEST_F(SearchCommand, PathsAndExitStatus) {
    const struct {
        std::vector<std::string> arguments;
        std::string out;
        int exitStatus;
    } cases[] = {
        {{"-f", "paths", "-d", docs(), "fox"},
         docs() + "/alpha.txt\n" + docs() + "/beta.md\n" + docs() + "/sub/gamma.txt\n", 0},
        {{"-f", "paths", "--no-subfolders", "-d", docs(), "fox"},
         docs() + "/alpha.txt\n" + docs() + "/beta.md\n", 0},
        {{"-f", "paths", "-0", "--no-subfolders", "-d", docs(), "fox"},
         docs() + "/alpha.txt" + std::string(1, '\0') + docs() + "/beta.md" + std::string(1, '\0'), 0},
        {{"-0", "--no-subfolders", "-d", docs(), "fox"},
         docs() + "/alpha.txt" + std::string(1, '\0') + docs() + "/beta.md" + std::string(1, '\0'), 0},
        {{"-f", "rtf", "-0", "-d", docs(), "fox"}, "", 2},
        {{"-f", "paths", "-t", "md", "-d", docs(), "fox"}, docs() + "/beta.md\n", 0},
        {{"-f", "paths", "-b", "gam", "-d", docs(), "fox"}, docs() + "/sub/gamma.txt\n", 0},
        {{"-f", "paths", "-d", docs(), "fox", "NOT", "dog"}, docs() + "/beta.md\n" + docs() + "/sub/gamma.txt\n", 0},
        {{"-f", "paths", "-d", docs(), "-d", root_ + "/other", "fox", "dog"},
         docs() + "/alpha.txt\n" + root_ + "/other/delta.txt\n", 0},
        {{"-f", "paths", "-C", "-d", docs(), "FOX"}, "", 1},
        {{"-f", "paths", "-d", docs(), "zebra"}, "", 1},
        // A file is searched as named, though its extension is left out in folders.
        {{"-f", "paths", "-d", docs() + "/tool.exe", "-d", docs() + "/sub", "fox"},
         docs() + "/tool.exe\n" + docs() + "/sub/gamma.txt\n", 0},
        {{"-f", "paths", "-d", root_ + "/missing", "fox"}, "", 2},
        // Results that cannot be written are a failure, never a match.
        {{"-f", "paths", "-o", "/dev/full", "-d", docs(), "fox"}, "", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const ProgramRun run = tessaly(c.arguments);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.exitStatus, c.exitStatus) << run.err;
    }
}

TEST_F(SearchCommand, TextShowsEntriesAndPlainLines) {
    const ProgramRun run = tessaly({"--color=never", "-d", docs(), "-a", "fox", "OR", "dog"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::string expectedStart = "1. " + docs() + "/alpha.txt   [";
    EXPECT_EQ(run.out.substr(0, expectedStart.size()), expectedStart);
    EXPECT_NE(run.out.find("]\nThe quick brown fox\njumps over the lazy dog\n\n2. "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Another fox with {braces} and back\\slash"), std::string::npos) << run.out;

    const ProgramRun coloured = tessaly({"--color=always", "-d", docs(), "fox"});
    EXPECT_NE(coloured.out.find("brown \x1b[1;31mfox\x1b[0m"), std::string::npos) << coloured.out;
}

TEST_F(SearchCommand, RtfIsOneDocumentTheReaderTakes) {
    const ProgramRun run = tessaly({"-f", "rtf", "-d", docs(), "fox"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out.rfind("{\\rtf1\\ansi", 0), 0u);
    EXPECT_EQ(run.out.find("{\\rtf1", 1), std::string::npos) << "the header comes once";
    long depth = 0;
    for (std::size_t i = 0; i < run.out.size(); ++i) {
        if (run.out[i] == '\\') {
            ++i;
        } else if (run.out[i] == '{') {
            ++depth;
        } else if (run.out[i] == '}') {
            ASSERT_GE(--depth, 0);
        }
    }
    EXPECT_EQ(depth, 0);
    std::string all;
    for (const auto& paragraph : readRtf(run.out)) all += paragraph.text() + "\n";
    EXPECT_NE(all.find("1. " + docs() + "/alpha.txt"), std::string::npos) << all;
    EXPECT_NE(all.find("with {braces} and back\\slash"), std::string::npos) << all;
}

TEST_F(SearchCommand, JsonLinesWithHitSpans) {
    const ProgramRun run = tessaly({"-f", "json", "-d", docs(), "--no-subfolders", "-t", "txt", "lazy"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.out.find("\"number\":1,\"path\":{\"text\":\"" + docs() + "/alpha.txt\"}"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"lines\":[{\"text\":\"jumps over the lazy dog\",\"hits\":[[15,19]]}]"),
              std::string::npos)
        << run.out;
    // The last line sums the run up.
    EXPECT_NE(run.out.find("{\"summary\":{\"searched\":2,\"matched\":1,\"passedOver\":0,\"ruledOutByIndex\":0,\"seconds\":"),
              std::string::npos)
        << run.out;
    // A name that is not UTF-8 comes as its exact bytes.
    dir_.write("r/\xe9", "lazy\n");
    const ProgramRun raw = tessaly({"-f", "json", "-d", "r", "lazy"}, root_);
    EXPECT_NE(raw.out.find("\"path\":{\"bytes\":\""), std::string::npos) << raw.out;
}

TEST_F(SearchCommand, DocumentsAsTheirTextBinaryFilesLeftOut) {
    dir_.write("d/report.pdf", pdfBytes({"The yearly zanzibar report"}));
    dir_.write("d/letter.docx",
               zipBytes({{"[Content_Types].xml", "<Types/>"},
                         {"word/document.xml", "<w:document xmlns:w=\"w\"><w:body><w:p><w:r><w:t>zanz</w:t></w:r>"
                                               "<w:r><w:t>ibar letter</w:t></w:r></w:p></w:body></w:document>"}}));
    dir_.write("d/broken.pdf", "%PDF-1.4\nzanzibar, but no document\n");
    dir_.write("d/data.bin", std::string("zanzibar\0\x01\x02", 11));
    dir_.write("d/notes.txt", "zanzibar in plain text\n");
    const std::string d = root_ + "/d";
    const struct {
        std::vector<std::string> arguments;
        std::string out;
    } cases[] = {
        // The docx splits the word between two runs: only its text shows it whole.
        {{"-f", "paths", "-d", d, "zanzibar"}, d + "/letter.docx\n" + d + "/notes.txt\n" + d + "/report.pdf\n"},
        {{"-f", "paths", "--binary", "-d", d, "zanzibar"},
         d + "/data.bin\n" + d + "/letter.docx\n" + d + "/notes.txt\n" + d + "/report.pdf\n"},
        // As bytes: the docx is compressed, and the broken PDF is no longer passed over.
        {{"-f", "paths", "--raw", "-d", d, "zanzibar"}, d + "/broken.pdf\n" + d + "/notes.txt\n" + d + "/report.pdf\n"},
        // A file named on its own is searched whatever it holds.
        {{"-f", "paths", "-d", d + "/data.bin", "zanzibar"}, d + "/data.bin\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const ProgramRun run = tessaly(c.arguments);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
    }
    // A document that cannot be read is named, as an unreadable file is.
    const ProgramRun run = tessaly({"-f", "paths", "-d", d, "zanzibar"});
    EXPECT_NE(run.err.find("passed over " + d + "/broken.pdf: it is damaged"), std::string::npos) << run.err;
    // The passage comes from the document's text.
    EXPECT_NE(tessaly({"-d", d + "/report.pdf", "zanzibar"}).out.find("The yearly zanzibar report"),
              std::string::npos);
}

// Documents made to hang or exhaust their reader are named and passed over
// within their limits; a word on a first page is found without reading on.
TEST_F(SearchCommand, HostileDocumentsCostOnlyThemselves) {
    std::string firstPage = "needle";
    for (int line = 0; line < 20; ++line) firstPage += "\nthen then then then then then then then then then";
    dir_.write("hostile/first-page.pdf", formChainPdf(firstPage));
    dir_.write("hostile/forms.pdf", formChainPdf());
    dir_.write("hostile/bomb.docx", zipBombDocument(64));
    dir_.write("hostile/plain.txt", "a needle");
    const std::string d = root_ + "/hostile";
    const auto began = std::chrono::steady_clock::now();
    const ProgramRun run = tessaly({"-f", "paths", "--document-time-limit", "1", "-d", d, "needle"});
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(20));
    EXPECT_EQ(run.out, d + "/first-page.pdf\n" + d + "/plain.txt\n");
    EXPECT_NE(run.err.find("passed over " + d + "/forms.pdf: it took too long to read"), std::string::npos) << run.err;
    EXPECT_EQ(run.exitStatus, 0);

    const auto alone = std::chrono::steady_clock::now();
    EXPECT_EQ(tessaly({"-f", "paths", "-d", d + "/first-page.pdf", "needle"}).exitStatus, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - alone, std::chrono::seconds(5));
}

TEST_F(SearchCommand, ThreadsDoNotChangeTheOutput) {
    for (int i = 0; i < 300; ++i)
        dir_.write("many/f" + std::to_string(i) + ".txt", i % 3 ? "hay only\n" : "needle " + std::to_string(i) + "\n");
    const ProgramRun one = tessaly({"-j", "1", "--color=never", "-a", "-d", root_ + "/many", "needle"});
    const ProgramRun four = tessaly({"-j", "4", "--color=never", "-a", "-d", root_ + "/many", "needle"});
    ASSERT_EQ(one.exitStatus, 0) << one.err;
    EXPECT_EQ(one.out, four.out);
    EXPECT_NE(one.out.find("100. "), std::string::npos);
}

TEST_F(SearchCommand, WordsAreCheckedAsInTheWindow) {
    ProgramRun run = tessaly({"-f", "paths", "-d", docs(), "x", "fox"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.err.find("Search of single letter is invalid!"), std::string::npos) << run.err;
    run = tessaly({"-d", docs(), "f*x"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("Only single word with wild card * at beginning or end is supported!"),
              std::string::npos);
    run = tessaly({"-d", docs(), "a"});
    EXPECT_EQ(run.exitStatus, 2) << "nothing is left to search for";
    // No folder named: the current one, written as a plain absolute path.
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"-f", "paths", "--no-subfolders", "fox"},
          std::vector<std::string>{"-f", "paths", "--no-subfolders", "-d", ".", "fox"}}) {
        run = tessaly(arguments, docs());
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, docs() + "/alpha.txt\n" + docs() + "/beta.md\n");
    }
    // Dates as Linux users type them, and days no calendar has.
    EXPECT_EQ(tessaly({"-f", "paths", "--from", "2000-01-31", "-d", docs(), "fox"}).exitStatus, 0);
    EXPECT_EQ(tessaly({"-f", "paths", "--to", "2000-01-31", "-d", docs(), "fox"}).exitStatus, 1);
    run = tessaly({"--from", "2024-02-30", "-d", docs(), "fox"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("is not a date"), std::string::npos) << run.err;
    run = tessaly({"--from", "2024-05-01", "--to", "1/2/2024", "-d", docs(), "fox"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("is later than"), std::string::npos) << run.err;
    // Slips refused with a word: an empty folder name, a star without a word.
    EXPECT_EQ(tessaly({"-d", "", "fox"}, docs()).exitStatus, 2);
    run = tessaly({"-d", docs(), "*"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("a star without a word"), std::string::npos) << run.err;
    // NEARBY without a distance says which it went by.
    run = tessaly({"-f", "paths", "-d", docs(), "quick", "NEARBY", "fox"});
    EXPECT_NE(run.err.find("-n N sets the distance"), std::string::npos) << run.err;
    // -o replaces its file only after a run without an error.
    const std::string saved = dir_.write("out/results.txt", "the old results\n");
    EXPECT_EQ(tessaly({"-f", "paths", "-o", saved, "-d", root_ + "/missing", "fox"}).exitStatus, 2);
    std::ifstream kept(saved);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "the old results\n");
    EXPECT_EQ(tessaly({"-f", "paths", "-o", saved, "--no-subfolders", "-d", docs(), "fox"}).exitStatus, 0);
    std::ifstream replaced(saved);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(replaced), {}),
              docs() + "/alpha.txt\n" + docs() + "/beta.md\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_ + "/out"), {}), 1);
    // A file where a folder belongs is said as the system says it.
    run = tessaly({"-d", docs() + "/alpha.txt/inner", "fox"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("Not a directory"), std::string::npos) << run.err;
    run = tessaly({"-d", docs(), "one", "two", "three", "four", "five"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("more than four words"), std::string::npos);
}

TEST_F(SearchCommand, CategoriesFromTheDataFolder) {
    dir_.write("data/tyindex.ini", "[Work]\r\n" + docs() + "\r\n[Home]\r\n" + root_ + "/other\r\n");
    const std::string data = root_ + "/data";
    ProgramRun run = tessaly({"-f", "paths", "--data-dir", data, "-c", "Home", "fox"});
    EXPECT_EQ(run.out, root_ + "/other/delta.txt\n");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    run = tessaly({"-f", "paths", "-c", "Work", "--no-subfolders", "fox"}, data);
    EXPECT_EQ(run.out, docs() + "/alpha.txt\n" + docs() + "/beta.md\n");
    run = tessaly({"--data-dir", data, "-c", "Play", "fox"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("'Play' has no folders"), std::string::npos) << run.err;
    run = tessaly({"--data-dir", root_ + "/nowhere", "-c", "Work", "fox"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("no category file"), std::string::npos) << run.err;

    // Elsewhere, the Categories the window keeps in the person's data folder.
    dir_.write("xdg/tessaly/tyindex.ini", "[Mine]\r\n" + root_ + "/other\r\n");
    const std::string before = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    ::setenv("XDG_DATA_HOME", (root_ + "/xdg").c_str(), 1);
    run = tessaly({"-f", "paths", "-c", "Mine", "fox"}, docs());
    before.empty() ? ::unsetenv("XDG_DATA_HOME") : ::setenv("XDG_DATA_HOME", before.c_str(), 1);
    EXPECT_EQ(run.out, root_ + "/other/delta.txt\n") << run.err;
}

TEST_F(SearchCommand, TheIndexOfSearchedWordsIsKeptInTheCacheAndCanBeLeftAlone) {
    const std::string before = std::getenv("XDG_CACHE_HOME") ? std::getenv("XDG_CACHE_HOME") : "";
    ::setenv("XDG_CACHE_HOME", (root_ + "/cache").c_str(), 1);
    const ProgramRun unused = tessaly({"--no-index", "-d", docs(), "fox"});
    const ProgramRun empty = tessaly({"--index-info"});
    const ProgramRun used = tessaly({"-d", docs(), "fox"});
    const ProgramRun info = tessaly({"--index-info"});
    before.empty() ? ::unsetenv("XDG_CACHE_HOME") : ::setenv("XDG_CACHE_HOME", before.c_str(), 1);
    EXPECT_EQ(unused.out, used.out);
    EXPECT_NE(empty.out.find("Files covered: 0\n"), std::string::npos) << empty.out << empty.err;
    // The files read whole: all but the hidden one and the empty one.
    EXPECT_NE(info.out.find(root_ + "/cache/tessaly/words.sqlite"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Files covered: 4\n"), std::string::npos) << info.out << info.err;
}

// A search remembers the words of files only as a share of its time allows;
// asked to, it remembers all it reads whole, however many and large.
TEST_F(SearchCommand, RememberAllRecordsEveryFileReadWholeInOneSearch) {
    const std::string line(99, 'x');
    std::string text;
    for (int i = 0; i < 2000; ++i) text += line + " " + std::to_string(i) + "\n";
    for (int i = 0; i < 150; ++i) dir_.write("large/" + std::to_string(i) + ".txt", text);
    const std::string before = std::getenv("XDG_CACHE_HOME") ? std::getenv("XDG_CACHE_HOME") : "";
    const auto covered = [&](const std::string& cache, const std::vector<std::string>& options) {
        ::setenv("XDG_CACHE_HOME", (root_ + "/" + cache).c_str(), 1);
        std::vector<std::string> arguments = options;
        for (const char* argument : {"-d", "large", "absent"}) arguments.push_back(argument);
        arguments[arguments.size() - 2] = root_ + "/large";
        const ProgramRun search = tessaly(arguments);
        EXPECT_EQ(search.err, "");
        const ProgramRun info = tessaly({"--index-info"});
        return info.out.substr(info.out.find("Files covered: "));
    };
    const std::string some = covered("some", {});
    const std::string all = covered("all", {"--remember-all"});
    before.empty() ? ::unsetenv("XDG_CACHE_HOME") : ::setenv("XDG_CACHE_HOME", before.c_str(), 1);
    EXPECT_NE(some, "Files covered: 150\n");
    EXPECT_EQ(all, "Files covered: 150\n");
}

// kill -9 at any moment of a search, while its words are being recorded,
// leaves an index that opens without a word and answers as a scan does.
TEST_F(SearchCommand, ASearchKilledAtAnyMomentLeavesAnIndexThatAnswersAsAScan) {
    const std::string tree = root_ + "/tree";
    for (int i = 0; i < 600; ++i) {
        const std::string name = "tree/" + std::to_string(i % 30) + "/" + std::to_string(i) + ".txt";
        std::string text;
        for (int line = 0; line < 400; ++line)
            text += "word" + std::to_string((i + line) % 97) + " common line of text number " +
                    std::to_string(line) + "\n";
        dir_.write(name, text);
        // Old enough that the index may vouch for the files unread.
        const timespec anHourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        ::utimensat(AT_FDCWD, (root_ + "/" + name).c_str(), anHourAgo, 0);
    }
    // The files' change times are now: the index vouches only for files
    // changed well before their words were taken.
    std::this_thread::sleep_for(std::chrono::nanoseconds(kTimestampGranularityNanoseconds) +
                                std::chrono::milliseconds(100));
    const std::string before = std::getenv("XDG_CACHE_HOME") ? std::getenv("XDG_CACHE_HOME") : "";
    ::setenv("XDG_CACHE_HOME", (root_ + "/cache").c_str(), 1);
    // A run takes a few tens of milliseconds: killed while the index is
    // made, while words are recorded, or not at all.
    for (int killAfterMs = 1; killAfterMs < 40; killAfterMs += 2)
        runProgram(TESSALY_PROGRAM, {"-a", "-d", tree, "word" + std::to_string(killAfterMs % 97)}, {}, killAfterMs);
    const ProgramRun info = tessaly({"--index-info"});
    std::vector<std::pair<ProgramRun, ProgramRun>> answers;
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"word3"}, {"word5", "OR", "word96"}, {"common", "NOT", "word2"}, {"word1*"},
          {"absent"}}) {
        std::vector<std::string> arguments = {"-a", "-d", tree};
        arguments.insert(arguments.end(), words.begin(), words.end());
        std::vector<std::string> scan = arguments;
        scan.insert(scan.begin(), "--no-index");
        answers.emplace_back(tessaly(arguments), tessaly(scan));
    }
    const ProgramRun summary = tessaly({"-f", "json", "-d", tree, "absent"});
    before.empty() ? ::unsetenv("XDG_CACHE_HOME") : ::setenv("XDG_CACHE_HOME", before.c_str(), 1);

    EXPECT_EQ(info.exitStatus, 0) << info.err;
    EXPECT_EQ(info.err, "");
    for (const auto& [indexed, scanned] : answers) {
        EXPECT_EQ(indexed.out, scanned.out);
        EXPECT_EQ(indexed.exitStatus, scanned.exitStatus);
        EXPECT_EQ(indexed.err, "");
    }
    // The index was in use: the killed runs left entries that rule files out.
    EXPECT_EQ(summary.out.find("\"ruledOutByIndex\":0,"), std::string::npos) << summary.out;
    EXPECT_NE(summary.out.find("\"ruledOutByIndex\":"), std::string::npos) << summary.out;
}

// What a terminal shows of a run, the command run in this process with its
// standard output taken for one.
std::string onATerminal(const std::vector<std::string>& arguments) {
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(arguments);
    EXPECT_EQ(parsed.error, "");
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    cli::Terminal terminal;
    terminal.out = out;
    terminal.outIsTerminal = true;
    cli::runSearchCommand(parsed.commandLine, systemFileSystem(), terminal);
    std::fclose(out);
    std::string shown(text, size);
    std::free(text);
    return shown;
}

// A terminal shows the window's list, numbered and dated; a pipe gets what
// grep -l gives, for xargs.
TEST_F(SearchCommand, NamesOnlyAreHeadingsOnATerminalAndBarePathsElsewhere) {
    const std::vector<std::string> arguments = {"--color=never", "-l", "-d", docs(), "--no-subfolders", "fox"};
    const std::string shown = onATerminal(arguments);
    EXPECT_EQ(shown.find("quick brown"), std::string::npos) << shown;
    EXPECT_NE(shown.find("2. " + docs() + "/beta.md   ["), std::string::npos) << shown;

    const ProgramRun piped = tessaly(arguments);
    EXPECT_EQ(piped.exitStatus, 0) << piped.err;
    EXPECT_EQ(piped.out, docs() + "/alpha.txt\n" + docs() + "/beta.md\n");

    const std::string written = root_ + "/names.txt";
    std::vector<std::string> toFile = arguments;
    toFile.insert(toFile.begin(), {"-o", written});
    EXPECT_EQ(tessaly(toFile).exitStatus, 0);
    std::ifstream file(written);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), piped.out);

    // Another format asked for by name is written as asked.
    EXPECT_NE(tessaly({"-f", "json", "-l", "-d", docs(), "fox"}).out.find("{\"number\":1,"), std::string::npos);
}

TEST_F(SearchCommand, WhatIsPassedOverIsCountedOrNamed) {
    ASSERT_EQ(symlink("/", (docs() + "/rootlink").c_str()), 0);
    ASSERT_EQ(mkfifo((docs() + "/pipe").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((docs() + "/x\x1b[2J").c_str(), 0600), 0);
    const ProgramRun counted = tessaly({"-f", "paths", "-d", docs(), "fox"});
    EXPECT_EQ(counted.exitStatus, 0);
    EXPECT_NE(counted.err.find("3 entries passed over on purpose"), std::string::npos) << counted.err;
    const ProgramRun named = tessaly({"-f", "paths", "--passed-over", "-d", docs(), "fox"});
    EXPECT_EQ(named.out, counted.out);
    EXPECT_NE(named.err.find("passed over " + docs() + "/pipe: a named pipe, not opened"), std::string::npos);
    // A name never writes to the terminal of whoever reads the messages.
    EXPECT_NE(named.err.find("/x\\x1b[2J: a named pipe"), std::string::npos) << named.err;
    EXPECT_EQ(named.err.find('\x1b'), std::string::npos);
    EXPECT_NE(named.err.find("passed over " + docs() + "/rootlink: a link to a folder, not followed"),
              std::string::npos)
        << named.err;
}

}  // namespace
}  // namespace tessaly::test
