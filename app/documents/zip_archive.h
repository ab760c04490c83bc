// A zip-packaged document's archive, read entry by entry in chunks, with the
// limits that keep a hostile archive from costing more than its text is worth.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct zip;

namespace tessaly {

enum class EntryRead { read, missing, encrypted, damaged, tooLarge, stopped };

class ZipArchive {
public:
    // Beyond this many entries an archive is not a document we read: the
    // central directory alone would cost more than the text.
    static constexpr std::int64_t kMaxEntries = 100000;

    // Opens the archive that `fd` reads, through a descriptor of its own, so
    // the caller's file position is neither used nor moved. Entries read
    // inflate to at most `maxInflated` bytes in all.
    ZipArchive(int fd, std::uint64_t maxInflated);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Why the archive could not be opened; empty when it was.
    const std::string& problem() const { return problem_; }

    // Entry names in the order the central directory lists them.
    std::vector<std::string> names() const;
    bool contains(std::string_view name) const;

    // Passes the entry's bytes to `chunk` piece by piece until it ends or
    // `chunk` returns false (stopped).
    EntryRead read(std::string_view name, const std::function<bool(std::string_view)>& chunk);

private:
    zip* archive_ = nullptr;
    std::string problem_;
    std::uint64_t inflatedLeft_;
};

}  // namespace tessaly
