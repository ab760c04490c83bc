// A large file is read through a mapping; a file cut short by another program
// while it is read must read as ending there, never stop the process.
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "input_file.h"
#include "raw_source.h"
#include "temp_dir.h"

namespace tyx12::detail {
namespace {

TEST(FileMapping, AFileCutShortWhileMappedReadsAsZerosPastTheCut) {
    tessaly::test::TempDir dir;
    const std::size_t size = 3 * 1024 * 1024, cut = 100000;
    const std::string path = dir.write("big.log", std::string(size, 'a'));
    InputFile file(path.c_str());
    ASSERT_TRUE(file.isOpen());
    std::vector<unsigned char> buffer(512 * 1024);
    RawSource source(file, buffer.data(), buffer.size(), true);

    std::size_t read = 0, zerosPastCut = 0, lettersBeforeCut = 0;
    bool cutMade = false;
    for (RawPiece piece = source.peek(1); piece.count > 0; piece = source.peek(1)) {
        for (std::size_t k = 0; k < piece.count; ++k) {
            const std::size_t at = read + k;
            if (at < cut) lettersBeforeCut += piece.bytes[k] == 'a';
            else zerosPastCut += piece.bytes[k] == 0;
        }
        read += piece.count;
        source.consume(piece.count);
        if (!cutMade && read >= 64 * 1024) {
            // The next piece comes from the mapping, made before the cut.
            ASSERT_GT(source.peek(1).count, 0u);
            ASSERT_EQ(::truncate(path.c_str(), cut), 0);
            cutMade = true;
        }
    }
    EXPECT_EQ(read, size);
    EXPECT_EQ(lettersBeforeCut, cut);
    EXPECT_EQ(zerosPastCut, size - cut);
}

TEST(FileMappingDeathTest, ABusErrorThatIsNotAMappedFilesStillEndsTheProcess) {
    tessaly::test::TempDir dir;
    const std::string path = dir.write("big.log", std::string(1024 * 1024, 'a'));
    EXPECT_DEATH(
        {
            InputFile file(path.c_str());
            std::vector<unsigned char> buffer(512 * 1024);
            RawSource source(file, buffer.data(), buffer.size(), true);
            source.consume(source.peek(1).count);
            source.peek(1);  // the mapping, and with it the guard
            ::raise(SIGBUS);
        },
        "");
}

}  // namespace
}  // namespace tyx12::detail
