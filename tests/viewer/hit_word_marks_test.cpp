// The viewer marks the hit words where the real engine says they stand: the
// places it counts in its search text must land on the words in the text the
// viewer shows, whatever the file's encoding, line ends and control bytes.
#include <gtest/gtest.h>

#include <fcntl.h>

#include "platform/engine_loader.h"
#include "platform/file_descriptor.h"
#include "platform/rtf_escape.h"
#include "run/file_content.h"
#include "temp_dir.h"
#include "viewer/body_text_decoder.h"
#include "viewer/hit_word_marker.h"
#include "viewer/viewer_body.h"

namespace tessaly {
namespace {

// What the viewer would mark in the file at `path` (or in `document`, the
// text of a document): each mark's text.
std::vector<std::string> markedWords(const EngineCalls& engine, const std::string& path,
                                     const std::string* document, const SearchWords& words,
                                     const RunArguments& arguments) {
    const FileDescriptor body(document ? -1 : ::open(path.c_str(), O_RDONLY));
    const FileDescriptor searched(document ? -1 : ::open(path.c_str(), O_RDONLY));
    DocumentText held;
    if (document) held.text = *document;
    std::string rtf;
    const bool read = streamViewerBody(engine, body.get(), path, 0, document ? &held : nullptr,
                                       [&rtf](std::string_view piece) {
                                           rtf += piece;
                                           return true;
                                       });
    EXPECT_TRUE(read);
    const std::u16string text = bodyText(rtf);
    auto places = hitWordsOf(engine, searched.get(), document ? std::string_view(*document) : "", arguments, words);
    EXPECT_TRUE(places.has_value());

    if (!places) return {};
    // Grown a little at a time, as the viewer's text grows.
    HitWordMarker marker(std::move(*places));
    std::vector<TextSpan> marks;
    for (std::size_t shown = 0; shown <= text.size(); shown += 7) {
        const auto more = marker.advance(std::u16string_view(text).substr(0, shown), false);
        marks.insert(marks.end(), more.begin(), more.end());
    }
    const auto rest = marker.advance(text, true);
    marks.insert(marks.end(), rest.begin(), rest.end());
    std::vector<std::string> found;
    for (const TextSpan& mark : marks)
        found.push_back(bytesFromUtf16(std::u16string_view(text).substr(mark.start, mark.length)));
    return found;
}

TEST(HitWordMarks, EveryHitWordIsMarkedWhereItStandsInTheViewersText) {
    Failure failure;
    const EngineCalls* engine = loadEngineFrom(TYX12_LIBRARY_PATH, failure);
    ASSERT_NE(engine, nullptr) << failure.describe();
    ASSERT_NE(engine->searchHitWords, nullptr);

    // Passages of ten words around each hit overlap here, as in a licence header.
    const std::string overlapping =
        "# This file is part of the GNU C Library. The GNU C Library is free software; you can\n"
        "# redistribute it and/or modify it under the terms of the GNU Lesser General Public\n"
        "# License as published by the Free Software Foundation; either version 2.1 of the\n"
        "# License, or (at your option) any later version. The GNU C Library is distributed\n"
        "# in the hope that it will be useful, but WITHOUT ANY WARRANTY; without even the\n"
        "# implied warranty of MERCHANTABILITY. You should have received a copy of the GNU\n";
    const std::vector<std::string> theTenTimes = {"the", "The", "the", "the", "the", "the", "The", "the", "the", "the"};
    RunArguments nearby;
    nearby.code1 = 213;
    nearby.nearbyWords = 3;
    const struct {
        const char* name;
        std::string bytes;
        SearchWords words;
        RunArguments arguments;
        std::vector<std::string> marked;
    } cases[] = {
        {"overlapping passages", overlapping, {"the", "", "", ""}, {}, theTenTimes},
        {"carriage returns, line feeds, NULs and control runs",
         std::string("\n\nthe\r\nfirst\x01\x02\x03the\0\0 t\0he\r\rTHE\t\x7f end", 37), {"the", "", "", ""}, {},
         {"the", "the", "the", "THE"}},
        {"blank lines, and line feeds among control bytes", "one\n\n\nthe\n\x01\n\x02\nthe\r\n\nTHE",
         {"the", "", "", ""}, {}, {"the", "the", "THE"}},
        {"curly quotes, dashes and characters beyond U+FFFF before the hits",
         "\xF0\x9F\x98\x80 \xE2\x80\x9C" "caf\xC3\xA9\xE2\x80\x9D \xE2\x80\x94 \xF0\x9D\x90\x80\xF0\x9D\x90\x81 Caf\xC3\xA9!",
         {"caf\xC3\xA9", "", "", ""}, {}, {"caf\xC3\xA9", "Caf\xC3\xA9"}},
        {"Windows-1252 bytes", "na\xEFve and NA\xCFVE", {"na\xC3\xAFve", "", "", ""}, {},
         {"na\xC3\xAFve", "NA\xC3\x8FVE"}},
        {"UTF-16 with its byte-order mark", std::string("\xFF\xFE" "a\0 \0" "=\xD8\x00\xDE" "b\0o\0o\0k\0", 18),
         {"book", "", "", ""}, {}, {"book"}},
        {"a star and two words", "walking the walk, walked", {"walk*", "the", "", ""}, {},
         {"walk", "the", "walk", "walk"}},
        {"NEARBY marks the words of the passages it keeps", "cat sat on the mat. cat a b c d e f g mat",
         {"cat", "mat", "", ""}, nearby, {"cat", "mat", "cat", "mat"}},
        {"NEARBY with no pair near enough marks nothing", "cat a b c d e f g mat", {"cat", "mat", "", ""}, nearby,
         {}},
    };
    test::TempDir folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.write("file.txt", c.bytes);
        EXPECT_EQ(markedWords(*engine, path, nullptr, c.words, c.arguments), c.marked);
    }
    // A document's text is searched and shown as held text.
    const std::string document = "The cat\nsat on the mat.";
    EXPECT_EQ(markedWords(*engine, "", &document, {"the", "", "", ""}, {}), (std::vector<std::string>{"The", "the"}));
}

}  // namespace
}  // namespace tessaly
