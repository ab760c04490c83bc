// The engine's arguments that the search run takes from the options at Start
// and keeps for the single-file view.
#pragma once

#include "criteria/options.h"

namespace tessaly {

struct RunArguments {
    int caseCode = 201;  // 200 match case, 201 ignore case
    int code1 = 210;     // 210 AND, 211 OR, 212 NOT, 213 NEARBY
    int code2 = 210;
    int code3 = 210;
    int smartSearch = 0;
    int contextWords = 10;
    int allHits = 0;
    int nearbyWords = 0;  // 0: no NEARBY distance

    bool operator==(const RunArguments&) const = default;
};

// What Start sets from the options and the words as the word check left them.
// Options with no hits button selected keep `previous.allHits`.
RunArguments runArgumentsFrom(const Options& options, const SearchWords& words,
                              RunArguments previous = {});

// What making a Category current refreshes: everything but the nearby distance.
void refreshRunArguments(RunArguments& arguments, const Options& options);

// With "Name Only" a file only has to match: the run asks for one hit with one
// word around it, before each engine call on a file that is not empty, unless
// a NEARBY distance is in force, which the passages decide. The values stay
// in the kept arguments.
void narrowForNameOnly(RunArguments& arguments, const Options& options);

}  // namespace tessaly
