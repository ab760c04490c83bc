#include "index/racy_timestamps.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

constexpr std::int64_t kSecond = 1'000'000'000;
constexpr std::int64_t kRecorded = 1'700'000'000 * kSecond;

TEST(RacyTimestamps, AFileIsProvenUnchangedOnlyWhenItsTimesLieWellBeforeTheRecording) {
    FileVersion settled{1, 2, 300, kRecorded - 10 * kSecond, kRecorded - 10 * kSecond};
    const IndexedFile recorded{7, settled, ReadAs::text, kRecorded, false};
    struct Case {
        const char* what;
        void (*change)(FileVersion&);
        bool proven;
    };
    const Case cases[] = {
        {"unchanged, times well behind", [](FileVersion&) {}, true},
        {"other size", [](FileVersion& v) { v.size += 1; }, false},
        {"other inode (replaced)", [](FileVersion& v) { v.inode += 1; }, false},
        {"other device", [](FileVersion& v) { v.device += 1; }, false},
        {"other modification time", [](FileVersion& v) { v.modifiedNanoseconds += 1; }, false},
        {"other change time", [](FileVersion& v) { v.changedNanoseconds += 1; }, false},
    };
    for (const Case& c : cases) {
        FileVersion now = settled;
        c.change(now);
        EXPECT_EQ(provenUnchanged(recorded, now), c.proven) << c.what;
    }

    // The same version on both sides, with its times near the recording.
    const struct {
        const char* what;
        std::int64_t modified, changed;
        bool proven;
    } racy[] = {
        {"modified just past the granularity before", kRecorded - 2 * kSecond - 1,
         kRecorded - 3 * kSecond, true},
        {"modified exactly the granularity before", kRecorded - 2 * kSecond,
         kRecorded - 3 * kSecond, false},
        {"modified within the same second", kRecorded - kSecond / 2, kRecorded - 3 * kSecond,
         false},
        {"status changed within the granularity", kRecorded - 3 * kSecond, kRecorded - kSecond,
         false},
        {"modified after the recording began", kRecorded + kSecond, kRecorded + kSecond, false},
        {"times in the future", kRecorded + 3600 * kSecond, kRecorded + 3600 * kSecond, false},
    };
    for (const auto& c : racy) {
        IndexedFile entry = recorded;
        entry.version.modifiedNanoseconds = c.modified;
        entry.version.changedNanoseconds = c.changed;
        EXPECT_EQ(provenUnchanged(entry, entry.version), c.proven) << c.what;
    }
}

}  // namespace
}  // namespace tessaly
