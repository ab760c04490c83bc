#include "criteria/run_arguments.h"

#include <gtest/gtest.h>

#include <functional>

namespace tessaly {
namespace {

TEST(RunArguments, MapsEveryOption) {
    const SearchWords words = {"alpha", "beta", "gamma", "delta"};
    const struct {
        const char* name;
        std::function<void(Options&)> change;
        RunArguments expected;
    } cases[] = {
        {"defaults", [](Options&) {}, {201, 210, 210, 210, 0, 10, 0, 0}},
        {"match case", [](Options& o) { o.matchCase = true; }, {200, 210, 210, 210, 0, 10, 0, 0}},
        {"smart search", [](Options& o) { o.smartSearch = true; }, {201, 210, 210, 210, 1, 10, 0, 0}},
        {"20 words", [](Options& o) { o.contextWords = 20; }, {201, 210, 210, 210, 0, 20, 0, 0}},
        {"30 words", [](Options& o) { o.contextWords = 30; }, {201, 210, 210, 210, 0, 30, 0, 0}},
        {"no word count selected: 30",
         [](Options& o) { o.contextWords = 0; },
         {201, 210, 210, 210, 0, 30, 0, 0}},
        {"all hits",
         [](Options& o) { o.showAllHits = true; },
         {201, 210, 210, 210, 0, 10, 1, 0}},
        {"operators",
         [](Options& o) {
             o.operator1 = Operator::OR;
             o.operator2 = Operator::NOT;
             o.operator3 = Operator::NEARBY;
         },
         {201, 211, 212, 213, 0, 10, 0, 0}},
        {"NEARBY with the option off: no distance",
         [](Options& o) {
             o.operator1 = Operator::NEARBY;
             o.nearbyWords = 7;
         },
         {201, 213, 210, 210, 0, 10, 0, 0}},
        {"NEARBY with the option on: the count shown",
         [](Options& o) {
             o.operator2 = Operator::NEARBY;
             o.nearbyOn = true;
             o.nearbyWords = 7;
             o.nearbySpinValue = 9;
         },
         {201, 210, 213, 210, 0, 10, 0, 7}},
        {"the option on without a NEARBY button: no distance",
         [](Options& o) {
             o.nearbyOn = true;
             o.nearbyWords = 7;
         },
         {201, 210, 210, 210, 0, 10, 0, 0}},
        {"Name Only alone changes nothing at Start",
         [](Options& o) { o.display = Display::namesOnly; },
         {201, 210, 210, 210, 0, 10, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Options options;
        c.change(options);
        EXPECT_EQ(runArgumentsFrom(options, words), c.expected);
    }
}

TEST(RunArguments, NearbyNeedsBothWordsOfThePair) {
    Options options;
    options.nearbyOn = true;
    options.nearbyWords = 5;
    const struct {
        Operator opt1, opt2, opt3;
        SearchWords words;
        int distance;
    } cases[] = {
        {Operator::NEARBY, Operator::AND, Operator::AND, {"a1", "b2", "", ""}, 5},
        {Operator::NEARBY, Operator::AND, Operator::AND, {"a1", "", "c3", ""}, 0},
        {Operator::NEARBY, Operator::AND, Operator::AND, {"", "b2", "c3", ""}, 0},
        {Operator::AND, Operator::NEARBY, Operator::AND, {"", "b2", "c3", ""}, 5},
        {Operator::AND, Operator::AND, Operator::NEARBY, {"a1", "b2", "c3", ""}, 0},
        {Operator::AND, Operator::AND, Operator::NEARBY, {"", "", "c3", "d4"}, 5},
        {Operator::NEARBY, Operator::NEARBY, Operator::NEARBY, {"a1", "", "", "d4"}, 0},
    };
    for (const auto& c : cases) {
        options.operator1 = c.opt1;
        options.operator2 = c.opt2;
        options.operator3 = c.opt3;
        EXPECT_EQ(runArgumentsFrom(options, c.words).nearbyWords, c.distance)
            << c.words[0] << "|" << c.words[1] << "|" << c.words[2] << "|" << c.words[3];
    }
}

TEST(RunArguments, KeepsWhatNoSelectionDecides) {
    RunArguments previous;
    previous.allHits = 1;
    previous.nearbyWords = 40;
    Options options;
    options.showAllHits = std::nullopt;
    EXPECT_EQ(runArgumentsFrom(options, {}, previous).allHits, 1);
    options.showAllHits = false;
    EXPECT_EQ(runArgumentsFrom(options, {}, previous).allHits, 0);

    // Making a Category current refreshes all but the distance.
    options.matchCase = true;
    options.contextWords = 30;
    refreshRunArguments(previous, options);
    EXPECT_EQ(previous, (RunArguments{200, 210, 210, 210, 0, 30, 0, 40}));
}

TEST(RunArguments, NameOnlyAsksForOneHitAndOneWord) {
    Options options;
    options.showAllHits = true;
    options.contextWords = 30;
    RunArguments arguments = runArgumentsFrom(options, {});
    narrowForNameOnly(arguments, options);
    EXPECT_EQ(arguments.allHits, 1) << "Name and Text is left alone";
    EXPECT_EQ(arguments.contextWords, 30);

    options.display = Display::namesOnly;
    RunArguments nearby = arguments;
    narrowForNameOnly(arguments, options);
    EXPECT_EQ(arguments.allHits, 0);
    EXPECT_EQ(arguments.contextWords, 1);

    // NEARBY is judged within the passages: narrowing them would change which files match.
    nearby.nearbyWords = 5;
    const RunArguments before = nearby;
    narrowForNameOnly(nearby, options);
    EXPECT_EQ(nearby, before);
}

}  // namespace
}  // namespace tessaly
