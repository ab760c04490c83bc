#include "criteria/word_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaly {
namespace {

// Writes down what the user would have seen, in order.
class RecordedMessages final : public CriteriaMessages {
public:
    void refuse(int wordIndex, std::string_view text, std::string_view title) override {
        events.push_back("refuse " + std::to_string(wordIndex) + " [" + std::string(title) + "] " +
                         std::string(text));
    }
    void focusWord(int wordIndex) override {
        events.push_back("focus " + std::to_string(wordIndex));
    }

    std::vector<std::string> events;
};

const std::string singleLetter = "[Invalid Single Letter] Search of single letter is invalid!";
const std::string wildcard =
    "[Invalid Single Letter] Only single word with wild card * at beginning or end is supported!";

TEST(WordCheck, OneCheck) {
    using Events = std::vector<std::string>;
    const struct {
        const char* name;
        SearchWords words;
        bool passes;
        SearchWords after;
        Events events;
    } cases[] = {
        {"plain words are trimmed",
         {" one ", "two  ", "  three", "four"},
         true,
         {"one", "two", "three", "four"},
         {}},
        {"boxes of blanks are emptied", {"   ", " ", "", "  "}, true, {"", "", "", ""}, {}},
        {"a single letter padded with blanks is cleared, and the check goes on",
         {"  a  ", "word", "Z", ""},
         true,
         {"", "word", "", ""},
         {"refuse 0 " + singleLetter, "focus 0", "refuse 2 " + singleLetter, "focus 2"}},
        {"a single digit or sign passes", {"7", "-", "é", ""}, true, {"7", "-", "é", ""}, {}},
        {"a star first or last passes",
         {"a*", "*ion", "form*", "*"},
         true,
         {"a*", "*ion", "form*", "*"},
         {}},
        {"a star inside word 1 stops before word 2",
         {" ab*cd ", "  b  ", " x ", ""},
         false,
         {"ab*cd", "  b  ", " x ", ""},
         {"refuse 0 " + wildcard, "focus 0"}},
        {"words before the refused one stay trimmed",
         {" good ", " x*y ", "  z  ", ""},
         false,
         {"good", "x*y", "  z  ", ""},
         {"refuse 1 " + wildcard, "focus 1"}},
        {"stars at both ends",
         {"*ab*", "", "", ""},
         false,
         {"*ab*", "", "", ""},
         {"refuse 0 " + wildcard, "focus 0"}},
        {"two stars side by side",
         {"", "", "", "ab**"},
         false,
         {"", "", "", "ab**"},
         {"refuse 3 " + wildcard, "focus 3"}},
        {"a blank in a word with a star",
         {"", "", "new yor*", ""},
         false,
         {"", "", "new yor*", ""},
         {"refuse 2 " + wildcard, "focus 2"}},
        {"two lone stars",
         {"**", "", "", ""},
         false,
         {"**", "", "", ""},
         {"refuse 0 " + wildcard, "focus 0"}},
        {"a tab is not a blank", {"\ta\t", "", "", ""}, true, {"\ta\t", "", "", ""}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SearchWords words = c.words;
        WildcardWarnings warnings;
        RecordedMessages messages;
        EXPECT_EQ(inputValidate(words, warnings, messages), c.passes);
        EXPECT_EQ(words, c.after);
        EXPECT_EQ(messages.events, c.events);
    }
}

TEST(WordCheck, RefusedStarPassesTheNextCheckThenIsRefusedAgain) {
    SearchWords words = {"ab*cd", "two", "", ""};
    WildcardWarnings warnings;
    RecordedMessages messages;

    EXPECT_FALSE(inputValidate(words, warnings, messages));
    EXPECT_FALSE(warnings.armed[0]);
    EXPECT_TRUE(inputValidate(words, warnings, messages));
    EXPECT_TRUE(warnings.armed[0]);
    EXPECT_FALSE(inputValidate(words, warnings, messages));
    EXPECT_EQ(messages.events, (std::vector<std::string>{"refuse 0 " + wildcard, "focus 0",
                                                         "refuse 0 " + wildcard, "focus 0"}));
}

TEST(WordCheck, DisarmedFlagLastsOneCheckWhateverTheWord) {
    WildcardWarnings warnings;
    RecordedMessages messages;
    SearchWords words = {"a", "x*y*", "", ""};
    EXPECT_FALSE(inputValidate(words, warnings, messages));
    EXPECT_EQ(warnings.armed, (std::array<bool, 4>{true, false, true, true}));

    // The user empties the word: the next check arms the flag again.
    words[1] = "";
    EXPECT_TRUE(inputValidate(words, warnings, messages));
    EXPECT_EQ(warnings.armed, (std::array<bool, 4>{true, true, true, true}));

    // The single-letter rule has no such memory.
    words = {"b", "", "", ""};
    messages.events.clear();
    EXPECT_TRUE(inputValidate(words, warnings, messages));
    words[0] = "b";
    EXPECT_TRUE(inputValidate(words, warnings, messages));
    EXPECT_EQ(messages.events.size(), 4u);

    // A disarmed word still has to pass the single-letter rule.
    warnings.armed = {false, true, true, true};
    words = {"q", "", "", ""};
    messages.events.clear();
    EXPECT_TRUE(inputValidate(words, warnings, messages));
    EXPECT_EQ(messages.events, (std::vector<std::string>{"refuse 0 " + singleLetter, "focus 0"}));
}

TEST(WordCheck, StartRefusesOnlyFourEmptyBoxes) {
    EXPECT_TRUE(allWordsEmpty({"", "", "", ""}));
    EXPECT_FALSE(allWordsEmpty({"", "", " ", ""}));
    EXPECT_FALSE(allWordsEmpty({"", "", "", "x"}));
    EXPECT_EQ(textMissingText, "You must specify the text you want to search!");
    EXPECT_EQ(textMissingTitle, "Text Missing");
}

}  // namespace
}  // namespace tessaly
