// The generated Unicode tables and the Windows-1252 decode, checked against
// characters whose answers are known from the Unicode data itself.
#include "unicode_class.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tyx12::detail {
namespace {

std::string hex(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

TEST(UnicodeClass, CharKind) {
    const struct {
        char32_t c;
        CharKind kind;
    } cases[] = {
        {U'a', CharKind::Word},    {U'Z', CharKind::Word},    {U'0', CharKind::Word},
        {U'9', CharKind::Word},    {U' ', CharKind::Kept},    {U'.', CharKind::Kept},
        {U'\'', CharKind::Kept},   {U'_', CharKind::Kept},    {U'~', CharKind::Kept},
        {0x00, CharKind::Run},     {U'\t', CharKind::Run},    {U'\n', CharKind::Run},
        {0x1F, CharKind::Run},     {0x7F, CharKind::Run},     {0x00E9, CharKind::Word},
        {0x00B2, CharKind::Word},  {0x03A3, CharKind::Word},  {0x0436, CharKind::Word},
        {0x4E2D, CharKind::Word},  {0x3400, CharKind::Word},  {0x20000, CharKind::Word},
        {0xAC00, CharKind::Word},  {0xD7A3, CharKind::Word},  {0x0301, CharKind::Word},
        {0x0660, CharKind::Word},  {0x2160, CharKind::Word},  {0x2019, CharKind::Kept},
        {0x2018, CharKind::Kept},  {0x201C, CharKind::Kept},  {0x2014, CharKind::Kept},
        {0x00A0, CharKind::Blank}, {0x00B7, CharKind::Kept},  {0x20AC, CharKind::Kept},
        {0x00AB, CharKind::Kept},  {0x00A9, CharKind::Kept},  {0x3002, CharKind::Kept},
        {0x300C, CharKind::Kept},  {0x1F600, CharKind::Kept}, {0x3000, CharKind::Blank},
        {0x2028, CharKind::Run},   {0x2029, CharKind::Run},   {0x200B, CharKind::Run},
        {0xFFFD, CharKind::Run},   {0xE000, CharKind::Run},
        {0x10FFFD, CharKind::Run}, {0xD800, CharKind::Run},   {0xDFFF, CharKind::Run},
        {0x0085, CharKind::Run},   {0x0378, CharKind::Run},   {0xE0001, CharKind::Run},
        {0x10FFFF, CharKind::Run}, {0x110000, CharKind::Run}, {0xFFFFFFFF, CharKind::Run},
    };
    for (const auto& test : cases)
        EXPECT_EQ(static_cast<int>(charKind(test.c)), static_cast<int>(test.kind)) << hex(test.c);
}

TEST(UnicodeClass, SimpleFold) {
    const struct {
        char32_t c, folded;
    } cases[] = {
        {U'A', U'a'},     {U'Z', U'z'},         {U'I', U'i'},         {U'a', U'a'},
        {U'@', U'@'},     {U'[', U'['},         {0x00C9, 0x00E9},     {0x00E9, 0x00E9},
        {0x03A3, 0x03C3}, {0x03C2, 0x03C3},     {0x039F, 0x03BF},     {0x03A6, 0x03C6},
        {0x038A, 0x03AF}, {0x0391, 0x03B1},     {0x0416, 0x0436},     {0x0436, 0x0436},
        {0x00B5, 0x03BC}, {0x212A, U'k'},       {0x017F, U's'},       {0x1E9E, 0x00DF},
        {0x00DF, 0x00DF}, {0x0130, 0x0130},     {0x0131, 0x0131},     {0x10400, 0x10428},
        {0x2126, 0x03C9}, {0x24B6, 0x24D0},     {0xAB70, 0x13A0},     {0x13F8, 0x13F0},
        {0x4E2D, 0x4E2D}, {0x10FFFF, 0x10FFFF}, {0x110000, 0x110000}, {0xFFFFFFFF, 0xFFFFFFFF},
    };
    for (const auto& test : cases) EXPECT_EQ(simpleFold(test.c), test.folded) << hex(test.c);
}

TEST(UnicodeClass, FromWindows1252) {
    const struct {
        unsigned char b;
        char32_t c;
    } cases[] = {
        {0x00, 0x0000}, {0x41, U'A'},   {0x7F, 0x007F}, {0x80, 0x20AC},
        {0x81, 0xFFFD}, {0x8A, 0x0160}, {0x8D, 0xFFFD}, {0x8F, 0xFFFD},
        {0x90, 0xFFFD}, {0x92, 0x2019}, {0x96, 0x2013}, {0x9D, 0xFFFD},
        {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
    };
    for (const auto& test : cases)
        EXPECT_EQ(fromWindows1252(test.b), test.c) << static_cast<int>(test.b);
}

// A fold that needs folding again, or that turns a letter into something the
// word tests treat differently, would make a word miss its own folded form.
TEST(UnicodeClass, FoldIsStableAndKeepsWords) {
    int failures = 0;
    for (char32_t c = 0; c <= 0x10FFFF && failures < 10; ++c) {
        const char32_t folded = simpleFold(c);
        if (folded > 0x10FFFF || simpleFold(folded) != folded) {
            ADD_FAILURE() << hex(c) << " folds to " << hex(folded) << ", which folds again";
            ++failures;
        }
        if (charKind(c) == CharKind::Word && charKind(folded) != CharKind::Word) {
            ADD_FAILURE() << hex(c) << " is a word character, its fold " << hex(folded) << " not";
            ++failures;
        }
    }
}

}  // namespace
}  // namespace tyx12::detail
