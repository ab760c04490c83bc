#include "criteria/run_arguments.h"

#include <tyx12/tyx12.h>

namespace tessaly {

namespace {

int combinationCode(Operator selected) {
    return TYX12_AND + static_cast<int>(selected);
}

// The count applies only when a NEARBY button stands between two words that
// are both there.
int nearbyDistance(const Options& options, const SearchWords& words) {
    if (!options.nearbyCheck) return 0;
    const Operator groups[] = {options.Opt1, options.Opt2, options.Opt3};
    for (int pair = 0; pair < 3; ++pair) {
        if (groups[pair] == Operator::NEARBY && !words[pair].empty() && !words[pair + 1].empty()) {
            return options.nearbyText;
        }
    }
    return 0;
}

}  // namespace

RunArguments runArgumentsFrom(const Options& options, const SearchWords& words,
                              RunArguments previous) {
    refreshRunArguments(previous, options);
    previous.nearbyWords = nearbyDistance(options, words);
    return previous;
}

void refreshRunArguments(RunArguments& arguments, const Options& options) {
    arguments.caseCode = options.optCase ? TYX12_MATCH_CASE : TYX12_IGNORE_CASE;
    arguments.code1 = combinationCode(options.Opt1);
    arguments.code2 = combinationCode(options.Opt2);
    arguments.code3 = combinationCode(options.Opt3);
    arguments.smartSearch = options.useFilter ? 1 : 0;
    arguments.contextWords = options.wordOpt == 0 ? 10 : options.wordOpt == 1 ? 20 : 30;
    if (options.resultOpt == allHitsButton) arguments.allHits = 1;
    if (options.resultOpt == oneHitOnlyButton) arguments.allHits = 0;
}

void narrowForNameOnly(RunArguments& arguments, const Options& options) {
    if (options.display != Display::DispName) return;
    arguments.allHits = 0;
    arguments.contextWords = 1;
}

}  // namespace tessaly
