#include "text_words.h"

#include <cstring>

#include "char_class.h"
#include "utf8_writing.h"

namespace tyx12::detail {

namespace {

std::uint64_t hashOf(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a
    for (const char b : bytes) hash = (hash ^ static_cast<unsigned char>(b)) * 0x100000001b3ull;
    return hash ^ (hash >> 29);
}

}  // namespace

void TextWords::take(const Char* characters, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const Char c = characters[i];
        if (c < 0x80) {
            // Most text: a letter, a digit or a boundary, without a table.
            const Char lower = c | 0x20;
            if ((lower >= 'a' && lower <= 'z') || (c >= '0' && c <= '9')) {
                const Char folded = c >= 'A' && c <= 'Z' ? lower : c;
                if (length_ < kKeptCharacters) start_.push_back(static_cast<char>(folded));
                end_[length_ % kKeptCharacters] = folded;
                ++length_;
            } else if (length_ > 0) {
                endWord();
            }
            continue;
        }
        if (!isWordChar(c)) {
            if (length_ > 0) endWord();
            continue;
        }
        const Char folded = simpleFold(c);
        if (length_ < kKeptCharacters) appendUtf8(start_, folded);
        end_[length_ % kKeptCharacters] = folded;
        ++length_;
    }
}

void TextWords::restart() {
    start_.clear();
    length_ = 0;
    complete_ = false;
}

void TextWords::finish() {
    endWord();
    complete_ = true;
}

void TextWords::endWord() {
    if (length_ == 0) return;
    const std::size_t mark = arena_.size();
    arena_ += start_;
    const std::size_t startBytes = start_.size();
    // A long word's end differs from its start: kept after it, in order.
    if (length_ > kKeptCharacters)
        for (std::size_t i = length_ - kKeptCharacters; i < length_; ++i)
            appendUtf8(arena_, end_[i % kKeptCharacters]);
    start_.clear();
    length_ = 0;
    const std::string_view word(arena_.data() + mark, arena_.size() - mark);
    const std::uint64_t hash = hashOf(word);

    if (table_.empty()) table_.assign(1024, 0);
    const std::size_t mask = table_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = table_[slot];
        if (held == 0) break;
        const Entry& entry = entries_[held - 1];
        if (entry.hash == hash && entry.length + entry.endLength == word.size() && entry.length == startBytes &&
            std::memcmp(arena_.data() + entry.start, word.data(), word.size()) == 0) {
            arena_.resize(mark);  // seen before
            return;
        }
    }
    entries_.push_back({static_cast<std::uint32_t>(mark), static_cast<std::uint32_t>(startBytes),
                        static_cast<std::uint32_t>(word.size() - startBytes), hash});
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
