#include "text_words.h"

#include <cstring>

#include "char_class.h"
#include "utf8_writing.h"

namespace tyx12::detail {

namespace {

bool sameBytes(const char* a, const char* b, std::size_t count) {
    if (count > 16) return std::memcmp(a, b, count) == 0;
    for (std::size_t i = 0; i < count; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

}  // namespace

std::uint64_t TextWords::hashOn(std::uint64_t hash, const char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) hash = (hash ^ static_cast<unsigned char>(bytes[i])) * kHashPrime;
    return hash;
}

void TextWords::take(const Char* characters, std::size_t count) {
    // The word's state in locals: kept in members, each character would be
    // stored back to memory, as the start's bytes might alias them.
    std::size_t length = length_;
    std::size_t startBytes = startBytes_;
    std::uint64_t hash = startHash_;
    for (std::size_t i = 0; i < count; ++i) {
        const Char c = characters[i];
        Char folded;
        if (c < 0x80) {
            // Most text: a letter, a digit or a boundary, without a table.
            const Char lower = c | 0x20;
            if ((lower >= 'a' && lower <= 'z') || (c >= '0' && c <= '9')) {
                folded = c >= 'A' && c <= 'Z' ? lower : c;
                if (length < kKeptCharacters) {
                    start_[startBytes++] = static_cast<char>(folded);
                    hash = (hash ^ folded) * kHashPrime;
                }
            } else {
                if (length > 0) endWord(length, startBytes, hash);
                length = startBytes = 0;
                hash = kHashBasis;
                continue;
            }
        } else if (isWordChar(c)) {
            folded = simpleFold(c);
            if (length < kKeptCharacters) {
                const std::size_t bytes = encodeUtf8(folded, start_ + startBytes);
                hash = hashOn(hash, start_ + startBytes, bytes);
                startBytes += bytes;
            }
        } else {
            if (length > 0) endWord(length, startBytes, hash);
            length = startBytes = 0;
            hash = kHashBasis;
            continue;
        }
        end_[length % kKeptCharacters] = folded;
        ++length;
    }
    length_ = length;
    startBytes_ = startBytes;
    startHash_ = hash;
}

void TextWords::restart() {
    startBytes_ = 0;
    startHash_ = kHashBasis;
    length_ = 0;
    complete_ = false;
}

void TextWords::finish() {
    endWord(length_, startBytes_, startHash_);
    length_ = startBytes_ = 0;
    startHash_ = kHashBasis;
    complete_ = true;
}

void TextWords::endWord(std::size_t length, std::size_t startBytes, std::uint64_t startHash) {
    if (length == 0) return;
    const std::string_view start(start_, startBytes);
    std::string_view word = start;
    // A long word's end differs from its start: kept after it, in order.
    if (length > kKeptCharacters) {
        std::memcpy(longWord_, start_, startBytes);
        std::size_t bytes = startBytes;
        for (std::size_t i = length - kKeptCharacters; i < length; ++i)
            bytes += encodeUtf8(end_[i % kKeptCharacters], longWord_ + bytes);
        word = {longWord_, bytes};
        startHash = hashOn(startHash, longWord_ + startBytes, bytes - startBytes);
    }
    const std::uint64_t hash = startHash ^ (startHash >> 29);

    if (table_.empty()) table_.assign(1024, 0);
    const std::size_t mask = table_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = table_[slot];
        if (held == 0) break;
        const Entry& entry = entries_[held - 1];
        if (entry.hash == hash && entry.length + entry.endLength == word.size() && entry.length == start.size() &&
            sameBytes(arena_.data() + entry.start, word.data(), word.size()))
            return;  // seen before
    }
    entries_.push_back({static_cast<std::uint32_t>(arena_.size()), static_cast<std::uint32_t>(start.size()),
                        static_cast<std::uint32_t>(word.size() - start.size()), hash});
    arena_ += word;
    insert(hash);
}

void TextWords::insert(std::uint64_t hash) {
    if (2 * entries_.size() > table_.size()) return grow();
    const std::size_t mask = table_.size() - 1;
    std::size_t slot = hash & mask;
    while (table_[slot] != 0) slot = (slot + 1) & mask;
    table_[slot] = static_cast<std::uint32_t>(entries_.size());
}

void TextWords::grow() {
    table_.assign(table_.size() * 2, 0);
    const std::size_t mask = table_.size() - 1;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        std::size_t slot = entries_[i].hash & mask;
        while (table_[slot] != 0) slot = (slot + 1) & mask;
        table_[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

void TextWords::reversedEnd(const Entry& entry, std::string& out) const {
    // The end is the start for a word no longer than what is kept.
    const char* bytes = arena_.data() + entry.start + (entry.endLength ? entry.length : 0);
    const std::size_t length = entry.endLength ? entry.endLength : entry.length;
    out.clear();
    // Whole characters in reverse order: a UTF-8 sequence stays as it is.
    std::size_t end = length;
    while (end > 0) {
        std::size_t start = end - 1;
        while (start > 0 && (static_cast<unsigned char>(bytes[start]) & 0xC0) == 0x80) --start;
        out.append(bytes + start, end - start);
        end = start;
    }
}

}  // namespace tyx12::detail
