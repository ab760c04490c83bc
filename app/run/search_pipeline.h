// Hands the files a run will search to the engine, several at once when asked,
// and gives the answers back strictly in the order the files came: whatever
// the number of threads, the run sees the same sequence.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "criteria/options.h"
#include "criteria/run_arguments.h"
#include "platform/engine_loader.h"

namespace tessaly {

struct Candidate {
    std::string path;
    std::uint64_t size = 0;
    std::time_t modified = 0;
    int categoryFolder = 0;
    bool readableByAll = false;  // no need to ask why nothing was found
};

struct SearchAnswer {
    std::uint32_t length = 0;  // the engine's result length
    std::string lines;         // its result text when it fitted
};

// One engine call as the window makes it: fresh copies of the words (the
// engine lowers them and may overwrite one), an empty word as a null pointer.
SearchAnswer searchFile(const EngineCalls& engine, const Candidate& candidate,
                        const RunArguments& arguments, const SearchWords& words);

class SearchPipeline {
public:
    // Called on the calling thread, in submission order. Returns false to end
    // the run: no further answers are delivered.
    using Consumer = std::function<bool(const Candidate&, const SearchAnswer&)>;

    SearchPipeline(const EngineCalls& engine, RunArguments arguments, SearchWords words,
                   int threads, Consumer consumer);
    ~SearchPipeline();

    // Returns false once the consumer has ended the run.
    bool submit(Candidate candidate);
    // Delivers every answer still owed.
    void finish();

private:
    class Workers;
    const EngineCalls& engine_;
    RunArguments arguments_;
    SearchWords words_;
    Consumer consumer_;
    bool ended_ = false;
    std::unique_ptr<Workers> workers_;  // none when searching one file at a time
};

}  // namespace tessaly
