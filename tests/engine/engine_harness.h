// Calls the engine's exports the way the program does: fresh copies of the
// words, a result buffer of the program's size, a file on disk.
#pragma once

#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "temp_dir.h"
#include "tyx12/tyx12.h"

namespace tessaly::test {

inline constexpr int AND = TYX12_AND, OR = TYX12_OR, NOT = TYX12_NOT, NEAR = TYX12_NEARBY;
inline constexpr int IGNORE_CASE = TYX12_IGNORE_CASE, MATCH_CASE = TYX12_MATCH_CASE;

// What the program passes for its result buffer.
inline constexpr std::size_t kProgramResultBuffer = 71200;

struct SearchCall {
    std::array<std::optional<std::string>, 4> words;
    std::array<int, 3> codes{AND, AND, AND};
    int caseCode = IGNORE_CASE;
    int smartSearch = 0;
    int contextWords = 10;
    int allHits = 1;
    int nearbyWords = 0;
    std::optional<int> fileSize;  // the file's length unless set
};

struct SearchOutcome {
    std::uint32_t length = 0;
    std::string result;                          // the buffer's text after the call
    std::array<std::optional<std::string>, 4> wordsAfter;  // the word buffers after the call
    bool matched() const { return length > 0; }
};

inline SearchOutcome callSearch(const std::string& path, const SearchCall& call,
                                char fill = ' ') {
    std::vector<char> buffer(kProgramResultBuffer, fill);
    buffer.back() = '\0';
    std::array<std::vector<char>, 4> copies;
    std::array<char*, 4> words{};
    for (int i = 0; i < 4; ++i) {
        if (!call.words[i]) continue;
        copies[i].assign(call.words[i]->begin(), call.words[i]->end());
        copies[i].push_back('\0');
        words[i] = copies[i].data();
    }
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    const int fileSize = call.fileSize ? *call.fileSize : (ec ? 0 : static_cast<int>(size));
    SearchOutcome outcome;
    outcome.length = stringSearch(path.c_str(), fileSize, call.caseCode, words[0], call.codes[0],
                                  words[1], call.codes[1], words[2], call.codes[2], words[3],
                                  call.smartSearch, call.contextWords, call.allHits, buffer.data(),
                                  call.nearbyWords);
    outcome.result = buffer.data();
    for (int i = 0; i < 4; ++i)
        if (words[i]) outcome.wordsAfter[i] = std::string(words[i]);
    return outcome;
}

// Convenience for the common case: one file's text, a call, the outcome.
class EngineTest : public ::testing::Test {
protected:
    SearchOutcome search(const std::string& text, const SearchCall& call) {
        return callSearch(dir_.write("file.txt", text), call);
    }
    TempDir dir_;
};

inline SearchCall words(std::initializer_list<std::optional<std::string>> list,
                        std::array<int, 3> codes = {AND, AND, AND}) {
    SearchCall call;
    int i = 0;
    for (const auto& word : list) call.words[i++] = word;
    call.codes = codes;
    return call;
}

// The RTF the engine wraps around each highlighted word and after each line.
inline const std::string kOpen = "{\\fs18\\cf1\\b ";
inline const std::string kClose = "}";
inline const std::string kSeparator = "{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }";

inline std::string hl(const std::string& word) { return kOpen + word + kClose; }

// The collected text for these result lines.
inline std::string lines(std::initializer_list<std::string> shown) {
    std::string out;
    for (const auto& line : shown) out += line + kSeparator;
    return out;
}

}  // namespace tessaly::test
