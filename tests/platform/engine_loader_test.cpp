#include <gtest/gtest.h>

#include <vector>

#include "platform/engine_loader.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

TEST(EngineLoader, FindsTheEngineBesideTheProgram) {
    Failure failure;
    const EngineCalls* engine = loadEngine(failure);
    ASSERT_NE(engine, nullptr) << failure.describe();
    EXPECT_EQ(loadEngine(failure), engine) << "loaded once";

    test::TempDir dir;
    const std::string path = dir.write("a.txt", "one needle here");
    char word[] = "needle";
    std::vector<char> result(71200);
    EXPECT_GT(engine->stringSearch(path.c_str(), 15, TYX12_IGNORE_CASE, word, TYX12_AND, nullptr,
                                   TYX12_AND, nullptr, TYX12_AND, nullptr, 0, 10, 1, result.data(), 0),
              0u);
}

TEST(EngineLoader, AnUnloadableLibraryIsCode298) {
    test::TempDir dir;
    const struct {
        const char* name;
        std::string path;
    } cases[] = {
        {"missing", (dir.path() / "libnothing.so").string()},
        {"not a library", dir.write("libfake.so", "plain text")},
        {"a library without the exports", "libm.so.6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Failure failure;
        EXPECT_EQ(loadEngineFrom(c.path, failure), nullptr);
        EXPECT_EQ(failure.code, code::libraryNotLoadable);
        EXPECT_FALSE(failure.path.empty());
    }
}

}  // namespace
}  // namespace tessaly
