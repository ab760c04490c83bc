#include "query.h"

#include <cstring>
#include <string>
#include <string_view>

#include "char_class.h"

namespace tyx12::detail {

Link linkFromCode(std::int32_t code) {
    switch (code) {
    case 211: return Link::Or;
    case 212: return Link::Not;
    case 213: return Link::Nearby;
    default: return Link::And;
    }
}

bool Query::anyPresent() const {
    for (const auto& slot : slots)
        if (slot.present) return true;
    return false;
}

bool Query::anyLink(Link link) const {
    for (Link l : links)
        if (l == link) return true;
    return false;
}

Query makeQuery(const std::array<char*, kWordSlots>& buffers,
                const std::array<std::int32_t, kWordSlots - 1>& codes, bool fold) {
    Query query;
    for (int i = 0; i < kWordSlots; ++i) {
        WordSlot& slot = query.slots[i];
        slot.buffer = buffers[i];
        // An empty word is treated like a missing one: there is nothing to find.
        slot.present = buffers[i] && buffers[i][0] != '\0';
        if (slot.present) slot.word = SearchWord(std::string_view(buffers[i]), fold);
    }
    for (int i = 0; i < kWordSlots - 1; ++i) query.links[i] = linkFromCode(codes[i]);
    return query;
}

Query& threadQuery(const std::array<char*, kWordSlots>& buffers,
                   const std::array<std::int32_t, kWordSlots - 1>& codes, bool fold) {
    struct Kept {
        bool made = false;
        bool fold = false;
        std::array<std::int32_t, kWordSlots - 1> codes{};
        std::array<std::string, kWordSlots> words;  // empty for a missing word
        Query query;
    };
    thread_local Kept kept;
    bool same = kept.made && kept.fold == fold && kept.codes == codes;
    for (int i = 0; same && i < kWordSlots; ++i)
        same = kept.words[i] == (buffers[i] ? std::string_view(buffers[i]) : std::string_view());
    if (!same) {
        kept.query = makeQuery(buffers, codes, fold);
        kept.made = true;
        kept.fold = fold;
        kept.codes = codes;
        for (int i = 0; i < kWordSlots; ++i) kept.words[i].assign(buffers[i] ? buffers[i] : "");
        return kept.query;
    }
    // What a search changes in its query: where the words stand, and which
    // of them still take part.
    for (int i = 0; i < kWordSlots; ++i) {
        WordSlot& slot = kept.query.slots[i];
        slot.buffer = buffers[i];
        slot.present = !kept.words[i].empty();
    }
    return kept.query;
}

void lowerWords(const std::array<char*, kWordSlots>& buffers) {
    for (char* buffer : buffers)
        if (buffer)
            for (char* c = buffer; *c; ++c)
                *c = static_cast<char>(lowerAscii(static_cast<unsigned char>(*c)));
}

void dropExcludedWords(Query& query) {
    for (auto& slot : query.slots)
        if (slot.present && std::strcmp(slot.buffer, kExcludedWordMarker) == 0)
            slot.present = false;
}

}  // namespace tyx12::detail
