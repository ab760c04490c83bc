#include "criteria/settings_record.h"

#include <algorithm>
#include <array>
#include <climits>

#include "platform/blanks.h"

namespace tessaly {

namespace {

// The nearby byte holds the state plus 2; anything else marks a record written
// by an older program, which ends with the month count.
constexpr int nearbyOff = 2;
constexpr int nearbyOn = 3;
constexpr int selected = 255;
constexpr std::size_t longestText = 255;  // what a length byte can say

// Reads fields in order. A field that would reach past the record spoils the
// whole record; the reader notes it and hands out zeros meanwhile.
class RecordReader {
public:
    explicit RecordReader(std::string_view bytes) {
        std::copy_n(bytes.begin(), std::min(bytes.size(), record_.size()), record_.begin());
    }

    int byte() {
        if (position_ >= record_.size()) {
            overrun_ = true;
            return 0;
        }
        return record_[position_++];
    }

    std::string text() {
        const std::size_t length = static_cast<std::size_t>(byte());
        if (overrun_ || length > record_.size() - position_) {
            overrun_ = true;
            return {};
        }
        const auto* first = reinterpret_cast<const char*>(record_.data()) + position_;
        position_ += length;
        return std::string(first, length);
    }

    // Option buttons of one group, one byte each in button order. Selecting a
    // button deselects the others, so the last marked one wins; with none
    // marked, none is selected.
    int lastMarked(int buttons) {
        int chosen = noButton;
        for (int button = 0; button < buttons; ++button) {
            if (byte() != 0) chosen = button;
        }
        return chosen;
    }

    bool overrun() const { return overrun_; }

private:
    std::array<unsigned char, settingsRecordSize> record_{};
    std::size_t position_ = 0;
    bool overrun_ = false;
};

// The leading decimal number of a window size text: blanks, a sign, digits;
// anything after is ignored and a text without digits gives 0. A number
// beyond the integer range is held at its limit.
int leadingNumber(std::string_view text) {
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos) return 0;
    const bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+') ++at;
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = std::min(value * 10 + (text[at] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int windowSize(const std::string& text, int fallback) {
    return text.empty() ? fallback : leadingNumber(text);
}

// Cuts `text` to at most `limit` bytes without splitting a UTF-8 character:
// the cut backs over up to three continuation bytes. Bytes that are not
// UTF-8 are cut where the limit falls.
bool shortenTo(std::string& text, std::size_t limit) {
    if (text.size() <= limit) return false;
    std::size_t cut = limit;
    auto continuation = [&](std::size_t at) {
        return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    };
    for (int back = 0; back < 3 && cut > 0 && continuation(cut); ++back) --cut;
    if (continuation(cut)) cut = limit;
    text.resize(cut);
    return true;
}

struct RecordTexts {
    std::string typeList, dateFrom, dateTo, category, nameStartLetters;
    std::array<std::string, 4> geometry;

    std::size_t size() const {
        // Offsets 0 to 14, the three length bytes before Q, Q to Q+5, and the
        // six length bytes from Q+6 on.
        std::size_t total = 15 + 3 + 6 + 6;
        for (const std::string* text : {&typeList, &dateFrom, &dateTo, &category, &nameStartLetters}) {
            total += text->size();
        }
        for (const std::string& text : geometry) total += text.size();
        return total;
    }
};

// What happens when the texts do not fit the record is the writer's choice:
// the ones the user loses least by go first.
bool fitTexts(RecordTexts& texts) {
    bool shortened = false;
    for (std::string* text :
         {&texts.typeList, &texts.dateFrom, &texts.dateTo, &texts.category, &texts.nameStartLetters}) {
        shortened |= shortenTo(*text, longestText);
    }
    for (std::string* text :
         {&texts.nameStartLetters, &texts.category, &texts.typeList, &texts.dateTo, &texts.dateFrom}) {
        const std::size_t size = texts.size();
        if (size <= settingsRecordSize) break;
        const std::size_t excess = size - settingsRecordSize;
        shortened |= shortenTo(*text, text->size() > excess ? text->size() - excess : 0);
    }
    // A cut can leave a blank at the end of a text that is stored trimmed.
    texts.category = std::string(trimBlanks(texts.category));
    texts.nameStartLetters = std::string(trimBlanks(texts.nameStartLetters));
    return shortened;
}

}  // namespace

namespace {

// A count no control can hold means the record is damaged, as a length past
// its end does: both programs then start from the defaults, with one word.
bool countsInRange(const Options& options) {
    const auto fits = [](int count, int most) { return count >= 1 && count <= most; };
    return fits(options.pastMonths, 12) &&
           (!options.nearbyOn || (fits(options.nearbyWords, 200) && fits(options.nearbySpinValue, 200)));
}

}  // namespace

DecodedSettings decodeSettings(std::string_view bytes, std::chrono::year_month_day today) {
    const Options defaults = defaultOptions(today);
    if (bytes.empty()) return {defaults, RecordState::Empty};

    RecordReader in(bytes);
    Options options = defaults;
    options.matchCase = in.byte() != 0;
    options.searchSubfolders = in.byte() != 0;
    options.smartSearch = in.byte() != 0;
    options.fileTypes = static_cast<FileTypes>(in.lastMarked(2));
    options.showAllHits = showAllHitsOfButton(in.lastMarked(2));
    options.contextWords = contextWordsOfButton(in.lastMarked(3));
    options.dateRule = static_cast<DateRule>(in.lastMarked(3));
    options.display = static_cast<Display>(in.lastMarked(2));
    options.typeList = in.text();
    options.dateFrom = in.text();
    options.dateTo = in.text();
    options.pastMonths = in.byte();

    const int nearbyState = in.byte();
    if (in.overrun()) return {defaults, RecordState::Unreadable};
    // The rest keeps its defaults: nearby off with count 1, Beginning of File,
    // the default window sizes, no Category, no letters.
    if (nearbyState != nearbyOff && nearbyState != nearbyOn) {
        if (!countsInRange(options)) return {defaults, RecordState::Unreadable};
        return {options, RecordState::OlderLayout};
    }

    options.nearbyOn = nearbyState == nearbyOn;
    options.nearbyWords = in.byte();
    options.nearbySpinValue = in.byte();
    const bool fileBeginning = in.byte() != 0;
    const bool foundWord = in.byte() != 0;
    options.viewerStart =
        foundWord && !fileBeginning ? ViewerStart::FoundWord : ViewerStart::FileBeginning;

    WindowGeometry& geometry = options.geometry;
    for (int* value : {&geometry.mainWidth, &geometry.splitterLeft, &geometry.viewerWidth,
                       &geometry.viewerHeight}) {
        *value = windowSize(in.text(), *value);
    }

    // Without a Category the letters after it are not restored.
    options.category = in.text();
    if (!options.category.empty()) options.nameStartLetters = in.text();

    if (in.overrun() || !countsInRange(options)) return {defaults, RecordState::Unreadable};
    return {options, RecordState::Read};
}

std::string encodeSettings(const Options& options, bool* shortened) {
    const WindowGeometry& geometry = options.geometry;
    RecordTexts texts{
        options.typeList,
        options.dateFrom,
        options.dateTo,
        std::string(trimBlanks(options.category)),
        std::string(trimBlanks(options.nameStartLetters)),
        {std::to_string(geometry.mainWidth), std::to_string(geometry.splitterLeft),
         std::to_string(geometry.viewerWidth), std::to_string(geometry.viewerHeight)}};
    const bool cut = fitTexts(texts);
    if (shortened) *shortened = cut;

    std::string record;
    record.reserve(settingsRecordSize);
    auto put = [&](int value) { record.push_back(static_cast<char>(std::clamp(value, 0, 255))); };
    auto putText = [&](const std::string& text) {
        put(static_cast<int>(text.size()));
        record += text;
    };
    auto putButtons = [&](int chosen, int buttons) {
        for (int button = 0; button < buttons; ++button) put(button == chosen ? selected : 0);
    };

    put(options.matchCase);
    put(options.searchSubfolders);
    put(options.smartSearch);
    putButtons(static_cast<int>(options.fileTypes), 2);
    putButtons(hitsButton(options.showAllHits), 2);
    putButtons(contextWordsButton(options.contextWords), 3);
    putButtons(static_cast<int>(options.dateRule), 3);
    putButtons(static_cast<int>(options.display), 2);
    putText(texts.typeList);
    putText(texts.dateFrom);
    putText(texts.dateTo);
    put(options.pastMonths);
    put(options.nearbyOn ? nearbyOn : nearbyOff);
    put(options.nearbyWords);
    put(options.nearbySpinValue);
    putButtons(static_cast<int>(options.viewerStart), 2);
    for (const std::string& text : texts.geometry) putText(text);
    putText(texts.category);
    putText(texts.nameStartLetters);
    record.resize(settingsRecordSize, '\0');
    return record;
}

}  // namespace tessaly
