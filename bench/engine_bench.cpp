// Throughput of stringSearch on generated English-like text. Every file size
// also gets a baseline on the same file: open it, read it into a buffer and
// make one memmem pass for a word that is not there. That is the least any
// search of the file has to do, so the ratio printed after the run shows what
// the engine's normalising, word tests and result lines cost on top of it.
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "temp_dir.h"
#include "tyx12/tyx12.h"

namespace {

// What the program hands the engine for its result.
constexpr std::size_t kResultBufferSize = TYX12_RESULT_MIN_CAPACITY;

struct FileSize {
    const char* label;
    std::size_t bytes;
};

// Smallest first: the larger files extend the smaller ones. The engine stops
// reading a file after about 200 KB, so the 1 MB figures show what that cap
// saves rather than a faster scan.
constexpr std::array kFileSizes{
    FileSize{"10KB", 10 * 1024},
    FileSize{"100KB", 100 * 1024},
    FileSize{"1MB", 1024 * 1024},
};

// The generated words have at most ten letters, so this one cannot occur, not
// even inside another: the engine and memmem both have to scan everything.
constexpr char kAbsentWord[] = "notwithstanding";
constexpr char kCommonWord[] = "the";
constexpr std::array<const char*, 4> kAndWords{"river", "lantern", "copper", "meadow"};
constexpr char kNearbyFirst[] = "harbour";
constexpr char kNearbySecond[] = "signal";

// The same files on every run and every machine, so results can be compared.
constexpr std::uint32_t kTextSeed = 20240611;

struct SearchCase {
    const char* label;
    std::array<const char*, 4> words;  // null leaves the slot empty
    std::array<std::int32_t, 3> codes;
    std::int32_t allHits;
    std::int32_t nearbyWords;
    bool matches;  // what the generated text must give, checked before timing
};

constexpr std::int32_t kContextWords = 10;
constexpr std::array<std::int32_t, 3> kAllAnd{TYX12_AND, TYX12_AND, TYX12_AND};

const std::array kSearchCases{
    SearchCase{"absent", {kAbsentWord, nullptr, nullptr, nullptr}, kAllAnd, 0, 0, false},
    SearchCase{"and4", {kAndWords[0], kAndWords[1], kAndWords[2], kAndWords[3]}, kAllAnd, 0, 0,
               true},
    SearchCase{"allhits", {kCommonWord, nullptr, nullptr, nullptr}, kAllAnd, 1, 0, true},
    // With allHits 0 only the first line holding either word would be judged
    // for nearness; with 1 the engine has to weigh every line of the file.
    SearchCase{"nearby",
               {kNearbyFirst, kNearbySecond, nullptr, nullptr},
               {TYX12_NEARBY, TYX12_AND, TYX12_AND},
               1,
               5,
               true},
};

// Words of 2 to 10 letters drawn with English letter frequencies, in sentence
// case with the odd capitalised or shouted word, some punctuation, and CR LF
// about every 70 characters. The searched words are planted among them: the
// common word about every 100 bytes, each AND word and each NEARBY word about
// every 2 KB, half of the second NEARBY words just behind a first one.
class TextGenerator {
public:
    explicit TextGenerator(std::uint32_t seed) : random_(seed), letterPool_(englishLetterPool()) {}

    std::string generate(std::size_t bytes) {
        std::string text;
        text.reserve(bytes + 2 * kLineTarget);
        while (text.size() < bytes) appendWord(text);
        text.resize(bytes);
        return text;
    }

private:
    static constexpr std::size_t kLineTarget = 70;

    // Each letter as often as it appears in English text, in tenths of a percent.
    static std::string englishLetterPool() {
        constexpr std::array<std::size_t, 26> perMille{82, 15, 28, 43, 127, 22, 20, 61, 70,
                                                       2,  8,  40, 24, 67,  75, 19, 1,  60,
                                                       63, 91, 28, 10, 24,  2,  20, 1};
        std::string pool;
        for (std::size_t i = 0; i < perMille.size(); ++i)
            pool.append(perMille[i], static_cast<char>('a' + i));
        return pool;
    }

    static char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

    // Plain modulo rather than std::uniform_int_distribution, whose output
    // differs between standard libraries.
    std::size_t below(std::size_t n) { return random_() % n; }

    std::string randomWord() {
        const std::size_t length = 2 + below(4) + below(6);  // 2 to 10, mostly 5 to 7
        std::string word;
        for (std::size_t i = 0; i < length; ++i) word += letterPool_[below(letterPool_.size())];
        return word;
    }

    // An average word takes about 7 bytes with its separator, so one in 14 is
    // a word every 100 bytes and four in a thousand one every 2 KB.
    std::string nextWord() {
        if (nearbyCountdown_ > 0 && --nearbyCountdown_ == 0) return kNearbySecond;
        std::size_t roll = below(1000);
        if (roll < 70) return kCommonWord;
        roll -= 70;
        if (roll < 4 * kAndWords.size()) return kAndWords[roll / 4];
        roll -= 4 * kAndWords.size();
        if (roll < 4) {
            // Within four words of its partner: near enough for NEARBY 5.
            if (below(2) == 0) nearbyCountdown_ = 1 + below(4);
            return kNearbyFirst;
        }
        roll -= 4;
        if (roll < 2) return kNearbySecond;
        return randomWord();
    }

    void appendWord(std::string& text) {
        std::string word = nextWord();
        const std::size_t casing = below(100);
        if (casing == 0) {
            for (char& c : word) c = upper(c);
        } else if (sentenceStart_ || casing < 8) {
            word[0] = upper(word[0]);
        }
        sentenceStart_ = false;

        const std::size_t mark = below(100);
        if (mark < 6) {
            word += ',';
        } else if (mark < 7) {
            word += ';';
        } else if (mark < 11) {
            word += '.';
            sentenceStart_ = true;
        } else if (mark < 12) {
            word += '?';
            sentenceStart_ = true;
        }

        if (lineLength_ > 0 && lineLength_ + 1 + word.size() > lineLimit_) {
            text += "\r\n";
            lineLength_ = 0;
            lineLimit_ = kLineTarget - 10 + below(21);
        } else if (lineLength_ > 0) {
            text += ' ';
            ++lineLength_;
        }
        text += word;
        lineLength_ += word.size();
    }

    std::mt19937 random_;
    const std::string letterPool_;
    std::size_t nearbyCountdown_ = 0;
    bool sentenceStart_ = true;
    std::size_t lineLength_ = 0;
    std::size_t lineLimit_ = kLineTarget;
};

std::string benchmarkName(std::string_view group, std::string_view label, const FileSize& size) {
    return std::string(group) + '/' + std::string(label) + '/' + size.label;
}

std::string baselineName(const FileSize& size) {
    return benchmarkName("baseline", "read+memmem", size);
}

std::string searchName(const SearchCase& search, const FileSize& size) {
    return benchmarkName("search", search.label, size);
}

// Reads the file with open and read, as the engine does, and returns how many
// bytes arrived.
std::size_t readFile(const std::string& path, std::vector<char>& buffer) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    std::size_t total = 0;
    while (total < buffer.size()) {
        const ssize_t got = read(fd, buffer.data() + total, buffer.size() - total);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        total += static_cast<std::size_t>(got);
    }
    close(fd);
    return total;
}

const void* findAbsentWord(const std::vector<char>& buffer, std::size_t length) {
    return memmem(buffer.data(), length, kAbsentWord, sizeof kAbsentWord - 1);
}

void baselineReadAndMemmem(benchmark::State& state, const std::string& path,
                           std::size_t fileSize) {
    std::vector<char> buffer(fileSize);
    if (readFile(path, buffer) != fileSize) {
        state.SkipWithError("cannot read the generated file");
        return;
    }
    if (findAbsentWord(buffer, fileSize)) {
        state.SkipWithError("the absent word occurs in the generated file");
        return;
    }
    for (auto _ : state) {
        const std::size_t length = readFile(path, buffer);
        benchmark::DoNotOptimize(findAbsentWord(buffer, length));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fileSize));
}

// One call as the program makes it: the engine lower-cases the words in place
// and may overwrite one, so every call gets fresh copies.
std::uint32_t callSearch(const SearchCase& search, const std::string& path, std::size_t fileSize,
                         char* result) {
    std::array<std::string, 4> copies;
    std::array<char*, 4> words{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!search.words[i]) continue;
        copies[i] = search.words[i];
        words[i] = copies[i].data();
    }
    return stringSearch(path.c_str(), static_cast<std::int32_t>(fileSize), TYX12_IGNORE_CASE,
                        words[0], search.codes[0], words[1], search.codes[1], words[2],
                        search.codes[2], words[3], 0, kContextWords, search.allHits, result,
                        search.nearbyWords);
}

void engineSearch(benchmark::State& state, const std::string& path, std::size_t fileSize,
                  const SearchCase& search) {
    std::vector<char> result(kResultBufferSize);
    // A match where none was meant, or none where one was, would time another
    // path through the engine than the benchmark's name says.
    if ((callSearch(search, path, fileSize, result.data()) > 0) != search.matches) {
        state.SkipWithError(search.matches ? "no match in the generated file"
                                           : "unexpected match in the generated file");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(callSearch(search, path, fileSize, result.data()));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fileSize));
}

// Prints what the library's console reporter prints and keeps each
// benchmark's real time per iteration for the ratios after the run.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            Timing& timing = timings_[run.run_name.function_name];
            const double seconds =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (run.run_type == Run::RT_Iteration) {
                timing.repetitionSum += seconds;
                ++timing.repetitions;
            } else if (run.aggregate_name == "mean") {
                timing.mean = seconds;
            }
        }
    }

    // Mean seconds per iteration, if the benchmark ran. Repetitions arrive one
    // by one, or only as their mean with --benchmark_report_aggregates_only.
    std::optional<double> realTime(const std::string& name) const {
        const auto found = timings_.find(name);
        if (found == timings_.end()) return std::nullopt;
        const Timing& timing = found->second;
        if (timing.repetitions > 0) return timing.repetitionSum / timing.repetitions;
        return timing.mean;
    }

private:
    struct Timing {
        double repetitionSum = 0;
        int repetitions = 0;
        std::optional<double> mean;
    };
    std::map<std::string, Timing> timings_;
};

// Only pairs whose search and baseline both ran, so a filtered run still
// reports what it can.
void printRatios(const RecordingReporter& reporter) {
    bool headerPrinted = false;
    for (const SearchCase& search : kSearchCases) {
        for (const FileSize& size : kFileSizes) {
            const std::optional<double> engine = reporter.realTime(searchName(search, size));
            const std::optional<double> baseline = reporter.realTime(baselineName(size));
            if (!engine || !baseline || *baseline <= 0) continue;
            if (!headerPrinted) {
                std::printf("\nEngine time / baseline time (read the file + one memmem pass):\n");
                headerPrinted = true;
            }
            const std::string pair = std::string(search.label) + ' ' + size.label + ':';
            std::printf("  %-15s %6.2fx baseline\n", pair.c_str(), *engine / *baseline);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    try {
        tessaly::test::TempDir folder;
        const std::string text = TextGenerator(kTextSeed).generate(kFileSizes.back().bytes);
        for (const FileSize& size : kFileSizes) {
            const std::string path = folder.write(std::string(size.label) + ".txt",
                                                  std::string_view(text).substr(0, size.bytes));
            benchmark::RegisterBenchmark(baselineName(size).c_str(), baselineReadAndMemmem, path,
                                         size.bytes)
                ->Unit(benchmark::kMicrosecond);
            for (const SearchCase& search : kSearchCases)
                benchmark::RegisterBenchmark(searchName(search, size).c_str(), engineSearch, path,
                                             size.bytes, search)
                    ->Unit(benchmark::kMicrosecond);
        }

        RecordingReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color
                                                         : benchmark::ConsoleReporter::OO_None);
        benchmark::RunSpecifiedBenchmarks(&reporter);
        printRatios(reporter);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "engine_bench: %s\n", error.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
