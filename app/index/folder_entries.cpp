#include "index/folder_entries.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tessaly {

namespace {

// A different number on a machine of the other byte order, where the
// packed values are not read but refused.
constexpr std::uint32_t kMark = 0x45467954;  // "TyFE"
constexpr std::size_t kHeaderBytes = 8;      // mark, count
// id, device, inode, size, modified, changed, recorded, used; read_as,
// document text kept; where the name ends.
constexpr std::size_t kRecordBytes = 8 * 8 + 2 + 4;

template <typename T>
void put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T>
T get(const char* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::uint32_t nameEndOf(const char* record) { return get<std::uint32_t>(record + kRecordBytes - 4); }

}  // namespace

FolderEntries::FolderEntries(std::vector<std::pair<std::string, IndexedFile>> entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const auto& a, const auto& b) { return a.first == b.first; }),
                  entries.end());
    count_ = entries.size();
    namesAt_ = kHeaderBytes + count_ * kRecordBytes;
    std::size_t namesBytes = 0;
    for (const auto& entry : entries) namesBytes += entry.first.size();
    packed_.reserve(namesAt_ + namesBytes);
    put(packed_, kMark);
    put(packed_, static_cast<std::uint32_t>(count_));
    std::uint32_t nameEnd = 0;
    for (const auto& [name, file] : entries) {
        put(packed_, file.id);
        put(packed_, file.version.device);
        put(packed_, file.version.inode);
        put(packed_, file.version.size);
        put(packed_, file.version.modifiedNanoseconds);
        put(packed_, file.version.changedNanoseconds);
        put(packed_, file.recordedNanoseconds);
        put(packed_, file.usedNanoseconds);
        put(packed_, static_cast<std::uint8_t>(file.readAs));
        put(packed_, static_cast<std::uint8_t>(file.hasDocumentText));
        nameEnd += static_cast<std::uint32_t>(name.size());
        put(packed_, nameEnd);
    }
    for (const auto& entry : entries) packed_ += entry.first;
}

std::optional<FolderEntries> FolderEntries::unpack(std::string packed) {
    if (packed.size() < kHeaderBytes || get<std::uint32_t>(packed.data()) != kMark) return std::nullopt;
    FolderEntries entries;
    entries.count_ = get<std::uint32_t>(packed.data() + 4);
    if (entries.count_ > (packed.size() - kHeaderBytes) / kRecordBytes) return std::nullopt;
    entries.namesAt_ = kHeaderBytes + entries.count_ * kRecordBytes;
    // Names that end in order, the last at the end of the value: every name
    // then lies inside it. Their byte order is not checked: out of order, a
    // name is only not found, and its file is read.
    std::uint32_t previousEnd = 0;
    for (std::size_t i = 0; i < entries.count_; ++i) {
        const char* record = packed.data() + kHeaderBytes + i * kRecordBytes;
        const std::uint32_t end = nameEndOf(record);
        if (end < previousEnd || static_cast<std::uint8_t>(record[64]) > static_cast<std::uint8_t>(ReadAs::binary))
            return std::nullopt;
        previousEnd = end;
    }
    if (entries.namesAt_ + previousEnd != packed.size()) return std::nullopt;
    entries.packed_ = std::move(packed);
    return entries;
}

std::string_view FolderEntries::nameAt(std::size_t index) const {
    const char* records = packed_.data() + kHeaderBytes;
    const std::uint32_t begin = index == 0 ? 0 : nameEndOf(records + (index - 1) * kRecordBytes);
    const std::uint32_t end = nameEndOf(records + index * kRecordBytes);
    return std::string_view(packed_).substr(namesAt_ + begin, end - begin);
}

IndexedFile FolderEntries::entryAt(std::size_t index) const {
    const char* record = packed_.data() + kHeaderBytes + index * kRecordBytes;
    IndexedFile file;
    file.id = get<std::int64_t>(record);
    file.version.device = get<std::uint64_t>(record + 8);
    file.version.inode = get<std::uint64_t>(record + 16);
    file.version.size = get<std::uint64_t>(record + 24);
    file.version.modifiedNanoseconds = get<std::int64_t>(record + 32);
    file.version.changedNanoseconds = get<std::int64_t>(record + 40);
    file.recordedNanoseconds = get<std::int64_t>(record + 48);
    file.usedNanoseconds = get<std::int64_t>(record + 56);
    file.readAs = static_cast<ReadAs>(record[64]);
    file.hasDocumentText = record[65] != 0;
    return file;
}

std::optional<IndexedFile> FolderEntries::find(std::string_view name) const {
    std::size_t next = count_;
    return find(name, next);
}

std::optional<IndexedFile> FolderEntries::find(std::string_view name, std::size_t& next) const {
    if (next < count_ && nameAt(next) == name) return entryAt(next++);
    std::size_t low = 0;
    std::size_t high = count_;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const int order = nameAt(middle).compare(name);
        if (order == 0) {
            next = middle + 1;
            return entryAt(middle);
        }
        if (order < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return std::nullopt;
}

}  // namespace tessaly
