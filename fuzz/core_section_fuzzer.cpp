// Random bytes as a section file through the listing, the reader and the
// writers. What is read under a name must survive being written back under
// that name, no other section may change, and removal must leave nothing.
#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "categories/section_file.h"
#include "platform/section_line.h"
#include "platform/blanks.h"

namespace {

using namespace tessaly;
using Entries = std::vector<std::string>;

// One folder for the whole run, in memory when the system has it: every
// rewrite is flushed to the disk.
const std::string& workFolder() {
    static const std::string folder = [] {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/tessaly-fuzz-XXXXXX"
                                                            : "/tmp/tessaly-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) abort();
        return pattern;
    }();
    return folder;
}

void check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    abort();
}

void mustSucceed(const Failure& failure) {
    if (!failure) return;
    std::fprintf(stderr, "unexpected failure: %s\n", failure.describe().c_str());
    abort();
}

Entries read(const std::string& path, const std::string& name) {
    Entries entries;
    mustSucceed(readSection(systemFileSystem(), path, name, entries));
    return entries;
}

Entries names(const std::string& path) {
    Entries list;
    mustSucceed(listCategoryNames(systemFileSystem(), path, list));
    return list;
}

// A name read from a header comes back from the header the writers make of it.
bool writesBackAsItself(const std::string& name) {
    const auto header = headerName(headerFor(name));
    return header && *header == name;
}

Entries withoutLaterCopiesOf(const Entries& list, const std::string& name) {
    Entries out;
    bool seen = false;
    for (const std::string& item : list) {
        if (item == name && seen) continue;
        seen |= item == name;
        out.push_back(item);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 8192) return 0;
    FuzzedDataProvider input(data, size);
    const std::string extraName = input.ConsumeRandomLengthString(16);
    Entries extraEntries(input.ConsumeIntegralInRange<int>(0, 4));
    for (std::string& entry : extraEntries) entry = input.ConsumeRandomLengthString(16);
    const std::string file = input.ConsumeRemainingBytesAsString();

    auto& files = systemFileSystem();
    const std::string path = workFolder() + "/tyindex.ini";
    const std::string temporary = workFolder() + "/cattemp.ty~";
    mustSucceed(files.writeAll(path, file));

    const Entries before = names(path);
    Entries distinct = before;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    if (distinct.size() > 6) distinct.resize(6);

    std::vector<Entries> sections;
    for (const std::string& name : distinct) {
        check(name.find(']') == std::string::npos, "a name holds no ]");
        check(trimBlanks(name) == name, "a name is trimmed");
        check(writesBackAsItself(name), "a listed name survives its own header");
        sections.push_back(read(path, name));
        for (const std::string& entry : sections.back()) {
            check(!entry.empty() && trimBlanks(entry) == entry, "entries are trimmed, not blank");
            check(entry.find('\n') == std::string::npos, "entries are single lines");
            check(!isBracketLine(entry), "a bracket line ends a section, never is an entry");
        }
    }

    if (!distinct.empty()) {
        const std::size_t pick = file.size() % distinct.size();
        const std::string& name = distinct[pick];
        const Entries& entries = sections[pick];
        mustSucceed(replaceSection(files, path, temporary, name, entries));

        Entries expected;
        for (const std::string& entry : entries)
            if (entry != name) expected.push_back(entry);
        check(read(path, name) == expected, "written back, a section reads the same");
        check(names(path) == withoutLaterCopiesOf(before, name), "only copies of the name go");
        for (std::size_t i = 0; i < distinct.size(); ++i)
            if (i != pick) check(read(path, distinct[i]) == sections[i], "other sections stay");

        mustSucceed(removeSection(files, path, temporary, name));
        check(read(path, name).empty(), "a removed section reads empty");
        const Entries after = names(path);
        check(std::find(after.begin(), after.end(), name) == after.end(), "removed name gone");
        for (std::size_t i = 0; i < distinct.size(); ++i)
            if (i != pick) check(read(path, distinct[i]) == sections[i], "removal spares others");
    }

    // Any name and any entries: the writers either refuse them or keep the
    // file a file; a clean new section reads back as given.
    const bool clean = writesBackAsItself(extraName) && extraName.find('\n') == std::string::npos &&
                       std::none_of(extraEntries.begin(), extraEntries.end(), [](auto& e) {
                           return e.find_first_of(std::string_view("[]\n\0", 4)) != std::string::npos;
                       });
    const Entries earlier = read(path, extraName);
    const Failure appended = appendSection(files, path, extraName, extraEntries);
    if (clean) {
        mustSucceed(appended);
        Entries expected = earlier;
        for (const std::string& entry : extraEntries) {
            const auto trimmed = trimBlanks(entry);
            if (entry != extraName && !trimmed.empty()) expected.emplace_back(trimmed);
        }
        check(read(path, extraName) == expected, "an appended section continues the list");
        check(names(path).back() == extraName, "an appended section is the last");
    }
    const Failure replaced = replaceSection(files, path, temporary, extraName, extraEntries);
    check(!replaced || replaced.code == code::invalidArgument, "only line breaks and NULs are refused");
    bool found = false;
    mustSucceed(hasSection(files, path, extraName, found));
    check(access(temporary.c_str(), F_OK) != 0, "no temporary file is left behind");
    return 0;
}
