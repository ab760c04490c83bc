#include "run/file_filter.h"

#include <gtest/gtest.h>

#include "run/excluded_extensions.h"
#include "run/file_extension.h"
#include "platform/path_join.h"

namespace tessaly {
namespace {

std::time_t localNoon(int year, int month, int day) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = 12;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

DirectoryEntry fileNamed(std::string name, std::time_t modified = localNoon(2003, 3, 7)) {
    DirectoryEntry entry;
    entry.name = std::move(name);
    entry.kind = EntryKind::File;
    entry.modified = modified;
    return entry;
}

TEST(FileFilter, JoinsFolderAndName) {
    const struct {
        const char* folder;
        const char* name;
        const char* path;
    } cases[] = {
        {"/", "name.txt", "/name.txt"},
        {"/Docs", "name.txt", "/Docs/name.txt"},
        {"/Docs/", "name.txt", "/Docs/name.txt"},
        {"/My Docs ", "a{b}\\c", "/My Docs /a{b}\\c"},
    };
    for (const auto& c : cases) EXPECT_EQ(joinPath(c.folder, c.name), c.path);
}

TEST(FileFilter, TakesTheExtensionAfterTheLastDot) {
    const struct {
        const char* name;
        const char* extension;
    } cases[] = {
        {"Report.DOC", "doc"}, {"backup.tar.gz", "gz"}, {".profile", "profile"},
        {"README", ""},        {"name.", ""},           {"notes.TXT  ", "txt"},
        {"a.b c", "b c"},      {"Straße.ÄÖ", "äö"},
    };
    for (const auto& c : cases) EXPECT_EQ(fileExtension(c.name), c.extension) << c.name;
}

TEST(FileFilter, AllFileTypesLeaveOutTheExcludedExtensions) {
    const auto& list = excludedExtensions();
    EXPECT_EQ(list.front(), "exe");
    EXPECT_EQ(list[27], "nav");
    EXPECT_EQ(list.back(), "icm");

    FileFilterOptions all;
    for (std::string_view excluded : list) {
        EXPECT_FALSE(fileTypeAdmits(excluded, all)) << excluded;
        EXPECT_FALSE(filterFile("/d", fileNamed("X." + std::string(excluded)), {}, all).searched);
    }
    for (const char* name : {"SETUP.EXE", "a.Exe  ", "b.tar.ZIP", ".dll"})
        EXPECT_FALSE(filterFile("/d", fileNamed(name), {}, all).searched) << name;
    for (const char* name : {"README", "name.", "x.exes", "x.ex", "zip.txt", "x.\xC3\x89XE", "x.e xe"})
        EXPECT_TRUE(filterFile("/d", fileNamed(name), {}, all).searched) << name;
    for (const char* admitted : {"", "txt", "doc", "ex", "exes", "zi", "gz"}) {
        EXPECT_TRUE(fileTypeAdmits(admitted, all)) << admitted;
    }
}

TEST(FileFilter, ExtensionListIsAPlainSubstringTest) {
    FileFilterOptions listed;
    listed.everyType = false;
    listed.listedTypesOnly = true;
    listed.typeList = "TXT doc";
    const struct {
        const char* extension;
        bool admitted;
    } cases[] = {
        {"txt", true}, {"doc", true},  {"do", true},    {"t", true},       {"xt", true},
        {"", true},    {"pdf", false}, {"docx", false}, {"txtdoc", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileTypeAdmits(c.extension, listed), c.admitted) << c.extension;

    // With neither option the type does not matter, not even for the excluded ones.
    FileFilterOptions neither;
    neither.everyType = false;
    EXPECT_TRUE(fileTypeAdmits("exe", neither));
}

TEST(FileFilter, StartLetters) {
    const struct {
        const char* letters;
        const char* name;
        bool admitted;
    } cases[] = {
        {"re", "Report.doc", true},   {"re", "readme", true},       {"re", "areas.txt", false},
        {"RE", "report.doc", true},   {"", "areas.txt", true},      {"   ", "areas.txt", true},
        {" re ", "Report.doc", true}, {"re", "  readme", true},     {"report.doc", "re", false},
        {"ré", "RÉsumé.txt", true},   {"r", "r\xff\xfe.txt", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.letters << "\" " << c.name);
        EXPECT_EQ(startLettersAdmit(c.name, c.letters), c.admitted);
    }
}

TEST(FileFilter, AppliesDateThenLettersThenType) {
    DateWindow window;
    window.kind = DateWindow::Kind::Between;
    window.from = 20030301;
    window.to = 20030331;
    FileFilterOptions options;
    options.nameStartLetters = "re";

    const struct {
        const char* name;
        std::time_t modified;
        bool searched;
    } cases[] = {
        {"Report.DOC", localNoon(2003, 3, 1), true},
        {"Report.DOC", localNoon(2003, 3, 31), true},
        {"Report.DOC", localNoon(2003, 2, 28), false},
        {"Report.DOC", localNoon(2003, 4, 1), false},
        {"areas.txt", localNoon(2003, 3, 15), false},
        {"readme.exe", localNoon(2003, 3, 15), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FileVerdict verdict =
            filterFile("/Data/Docs", fileNamed(c.name, c.modified), window, options);
        EXPECT_EQ(verdict.searched, c.searched);
        // The path keeps its case, searched or not: a lower-cased one would not open.
        EXPECT_EQ(verdict.path, std::string("/Data/Docs/") + c.name);
    }

    // A file outside the window stays out with any file-type option.
    FileFilterOptions neither;
    neither.everyType = false;
    EXPECT_FALSE(
        filterFile("/", fileNamed("a.txt", localNoon(2002, 1, 1)), window, neither).searched);
}

// The walk passes over a file too large only when the listing told its size;
// one it left unexamined waits for the search to open it.
TEST(FileFilter, LargestSizeWhereTheSizeIsKnown) {
    const struct {
        bool examined;
        std::uint64_t size, largest;
        bool admitted;
    } cases[] = {
        {true, 10, 0, true},   {true, 10, 10, true}, {true, 11, 10, false},
        {false, 11, 10, true}, {true, ~0ull, 0, true},
    };
    for (const auto& c : cases) {
        DirectoryEntry file;
        file.examined = c.examined;
        file.size = c.size;
        EXPECT_EQ(listedSizeAdmits(file, c.largest), c.admitted) << c.size << " of " << c.largest;
    }
}

}  // namespace
}  // namespace tessaly
