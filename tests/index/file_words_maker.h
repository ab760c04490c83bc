// FileWords for the index tests: a file of a folder with the words given,
// recorded long ago, each word reversed byte by byte (the tests use ASCII).
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "index/file_words.h"

namespace tessaly::test {

inline FileWords fileWords(const std::string& folder, const std::string& name,
                           std::vector<std::string> words,
                           std::int64_t recordedNanoseconds = 1'000'000'000'000'000'000) {
    FileWords file;
    file.folder = folder;
    file.name = name;
    file.version = {1, std::hash<std::string>{}(folder + "/" + name), 100, 5, 5};
    file.recordedNanoseconds = recordedNanoseconds;
    for (const std::string& word : words) {
        file.words.add(word);
        file.reversedWords.add(std::string(word.rbegin(), word.rend()));
    }
    return file;
}

}  // namespace tessaly::test
