#include "query.h"

#include <cstring>
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
