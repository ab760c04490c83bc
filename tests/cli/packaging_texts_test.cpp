// The texts installed beside the tessaly command, as the build wrote them:
// --help, the manual page and the completions name the options the parser
// takes, and every file gives the one version.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>

#include "option_table.h"
#include "program_run.h"
#include "tessaly_version.h"
#include "usage_text.h"

namespace tessaly::cli {
namespace {

using Names = std::set<std::string>;

std::string builtFile(const std::string& name) {
    std::ifstream in(std::string(TESSALY_PACKAGING_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Names tableNames() {
    Names names;
    for (const CommandOption& option : commandOptions()) {
        names.insert("--" + std::string(option.longName));
        if (option.shortName) names.insert(std::string("-") + option.shortName);
    }
    return names;
}

// Every match of the pattern's groups, in each line the filter keeps.
template <class Filter>
Names matches(const std::string& text, const std::string& pattern, Filter keep) {
    Names names;
    const std::regex expression(pattern);
    std::istringstream lines(text);
    std::string previous, line;
    for (; std::getline(lines, line); previous = line) {
        if (!keep(previous, line)) continue;
        for (std::sregex_iterator match(line.begin(), line.end(), expression), end; match != end; ++match)
            for (std::size_t group = 1; group < match->size(); ++group)
                if ((*match)[group].matched) names.insert((*match)[group].str());
    }
    return names;
}

const auto everyLine = [](const std::string&, const std::string&) { return true; };

// roff's \- is the hyphen of an option.
std::string manualText() { return std::regex_replace(builtFile("tessaly.1"), std::regex(R"(\\-)"), "-"); }

// A shell script run with the file as its $1.
test::ProgramRun shell(const std::string& script, const std::string& file = {}) {
    return test::runProgram("/bin/sh", {"-c", script, "sh", file});
}

TEST(PackagingTexts, NameTheOptionsOfTheTable) {
    const Names table = tableNames();
    const std::string option = R"((--?[A-Za-z0-9][A-Za-z0-9-]*))";

    // --help: the label column of each option line.
    EXPECT_EQ(matches(usageText(), R"(^  (-\S), (--[a-z0-9-]+)|^      (--[a-z0-9-]+))", everyLine), table);
    // The manual page: the heading line of each entry that names an option.
    const std::string manual = manualText();
    EXPECT_EQ(matches(manual, option, [](const std::string& previous, const std::string& line) {
                  return previous == ".TP" && std::regex_search(line, std::regex(R"(^\.B[RI]? -)"));
              }),
              table);
    // zsh: the {-d,--folder}'[... and '--data-dir[... option descriptions.
    EXPECT_EQ(matches(builtFile("tessaly.zsh"), R"(\{(-\S),(--[a-z0-9-]+)\}'\[|'\*?(--[a-z0-9-]+)\[)", everyLine),
              table);
    // fish: -s and -l of each complete line.
    Names fish = matches(builtFile("tessaly.fish"), R"( -s (\S)| -l ([a-z0-9-]+))", everyLine);
    Names fishOptions;
    for (const std::string& name : fish) fishOptions.insert((name.size() == 1 ? "-" : "--") + name);
    EXPECT_EQ(fishOptions, table);

    // bash, run: what it offers for a word that starts with a dash.
    const std::string bash = std::string(TESSALY_PACKAGING_DIR) + "/tessaly.bash";
    const test::ProgramRun offered = shell(
        "exec bash -c 'source \"$0\"; COMP_WORDS=(tessaly -); COMP_CWORD=1; _tessaly; "
        "printf \"%s\\n\" \"${COMPREPLY[@]}\"' \"$1\"",
        bash);
    ASSERT_EQ(offered.exitStatus, 0) << offered.err;
    EXPECT_EQ(matches(offered.out, "^(.+)$", everyLine), table);
    const test::ProgramRun formats = shell(
        "exec bash -c 'source \"$0\"; COMP_WORDS=(tessaly -f \"\"); COMP_CWORD=2; _tessaly; "
        "printf \"%s \" \"${COMPREPLY[@]}\"' \"$1\"",
        bash);
    EXPECT_EQ(formats.out, std::string(optionNamed("format")->choices) + " ") << formats.err;

    // The prose, too, names no option that has gone.
    for (const std::string& text : {usageText(), manual}) {
        const Names mentioned = matches(text, R"((?:^|[^A-Za-z0-9-])(--[a-z][a-z0-9-]*))", everyLine);
        for (const std::string& name : mentioned) EXPECT_TRUE(table.contains(name)) << name << " is no option";
    }
}

// A syntax error in a completion shows only when someone presses Tab.
TEST(PackagingTexts, CompletionsAreScriptsTheirShellsRead) {
    const struct {
        std::string shell;
        std::string check;
        std::string file;
    } cases[] = {
        {"bash", "bash -n \"$1\"", "tessaly.bash"},
        {"zsh", "zsh -n \"$1\"", "tessaly.zsh"},
        {"fish", "fish --no-execute \"$1\"", "tessaly.fish"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shell);
        if (shell("command -v " + c.shell).exitStatus != 0) {
            std::cout << c.shell << " is not installed: its completion is not checked\n";
            continue;
        }
        const test::ProgramRun run = shell(c.check, std::string(TESSALY_PACKAGING_DIR) + "/" + c.file);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
    }
}

TEST(PackagingTexts, GiveTheProgramsVersion) {
    const std::string version = kProgramVersion;
    EXPECT_TRUE(std::regex_match(version, std::regex(R"(\d+\.\d+\.\d+)"))) << version;
    for (const std::string& page : {builtFile("tessaly.1"), builtFile("tessalyw.1")})
        EXPECT_NE(page.find("\"Tessaly " + version + "\""), std::string::npos) << page.substr(0, 80);
    EXPECT_NE(builtFile("io.github.tessaly.Tessaly.metainfo.xml").find("<release version=\"" + version + "\""),
              std::string::npos);
    const test::ProgramRun run = test::runProgram(TESSALY_PROGRAM, {"--version"});
    EXPECT_EQ(run.out, "tessaly " + version + "\n");
}

}  // namespace
}  // namespace tessaly::cli
