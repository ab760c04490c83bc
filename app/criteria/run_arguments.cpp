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
    if (!options.nearbyOn) return 0;
    const Operator groups[] = {options.operator1, options.operator2, options.operator3};
    for (int pair = 0; pair < 3; ++pair) {
        if (groups[pair] == Operator::NEARBY && !words[pair].empty() && !words[pair + 1].empty()) {
            return options.nearbyWords;
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
    arguments.caseCode = options.matchCase ? TYX12_MATCH_CASE : TYX12_IGNORE_CASE;
    arguments.code1 = combinationCode(options.operator1);
    arguments.code2 = combinationCode(options.operator2);
    arguments.code3 = combinationCode(options.operator3);
    arguments.smartSearch = options.smartSearch ? 1 : 0;
    // With no button of the group selected the engine gets the widest passages.
    arguments.contextWords = options.contextWords == 0 ? 30 : options.contextWords;
    if (options.showAllHits) arguments.allHits = *options.showAllHits ? 1 : 0;
}

void narrowForNameOnly(RunArguments& arguments, const Options& options) {
    if (options.display != Display::namesOnly) return;
    // NEARBY is judged within the passages the engine cuts, so their width and
    // whether every hit gets one decide which files match: narrowed, a file
    // would match in Name and Text and not in Name Only.
    if (arguments.nearbyWords > 0) return;
    arguments.allHits = 0;
    arguments.contextWords = 1;
}

}  // namespace tessaly
