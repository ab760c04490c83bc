#include "criteria/settings_record.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <vector>

#include "settings_bytes.h"

namespace tessaly {
namespace {

using namespace std::chrono;
using test::RecordBytes;

constexpr year_month_day today = year(2003) / 3 / 7;

// Offsets 0 to 14 of a record holding the defaults.
constexpr std::initializer_list<int> defaultButtons = {
    0,   1,   0,  // match case, subfolders, smart search
    255, 0,       // all file types, extension list
    0,   255,     // All Hits, One Hit Only
    255, 0,   0,  // 10, 20, 30 words
    255, 0,   0,  // all files, between dates, past months
    255, 0,       // Name and Text, Name Only
};

// The record the program writes for these options: everything differs from
// the defaults.
Options everythingChanged() {
    Options options;
    options.matchCase = true;
    options.smartSearch = true;
    options.searchSubfolders = false;
    options.fileTypes = FileTypes::listed;
    options.typeList = "txt doc";
    options.showAllHits = true;
    options.contextWords = 30;
    options.dateRule = DateRule::between;
    options.dateFrom = "1/2/2000";
    options.dateTo = "12/31/2003";
    options.pastMonths = 3;
    options.display = Display::namesOnly;
    options.nearbyOn = true;
    options.nearbyWords = 25;
    options.nearbySpinValue = 25;
    options.viewerStart = ViewerStart::FoundWord;
    options.nameStartLetters = "re";
    options.category = "Work";
    options.geometry = {9000, 2500, 7000, 6000};
    return options;
}

RecordBytes everythingChangedBytes() {
    return RecordBytes()
        .bytes({1, 0, 1, 0, 255, 255, 0, 0, 0, 255, 0, 255, 0, 0, 255})
        .text("txt doc")
        .text("1/2/2000")
        .text("12/31/2003")
        .bytes({3, 3, 25, 25, 0, 255})
        .text("9000")
        .text("2500")
        .text("7000")
        .text("6000")
        .text("Work")
        .text("re");
}

TEST(SettingsRecord, EncodesTheDefaultsByteForByte) {
    const std::string expected = RecordBytes()
                                     .bytes(defaultButtons)
                                     .text("")
                                     .text("3/7/1998")
                                     .text("3/7/2003")
                                     .bytes({6, 2, 1, 1, 255, 0})
                                     .text("8280")
                                     .text("3000")
                                     .text("8295")
                                     .text("8235")
                                     .text("")
                                     .text("")
                                     .padded();
    bool shortened = true;
    EXPECT_EQ(encodeSettings(defaultOptions(today), &shortened), expected);
    EXPECT_FALSE(shortened);

    EXPECT_EQ(encodeSettings(everythingChanged()), everythingChangedBytes().padded());
}

TEST(SettingsRecord, DefaultDatesGoFiveYearsBack) {
    EXPECT_EQ(defaultOptions(today).dateFrom, "3/7/1998");
    EXPECT_EQ(defaultOptions(today).dateTo, "3/7/2003");
    const Options leapDay = defaultOptions(year(2004) / 2 / 29);
    EXPECT_EQ(leapDay.dateFrom, "2/29/1999");
    EXPECT_EQ(leapDay.dateTo, "2/29/2004");
    EXPECT_EQ(dateText(year(2003) / 12 / 31), "12/31/2003");
}

TEST(SettingsRecord, DecodesHandMadeRecords) {
    const DecodedSettings changed = decodeSettings(everythingChangedBytes().padded(), today);
    EXPECT_EQ(changed.state, RecordState::Read);
    EXPECT_EQ(changed.options, everythingChanged());

    const Options defaults = defaultOptions(today);
    struct Case {
        const char* name;
        std::string record;
        RecordState state;
        Options expected;
    };
    std::vector<Case> cases;
    auto add = [&](const char* name, const RecordBytes& record, RecordState state, auto change) {
        Options expected = defaults;
        change(expected);
        cases.push_back({name, record.padded(), state, expected});
    };
    // Everything from offset 15 on at its defaults, dates as given.
    auto withTail = [](std::initializer_list<int> buttons, int nearby = 2) {
        return RecordBytes()
            .bytes(buttons)
            .text("")
            .text("3/7/1998")
            .text("3/7/2003")
            .bytes({6, nearby, 1, 1, 255, 0})
            .text("8280")
            .text("3000")
            .text("8295")
            .text("8235");
    };

    add("two buttons of a group marked: the later wins",
        withTail({0, 1, 0, 255, 255, 255, 255, 255, 255, 0, 255, 255, 255, 255, 255}),
        RecordState::Read, [](Options& o) {
            o.fileTypes = FileTypes::listed;
            o.showAllHits = false;
            o.contextWords = 20;
            o.dateRule = DateRule::inPastMonths;
            o.display = Display::namesOnly;
        });
    add("no button of a group marked: none selected",
        withTail({0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), RecordState::Read, [](Options& o) {
            o.fileTypes = FileTypes::noButton;
            o.showAllHits = std::nullopt;
            o.contextWords = 0;
            o.dateRule = DateRule::noButton;
            o.display = Display::noButton;
        });
    add("a check box byte other than 1 still ticks it",
        withTail({2, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 255, 0}), RecordState::Read,
        [](Options& o) {
            o.matchCase = true;
            o.searchSubfolders = false;
            o.smartSearch = true;
        });
    add("older layout: options and dates kept, the rest defaults",
        RecordBytes()
            .bytes({1, 0, 1, 0, 255, 255, 0, 0, 255, 0, 0, 0, 255, 0, 255})
            .text("pdf")
            .text("1/1/1999")
            .text("2/2/2002")
            .bytes({9, 0, 40, 40, 0, 255})
            .text("1234")
            .text("4321")
            .text("1111")
            .text("2222")
            .text("Old")
            .text("ab"),
        RecordState::OlderLayout, [](Options& o) {
            o.matchCase = true;
            o.searchSubfolders = false;
            o.smartSearch = true;
            o.fileTypes = FileTypes::listed;
            o.showAllHits = true;
            o.contextWords = 20;
            o.dateRule = DateRule::inPastMonths;
            o.display = Display::namesOnly;
            o.typeList = "pdf";
            o.dateFrom = "1/1/1999";
            o.dateTo = "2/2/2002";
            o.pastMonths = 9;
        });
    add("older layout: any marker but 2 and 3", withTail(defaultButtons, 7),
        RecordState::OlderLayout, [](Options&) {});
    // Counts no control can hold make a record damaged: the defaults stand in.
    add("a record that stops early reads zeros: a month count of 0",
        RecordBytes().bytes(defaultButtons).text("").text("3/7/1998"), RecordState::Unreadable, [](Options&) {});
    add("a month count of 110", RecordBytes().bytes(defaultButtons).text("").text("").text("").bytes({110, 2, 1, 1, 255, 0}),
        RecordState::Unreadable, [](Options&) {});
    add("a nearby count of 250", RecordBytes().bytes(defaultButtons).text("").text("").text("").bytes({6, 3, 250, 250, 255, 0}),
        RecordState::Unreadable, [](Options&) {});
    add("nearby on, the text and the spin control read apart",
        RecordBytes()
            .bytes(defaultButtons)
            .text("")
            .text("3/7/1998")
            .text("3/7/2003")
            .bytes({6, 3, 17, 18, 255, 0}),
        RecordState::Read, [](Options& o) {
            o.nearbyOn = true;
            o.nearbyWords = 17;
            o.nearbySpinValue = 18;
        });
    for (auto [beginning, found, start] :
         {std::tuple{255, 255, ViewerStart::FileBeginning},
          std::tuple{0, 0, ViewerStart::FileBeginning}, std::tuple{0, 1, ViewerStart::FoundWord}}) {
        add("viewer start bytes",
            RecordBytes()
                .bytes(defaultButtons)
                .text("")
                .text("3/7/1998")
                .text("3/7/2003")
                .bytes({6, 2, 1, 1, beginning, found})
                .text("8280")
                .text("3000")
                .text("8295")
                .text("8235"),
            RecordState::Read, [expected = start](Options& o) { o.viewerStart = expected; });
    }
    add("window sizes: 0, empty, the leading number, negative",
        RecordBytes()
            .bytes(defaultButtons)
            .text("")
            .text("3/7/1998")
            .text("3/7/2003")
            .bytes({6, 2, 1, 1, 255, 0})
            .text("0")
            .text("")
            .text(" 12ab3")
            .text("-150")
            .text("Work")
            .text("re"),
        RecordState::Read, [](Options& o) {
            o.geometry = {0, 3000, 12, -150};
            o.category = "Work";
            o.nameStartLetters = "re";
        });
    add("window sizes without digits, and beyond the integer range",
        RecordBytes()
            .bytes(defaultButtons)
            .text("")
            .text("3/7/1998")
            .text("3/7/2003")
            .bytes({6, 2, 1, 1, 255, 0})
            .text("abc")
            .text("-")
            .text("99999999999")
            .text("-99999999999"),
        RecordState::Read, [](Options& o) {
            o.geometry = {0, 0, INT_MAX, INT_MIN};
        });
    add("an empty Category drops the letters after it",
        withTail(defaultButtons).text("").text("ab"), RecordState::Read, [](Options&) {});
    add("texts are kept as stored, blanks and all",
        RecordBytes()
            .bytes(defaultButtons)
            .text(std::string(255, 'x'))
            .text("3/7/1998")
            .text("3/7/2003")
            .bytes({6, 2, 1, 1, 255, 0})
            .text("8280")
            .text("3000")
            .text("8295")
            .text("8235")
            .text(" My Files ")
            .text("  é "),
        RecordState::Read, [](Options& o) {
            o.typeList = std::string(255, 'x');
            o.category = " My Files ";
            o.nameStartLetters = "  é ";
        });

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedSettings decoded = decodeSettings(c.record, today);
        EXPECT_EQ(decoded.state, c.state);
        EXPECT_EQ(decoded.options, c.expected);
    }
}

TEST(SettingsRecord, EmptyAndOverlongFiles) {
    const DecodedSettings empty = decodeSettings("", today);
    EXPECT_EQ(empty.state, RecordState::Empty);
    EXPECT_EQ(empty.options, defaultOptions(today));

    // Bytes past the record's 500 are not read.
    const DecodedSettings longer =
        decodeSettings(everythingChangedBytes().padded() + std::string(100, 'z'), today);
    EXPECT_EQ(longer.state, RecordState::Read);
    EXPECT_EQ(longer.options, everythingChanged());
}

TEST(SettingsRecord, RoundTrips) {
    std::vector<Options> table;
    table.push_back(defaultOptions(today));
    table.push_back(everythingChanged());
    Options unusual = everythingChanged();
    unusual.fileTypes = FileTypes::noButton;
    unusual.showAllHits = std::nullopt;
    unusual.contextWords = 0;
    unusual.dateRule = DateRule::noButton;
    unusual.display = Display::noButton;
    unusual.nearbyWords = 200;
    unusual.nearbySpinValue = 200;
    unusual.pastMonths = 12;
    unusual.typeList = std::string(255, 'e');
    unusual.category = "Ünïcödé Kategorie";
    unusual.nameStartLetters = "ça";
    unusual.geometry = {-2147483647 - 1, 0, -1, 2147483647};
    table.push_back(unusual);
    Options full = defaultOptions(today);  // exactly 500 bytes, nothing to shorten
    full.typeList = std::string(255, 'e');
    full.category = std::string(500 - 62 - 255 - 1, 'c');
    full.nameStartLetters = "l";
    table.push_back(full);

    for (const Options& options : table) {
        SCOPED_TRACE(options.category);
        bool shortened = true;
        const std::string record = encodeSettings(options, &shortened);
        EXPECT_FALSE(shortened);
        ASSERT_EQ(record.size(), settingsRecordSize);
        const DecodedSettings decoded = decodeSettings(record, today);
        EXPECT_EQ(decoded.state, RecordState::Read);
        EXPECT_EQ(decoded.options, options);
    }
    EXPECT_EQ(encodeSettings(full).back(), 'l');
}

TEST(SettingsRecord, SavesTrimmedTextsAndLettersWithoutCategory) {
    Options options = defaultOptions(today);
    options.category = "  Work  ";
    options.nameStartLetters = " re ";
    Options trimmed = options;
    trimmed.category = "Work";
    trimmed.nameStartLetters = "re";
    EXPECT_EQ(decodeSettings(encodeSettings(options), today).options, trimmed);

    // The letters are written even without a Category, and the next start
    // does not restore them.
    options.category = "   ";
    const std::string record = encodeSettings(options);
    EXPECT_NE(record.find(std::string("\0\2re", 4)), std::string::npos);
    EXPECT_EQ(decodeSettings(record, today).options.nameStartLetters, "");
}

TEST(SettingsRecord, LengthsPastTheEndGiveTheDefaults) {
    // 255 bytes of extensions and no dates put the Category's length byte at
    // 283, so a Category of 215 bytes ends at 498 and the letters' length byte
    // is the record's last.
    auto record = [](std::string category, std::string_view tail) {
        return RecordBytes()
                   .bytes(defaultButtons)
                   .text(std::string(255, 'e'))
                   .text("")
                   .text("")
                   .bytes({6, 2, 1, 1, 255, 0, 0, 0, 0, 0})
                   .text(category)
                   .unpadded() +
               std::string(tail);
    };
    const struct {
        const char* name;
        std::string bytes;
        RecordState state;
    } cases[] = {
        {"the letters' length byte is the last byte",
         record(std::string(215, 'c'), std::string(1, '\0')), RecordState::Read},
        {"the letters' length byte would be byte 500", record(std::string(216, 'c'), ""),
         RecordState::Unreadable},
        {"letters past the end", record(std::string(215, 'c'), "\x01"), RecordState::Unreadable},
        {"an empty Category as the last byte, the letters never read",
         RecordBytes()
             .bytes(defaultButtons)
             .text(std::string(255, 'e'))
             .text(std::string(216, 'f'))
             .text("")
             .bytes({6, 2, 1, 1, 255, 0, 0, 0, 0, 0, 0})
             .unpadded(),
         RecordState::Read},
        {"a Category of one byte as the last byte",
         RecordBytes()
             .bytes(defaultButtons)
             .text(std::string(255, 'e'))
             .text(std::string(216, 'f'))
             .text("")
             .bytes({6, 2, 1, 1, 255, 0, 0, 0, 0, 0, 1})
             .unpadded(),
         RecordState::Unreadable},
        {"extensions and from-date reach past the end",
         RecordBytes()
             .bytes(defaultButtons)
             .text(std::string(255, 'e'))
             .text(std::string(255, 'f'))
             .unpadded(),
         RecordState::Unreadable},
        {"the nearby marker would be byte 500",
         RecordBytes()
             .bytes(defaultButtons)
             .text(std::string(255, 'e'))
             .text(std::string(226, 'f'))
             .text("")
             .bytes({6})
             .unpadded(),
         RecordState::Unreadable},
        {"a window size past the end",
         RecordBytes()
             .bytes(defaultButtons)
             .text(std::string(255, 'e'))
             .text(std::string(200, 'f'))
             .text("")
             .bytes({6, 2, 1, 1, 255, 0, 30})
             .unpadded(),
         RecordState::Unreadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedSettings decoded = decodeSettings(c.bytes, today);
        EXPECT_EQ(decoded.state, c.state);
        if (c.state == RecordState::Unreadable) {
            EXPECT_EQ(decoded.options, defaultOptions(today));
        }
    }
    // Within the record the texts count: the 215-byte Category is read.
    EXPECT_EQ(decodeSettings(cases[0].bytes, today).options.category, std::string(215, 'c'));
    // An older-layout record ends before the lengths that would point past.
    EXPECT_EQ(decodeSettings(RecordBytes()
                                 .bytes(defaultButtons)
                                 .text(std::string(255, 'e'))
                                 .text(std::string(224, 'f'))
                                 .text("")
                                 .bytes({6, 0})
                                 .unpadded(),
                             today)
                  .state,
              RecordState::OlderLayout);
}

TEST(SettingsRecord, ShortensWhatDoesNotFitInOrder) {
    // Defaults take 62 bytes: 30 fixed, two 8-byte dates, four 4-byte sizes.
    struct Case {
        const char* name;
        std::string typeList, category, nameStartLetters, dateFrom, dateTo;
        std::size_t typeSize, categorySize, lettersSize, fromSize, toSize;
    };
    const std::string e255(255, 'e');
    const Case cases[] = {
        {"letters go first, then the Category", e255, std::string(200, 'c'), std::string(100, 'l'),
         "3/7/1998", "3/7/2003", 255, 183, 0, 8, 8},
        {"only the letters", e255, std::string(150, 'c'), std::string(100, 'l'), "3/7/1998",
         "3/7/2003", 255, 150, 33, 8, 8},
        {"the extension list after both", e255, "cat", "let", std::string(200, 'f'),
         std::string(200, 't'), 54, 0, 0, 200, 200},
        {"damaged dates go last", e255, "cat", "let", std::string(255, 'f'), std::string(255, 't'),
         0, 0, 0, 255, 199},
        {"a text holds at most 255 bytes", "txt", std::string(300, 'c'), "", "3/7/1998", "3/7/2003",
         3, 255, 0, 8, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Options options = defaultOptions(today);
        options.typeList = c.typeList;
        options.category = c.category;
        options.nameStartLetters = c.nameStartLetters;
        options.dateFrom = c.dateFrom;
        options.dateTo = c.dateTo;
        bool shortened = false;
        const std::string record = encodeSettings(options, &shortened);
        EXPECT_TRUE(shortened);
        ASSERT_EQ(record.size(), settingsRecordSize);
        const DecodedSettings decoded = decodeSettings(record, today);
        ASSERT_EQ(decoded.state, RecordState::Read);
        const Options& back = decoded.options;
        EXPECT_EQ(back.typeList, c.typeList.substr(0, c.typeSize));
        EXPECT_EQ(back.category, c.category.substr(0, c.categorySize));
        EXPECT_EQ(back.nameStartLetters, c.nameStartLetters.substr(0, c.lettersSize));
        EXPECT_EQ(back.dateFrom, c.dateFrom.substr(0, c.fromSize));
        EXPECT_EQ(back.dateTo, c.dateTo.substr(0, c.toSize));
        EXPECT_EQ(back.geometry, options.geometry);
    }
}

TEST(SettingsRecord, ShorteningKeepsWholeCharactersAndTrims) {
    // 62 + 255 + 2 * 100 = 517: 17 bytes too many, taken from the letters.
    Options options = defaultOptions(today);
    options.typeList = std::string(255, 'e');
    options.category = std::string(100, 'c');
    std::string letters;
    for (int i = 0; i < 50; ++i) letters += "é";
    options.nameStartLetters = letters;
    // 17 bytes would split a character: 18 go, 41 characters stay.
    EXPECT_EQ(decodeSettings(encodeSettings(options), today).options.nameStartLetters,
              letters.substr(0, 82));

    // A cut that ends on a blank leaves the Category trimmed.
    options.nameStartLetters = "";
    options.category = std::string(182, 'c') + " " + std::string(17, 'd');  // 517 again
    EXPECT_EQ(decodeSettings(encodeSettings(options), today).options.category,
              std::string(182, 'c'));
}

}  // namespace
}  // namespace tessaly
