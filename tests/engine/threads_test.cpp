// Searches from several threads at once give the same answers as one by one.
#include <gtest/gtest.h>

#include <thread>

#include "engine_harness.h"

namespace tessaly::test {
namespace {

TEST(Threads, OverlappingCallsAgreeWithSequentialOnes) {
    TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 8; ++i) {
        std::string text;
        for (int line = 0; line < 2000 + i * 5000; ++line)
            text += "line " + std::to_string(line) + (line % (7 + i) == 0 ? " needle" : " hay") + "\r\n";
        paths.push_back(dir.write("f" + std::to_string(i) + ".txt", text));
    }
    auto call = words({"needle", "line"}, {AND, AND, AND});
    std::vector<SearchOutcome> expected;
    for (const auto& path : paths) expected.push_back(callSearch(path, call));

    std::vector<std::thread> threads;
    std::vector<int> mismatches(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 10; ++round)
                for (std::size_t i = 0; i < paths.size(); ++i) {
                    const auto outcome = callSearch(paths[(i + t) % paths.size()], call);
                    const auto& want = expected[(i + t) % paths.size()];
                    if (outcome.length != want.length || outcome.result != want.result) ++mismatches[t];
                }
        });
    }
    for (auto& thread : threads) thread.join();
    for (int t = 0; t < 4; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

}  // namespace
}  // namespace tessaly::test
