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
        {"match case", [](Options& o) { o.optCase = true; }, {200, 210, 210, 210, 0, 10, 0, 0}},
        {"smart search", [](Options& o) { o.useFilter = true; }, {201, 210, 210, 210, 1, 10, 0, 0}},
        {"20 words", [](Options& o) { o.wordOpt = 1; }, {201, 210, 210, 210, 0, 20, 0, 0}},
        {"30 words", [](Options& o) { o.wordOpt = 2; }, {201, 210, 210, 210, 0, 30, 0, 0}},
        {"no word count selected: 30",
         [](Options& o) { o.wordOpt = noButton; },
         {201, 210, 210, 210, 0, 30, 0, 0}},
        {"all hits",
         [](Options& o) { o.resultOpt = allHitsButton; },
         {201, 210, 210, 210, 0, 10, 1, 0}},
        {"operators",
         [](Options& o) {
             o.Opt1 = Operator::OR;
             o.Opt2 = Operator::NOT;
             o.Opt3 = Operator::NEARBY;
         },
         {201, 211, 212, 213, 0, 10, 0, 0}},
        {"NEARBY with the option off: no distance",
         [](Options& o) {
             o.Opt1 = Operator::NEARBY;
             o.nearbyText = 7;
         },
         {201, 213, 210, 210, 0, 10, 0, 0}},
        {"NEARBY with the option on: the count shown",
         [](Options& o) {
             o.Opt2 = Operator::NEARBY;
             o.nearbyCheck = true;
             o.nearbyText = 7;
             o.nearbyScroll = 9;
         },
         {201, 210, 213, 210, 0, 10, 0, 7}},
        {"the option on without a NEARBY button: no distance",
         [](Options& o) {
             o.nearbyCheck = true;
             o.nearbyText = 7;
         },
         {201, 210, 210, 210, 0, 10, 0, 0}},
        {"Name Only alone changes nothing at Start",
         [](Options& o) { o.display = Display::DispName; },
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
    options.nearbyCheck = true;
    options.nearbyText = 5;
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
        options.Opt1 = c.opt1;
        options.Opt2 = c.opt2;
        options.Opt3 = c.opt3;
        EXPECT_EQ(runArgumentsFrom(options, c.words).nearbyWords, c.distance)
            << c.words[0] << "|" << c.words[1] << "|" << c.words[2] << "|" << c.words[3];
    }
}

TEST(RunArguments, KeepsWhatNoSelectionDecides) {
    RunArguments previous;
    previous.allHits = 1;
    previous.nearbyWords = 40;
    Options options;
    options.resultOpt = noButton;
    EXPECT_EQ(runArgumentsFrom(options, {}, previous).allHits, 1);
    options.resultOpt = oneHitOnlyButton;
    EXPECT_EQ(runArgumentsFrom(options, {}, previous).allHits, 0);

    // Making a Category current refreshes all but the distance.
    options.optCase = true;
    options.wordOpt = 2;
    refreshRunArguments(previous, options);
    EXPECT_EQ(previous, (RunArguments{200, 210, 210, 210, 0, 30, 0, 40}));
}

TEST(RunArguments, NameOnlyAsksForOneHitAndOneWord) {
    Options options;
    options.resultOpt = allHitsButton;
    options.wordOpt = 2;
    RunArguments arguments = runArgumentsFrom(options, {});
    narrowForNameOnly(arguments, options);
    EXPECT_EQ(arguments.allHits, 1) << "Name and Text is left alone";
    EXPECT_EQ(arguments.contextWords, 30);

    options.display = Display::DispName;
    narrowForNameOnly(arguments, options);
    EXPECT_EQ(arguments.allHits, 0);
    EXPECT_EQ(arguments.contextWords, 1);
}

}  // namespace
}  // namespace tessaly
