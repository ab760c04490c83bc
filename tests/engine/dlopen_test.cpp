// The library as the program loads it: by name, two C symbols for every
// caller and the search run's own entry, and no others.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <set>

#include "engine_harness.h"
#include "tyx12/open_file_search.h"

namespace tessaly::test {
namespace {

using SearchFn = decltype(&stringSearch);
using ViewFn = decltype(&stringView);

TEST(Library, LoadsByNameAndAnswersThroughBothExports) {
    void* library = dlopen(TYX12_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto search = reinterpret_cast<SearchFn>(dlsym(library, "stringSearch"));
    auto view = reinterpret_cast<ViewFn>(dlsym(library, "stringView"));
    ASSERT_NE(search, nullptr);
    ASSERT_NE(view, nullptr);

    TempDir dir;
    const std::string path = dir.write("a.txt", "Find The Word here");
    char word[] = "WORD";
    std::vector<char> result(kProgramResultBuffer, ' ');
    const auto length = search(path.c_str(), 18, IGNORE_CASE, word, AND, nullptr, AND, nullptr, AND,
                               nullptr, 0, 10, 1, result.data(), 0);
    EXPECT_EQ(std::string(result.data()), lines({"Find The " + hl("Word") + " here"}));
    EXPECT_EQ(length, std::string(result.data()).size());
    EXPECT_STREQ(word, "word");

    // The run's entry answers an open file as the path export answers its name.
    auto searchOpen = reinterpret_cast<decltype(&tyx12SearchOpenFile)>(dlsym(library, "tyx12SearchOpenFile"));
    ASSERT_NE(searchOpen, nullptr);
    const int fd = open(path.c_str(), O_RDONLY);
    char again[] = "WORD";
    std::vector<char> fromOpen(kProgramResultBuffer, ' ');
    EXPECT_EQ(searchOpen(fd, IGNORE_CASE, again, AND, nullptr, AND, nullptr, AND, nullptr, 0, 10, 1,
                         fromOpen.data(), 0),
              length);
    EXPECT_STREQ(fromOpen.data(), result.data());
    EXPECT_NE(fcntl(fd, F_GETFD), -1) << "the caller's descriptor stays open";
    close(fd);
    EXPECT_EQ(searchOpen(-1, IGNORE_CASE, again, AND, nullptr, AND, nullptr, AND, nullptr, 0, 10, 1,
                         fromOpen.data(), 0),
              0u);

    std::vector<char> body(18 + TYX12_VIEW_EXTRA_CAPACITY);
    EXPECT_EQ(view(path.c_str(), 18, body.data()), 1);
    EXPECT_STREQ(body.data(), "Find The Word here");
    dlclose(library);
}

TEST(Library, ExportsTheTwoFunctionsAndTheRunsOwnEntries) {
    const std::string command = std::string("nm -D --defined-only ") + TYX12_LIBRARY_PATH;
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> functions;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        char address[64], type[8], name[400];
        if (std::sscanf(line, "%63s %7s %399s", address, type, name) == 3 &&
            (type[0] == 'T' || type[0] == 'W' || type[0] == 'i'))
            functions.insert(name);
    }
    ASSERT_EQ(pclose(pipe), 0) << "nm must be available";
    EXPECT_EQ(functions, (std::set<std::string>{"stringSearch", "stringView", "tyx12SearchOpenFile", "tyx12SearchHeld", "tyx12SearchGrowing", "tyx12ViewText", "tyx12ViewOpenFile", "tyx12ViewHeldText", "tyx12LastReadError", "tyx12SearchHitWords", "tyx12IndexTerms", "tyx12CouldMatch", "tyx12SearchGatheringWords"}));
}

}  // namespace
}  // namespace tessaly::test
