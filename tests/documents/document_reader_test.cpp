// The document reader process: a document made to hang or exhaust its
// reader costs that document alone, is named with its reason, and the next
// document is read by a fresh reader.
#include "documents/document_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "document_files.h"
#include "hostile_documents.h"

namespace tessaly::test {
namespace {

using Clock = std::chrono::steady_clock;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryLimited = false;  // the sanitizers need terabytes of address space
#else
constexpr bool kMemoryLimited = true;
#endif

DocumentText readThrough(DocumentReader& reader, const std::string& bytes, const DocumentLimits& limits) {
    const DocumentFile file(bytes);
    reader.begin(file.fd(), DocumentKind::pdf, limits);
    while (reader.readMore()) {
    }
    reader.finish();
    return {reader.text(), reader.problem()};
}

TEST(DocumentReader, AHostileDocumentIsNamedAndTheNextIsReadAsUsual) {
    DocumentLimits quick;
    quick.cpuSeconds = 1;
    DocumentLimits small;
    small.memoryBytes = std::uint64_t{256} << 20;
    const struct {
        const char* name;
        std::string bytes;
        DocumentLimits limits;
        const char* problem;
        bool runs;
    } cases[] = {
        {"forms drawing forms", formChainPdf(), quick, kTookTooLong, true},
        {"a state saved millions of times", manyStatesPdf(4'000'000), small, kNeedsTooMuchMemory, kMemoryLimited},
    };
    DocumentReader reader;
    for (const auto& c : cases) {
        if (!c.runs) continue;
        SCOPED_TRACE(c.name);
        const auto began = Clock::now();
        EXPECT_EQ(readThrough(reader, c.bytes, c.limits).problem, c.problem);
        EXPECT_LT(Clock::now() - began, std::chrono::seconds(10));
        const DocumentText next = readThrough(reader, pdfBytes({"after"}), c.limits);
        EXPECT_EQ(next.text, "after\n");
        EXPECT_EQ(next.problem, "");
    }
}

TEST(DocumentReader, StopEndsTheReaderAtOnce) {
    const DocumentFile file(formChainPdf());
    DocumentReader reader;
    std::atomic<bool> stop{false};
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        stop = true;
    });
    reader.begin(file.fd(), DocumentKind::pdf, {});
    const auto began = Clock::now();
    EXPECT_FALSE(reader.readMore(&stop));
    const auto took = Clock::now() - began;
    stopper.join();
    EXPECT_TRUE(reader.stopped());
    EXPECT_LT(took, std::chrono::milliseconds(300 + 200));
}

TEST(DocumentReader, CannotMakeSocketsOrWriteFiles) {
    EXPECT_EQ(std::system((documentReaderProgram() + " --check-confinement").c_str()), 0);
}

}  // namespace
}  // namespace tessaly::test
