// tessalyw's command line, read as the program reads it and run as a shell
// runs it: help, the version and a mistake open no window and leave no data
// folder behind.
#include "shell/qt/window_options.h"

#include <gtest/gtest.h>

#include <QTextStream>
#include <filesystem>

#include "program_run.h"
#include "temp_dir.h"
#include "tessaly_version.h"

namespace tessaly {
namespace {

TEST(WindowOptions, TheDataFolderEitherWay) {
    const struct {
        QStringList arguments;
        QString folder;
    } cases[] = {
        {{"tessalyw"}, ""},
        {{"tessalyw", "--data-dir", "/srv/t"}, "/srv/t"},
        {{"tessalyw", "--data-dir=/srv/t"}, "/srv/t"},
        {{"tessalyw", "--data-dir=data dir"}, "data dir"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        const WindowOptions options = readWindowOptions(c.arguments, outStream, errStream);
        EXPECT_FALSE(options.exitCode);
        EXPECT_EQ(options.dataFolder, c.folder);
        EXPECT_TRUE(out.isEmpty() && err.isEmpty());
    }
}

TEST(WindowOptions, HelpVersionAndMistakesEndBeforeAnythingIsMade) {
    const std::string version = std::string("tessalyw ") + kProgramVersion + "\n";
    const struct {
        std::vector<std::string> arguments;
        int exitStatus;
        const char* out;
        const char* err;
    } cases[] = {
        {{"--help"}, 0, "--data-dir <DIR>", ""},
        {{"-h"}, 0, "--data-dir <DIR>", ""},
        {{"--version"}, 0, version.c_str(), ""},
        {{"--bogus"}, 2, "", "tessalyw: Unknown option 'bogus'.\nTry 'tessalyw --help'"},
        {{"stray"}, 2, "", "tessalyw: unexpected argument 'stray'"},
        {{"--data-dir"}, 2, "", "tessalyw: Missing value after '--data-dir'."},
        {{"--data-dir="}, 2, "", "tessalyw: --data-dir needs a folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        test::TempDir place;
        const std::string data = (place.path() / "data").string();
        std::vector<std::string> arguments = c.arguments;
        // Named first: a mistake after it must still leave nothing behind.
        arguments.insert(arguments.begin(), {"--data-dir", data});
        const test::ProgramRun run = test::runProgram(TESSALYW_PROGRAM, arguments);
        EXPECT_EQ(run.exitStatus, c.exitStatus) << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(data));
    }
}

}  // namespace
}  // namespace tessaly
