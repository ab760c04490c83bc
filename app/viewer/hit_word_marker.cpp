#include "viewer/hit_word_marker.h"

namespace tessaly {

namespace {

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

HitWordMarker::HitWordMarker(std::vector<TextSpan> places) : places_(std::move(places)) {}

bool HitWordMarker::reach(std::u16string_view text, std::size_t character) {
    while (character_ < character) {
        if (unit_ >= text.size()) return false;
        std::size_t units = 1;
        if (isHighSurrogate(text[unit_])) {
            if (unit_ + 1 >= text.size()) return false;  // its second half is still to come
            units = 2;
        }
        unit_ += units;
        ++character_;
    }
    return unit_ <= text.size();
}

std::vector<TextSpan> HitWordMarker::advance(std::u16string_view text, bool whole) {
    std::vector<TextSpan> marks;
    while (next_ < places_.size()) {
        const TextSpan place = places_[next_];
        if (!reach(text, place.start)) break;
        const std::size_t start = unit_;
        // The word's end is reached without moving the cursor past it for
        // good: the next word may start right behind it.
        const std::size_t savedCharacter = character_, savedUnit = unit_;
        if (!reach(text, place.start + place.length)) {
            character_ = savedCharacter;
            unit_ = savedUnit;
            break;
        }
        marks.push_back({start, unit_ - start});
        ++next_;
    }
    // A text that is whole and ends before a place never reaches it.
    if (whole) next_ = places_.size();
    return marks;
}

}  // namespace tessaly
