// What reading documents in the reader process costs against reading them
// in the program itself, over the same files: every document of the folders
// given, read whole both ways, in turns so that neither has the cache to
// itself.
//   document_reading_bench FOLDER...
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "documents/document_kind.h"
#include "documents/document_reader.h"
#include "documents/document_text.h"

using namespace tessaly;
using Clock = std::chrono::steady_clock;

namespace {

DocumentKind kindOf(int fd) {
    std::string start(64 * 1024, '\0');
    const ssize_t got = ::pread(fd, start.data(), start.size(), 0);
    start.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return documentKindOf(start);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i)
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i]))
            if (entry.is_regular_file()) files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    double inProgram = 0, inReader = 0;
    std::size_t documents = 0, bytesInProgram = 0, bytesInReader = 0, differ = 0;
    for (int round = 0; round < 2; ++round) {
        for (const std::string& path : files) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) continue;
            const DocumentKind kind = kindOf(fd);
            if (kind == DocumentKind::none) {
                ::close(fd);
                continue;
            }
            // Which goes first changes with the round.
            DocumentText here, there;
            for (int turn = 0; turn < 2; ++turn) {
                const bool readerTurn = (turn + round) % 2 == 1;
                const auto began = Clock::now();
                if (readerTurn) there = readDocument(fd, kind);
                else here = documentText(fd, kind);
                const double seconds = std::chrono::duration<double>(Clock::now() - began).count();
                (readerTurn ? inReader : inProgram) += seconds;
            }
            if (round == 0) {
                ++documents;
                bytesInProgram += here.text.size();
                bytesInReader += there.text.size();
                if (here.text != there.text || here.problem != there.problem) ++differ;
            }
            ::close(fd);
        }
    }
    std::printf("%zu documents, %zu bytes of text (%zu through the reader), %zu read differently\n", documents,
                bytesInProgram, bytesInReader, differ);
    std::printf("in the program %.3f s, in the reader %.3f s: %.3fx\n", inProgram, inReader, inReader / inProgram);
    return differ == 0 ? 0 : 1;
}
