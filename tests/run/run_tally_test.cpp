#include "run/run_tally.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(RunTally, CountsMatchesAndEndsTheRunAsItShould) {
    RunTally tally(true);
    EXPECT_FALSE(tally.add(0).matched);
    auto first = tally.add(120);
    EXPECT_TRUE(first.matched);
    EXPECT_EQ(first.fileCount, 1);
    auto overflow = tally.add(60000);
    EXPECT_TRUE(overflow.matched);
    EXPECT_TRUE(overflow.tooManyHits) << "the note goes into this file's entry";
    EXPECT_EQ(tally.end(), RunEnd::Completed) << "the note was written, so the run completed";
    tally.stop();
    EXPECT_EQ(tally.end(), RunEnd::Stopped);
    EXPECT_EQ(statusSentence(tally.end()), "Search was stopped before its completion!");
}

TEST(RunTally, TheFileLimitInNameAndTextOnly) {
    for (std::uint32_t lastLength : {100u, 60000u}) {
        RunTally tally(true);
        for (int i = 0; i < kFileLimit; ++i) ASSERT_TRUE(tally.add(10).matched);
        const auto past = tally.add(lastLength);
        EXPECT_FALSE(past.matched);
        EXPECT_TRUE(past.limitReached);
        EXPECT_TRUE(tally.finished());
        EXPECT_EQ(tally.fileCount(), kFileLimit + 1);
        // A long result on the file past the limit was never written: it wins.
        EXPECT_EQ(statusSentence(tally.end()),
                  lastLength > 51200 ? "Too many hits. Please refine current search text!"
                                     : "Too many files found! Please refine current index!");
    }
    RunTally namesOnly(false);
    for (int i = 0; i <= kFileLimit; ++i) ASSERT_TRUE(namesOnly.add(10).matched);
    EXPECT_EQ(namesOnly.end(), RunEnd::Completed);
    EXPECT_EQ(statusSentence(namesOnly.end()), "Search has completed!");
}

}  // namespace
}  // namespace tessaly
