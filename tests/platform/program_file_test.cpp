#include "platform/program_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "scripted_file_system.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

using test::TempDir;

std::string bytesOf(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ProgramFile, TheFileItselfSaysWhetherItIsAProgram) {
    TempDir dir;
    constexpr mode_t plain = 0644, runnable = 0755;
    constexpr auto Program = ProgramVerdict::Program;
    constexpr auto Document = ProgramVerdict::Document;
    struct Case {
        const char* name;
        std::string bytes;
        mode_t mode;
        ProgramVerdict expected;
    };
    const Case cases[] = {
        {"run", "#!/bin/sh\necho hello\n", runnable, Program},
        {"tool", bytesOf("/bin/true"), plain, Program},
        {"invoice.pdf.desktop", "[Desktop Entry]\nType=Application\nExec=sh -c x\n", plain,
         Program},
        {"launcher.desktop", "[Desktop Entry]\nExec=x\n", runnable, Program},
        {"Shortcut.DESKTOP", "anything", plain, Program},
        {"notes.txt", "# made by hand\r\n\r\n  [Desktop Entry] \r\nExec=x\r\n", plain, Program},
        {"script.sh", "#!/usr/bin/env python3\nprint(1)\n", plain, Program},
        {"setup.pdf", std::string("MZ\x90\0\3\0", 6), plain, Program},
        {"report.pdf", "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n", plain, Document},
        {"report-on-a-stick.pdf", "%PDF-1.4\n", runnable, Program},
        {"readme.txt", "Run ./install.sh # as root\n", plain, Document},
        {"quoted.txt", "Put this in a launcher:\n[Desktop Entry]\nExec=x\n", plain, Document},
        {"empty.txt", "", plain, Document},
        {"tool.zip", std::string("PK\3\4\24\0\0\0", 8) + "META-INF/MANIFEST.MF", plain, Program},
        {"app.JAR", "PK\3\4", plain, Program},
        {"setup.msi", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8), plain, Program},
        {"letter.doc", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8), plain, Document},
        {"site.txt", "[InternetShortcut]\r\nURL=file:///tmp/run\r\n", plain, Program},
        {"place.webloc", "<?xml version=\"1.0\"?><plist/>", plain, Program},
        {"book.epub", std::string("PK\3\4\24\0\0\0", 8) + "mimetypeapplication/epub+zipMETA-INF/container.xml",
         plain, Document},
    };
    for (const Case& c : cases) {
        const std::string path = dir.write(c.name, c.bytes);
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
        const ProgramCheck check = checkProgramFile(systemFileSystem(), path);
        EXPECT_EQ(check.verdict, c.expected) << c.name;
        EXPECT_FALSE(check.failure) << c.name;
    }

    // A link is judged by what it leads to, as the opener would open that.
    const auto link = dir.path() / "innocent.pdf";
    std::filesystem::create_symlink(dir.path() / "run", link);
    EXPECT_EQ(checkProgramFile(systemFileSystem(), link.string()).verdict, Program);
}

// A document judged harmless and then swapped for a program, or written to,
// is not the file that was judged.
TEST(ProgramFile, AFileSwappedOrChangedAfterTheCheckIsNotTheOneJudged) {
    TempDir dir;
    const std::string path = dir.write("notes.txt", "plain words\n");
    const ProgramCheck check = checkProgramFile(systemFileSystem(), path);
    ASSERT_EQ(check.verdict, ProgramVerdict::Document);
    EXPECT_TRUE(stillTheFileJudged(systemFileSystem(), path, check));

    const std::string script = dir.write("swap", "#!/bin/sh\necho run\n");
    ASSERT_EQ(::rename(script.c_str(), path.c_str()), 0);
    EXPECT_FALSE(stillTheFileJudged(systemFileSystem(), path, check)) << "swapped";

    const ProgramCheck again = checkProgramFile(systemFileSystem(), path);
    std::ofstream(path, std::ios::app) << "more\n";
    EXPECT_FALSE(stillTheFileJudged(systemFileSystem(), path, again)) << "written to";
}

TEST(ProgramFile, WhatIsNotAReadableFileIsNeverOpened) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder");
    const std::string pipe = (dir.path() / "pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    // A pipe with no writer would keep a reader waiting for ever.
    EXPECT_EQ(checkProgramFile(systemFileSystem(), pipe).verdict, ProgramVerdict::NotAFile);
    EXPECT_EQ(checkProgramFile(systemFileSystem(), (dir.path() / "folder").string()).verdict,
              ProgramVerdict::NotAFile);

    const ProgramCheck gone =
        checkProgramFile(systemFileSystem(), (dir.path() / "gone.txt").string());
    EXPECT_EQ(gone.verdict, ProgramVerdict::Unreadable);
    EXPECT_EQ(gone.failure.code, code::fileNotFound);

    // The tests may run as root, who reads everything: the refusal is scripted.
    const std::string locked = dir.write("locked.txt", "text");
    test::ScriptedFileSystem files;
    files.fail("read", EACCES, locked);
    const ProgramCheck refused = checkProgramFile(files, locked);
    EXPECT_EQ(refused.verdict, ProgramVerdict::Unreadable);
    EXPECT_EQ(refused.failure.code, code::permissionDenied);
}

}  // namespace
}  // namespace tessaly
