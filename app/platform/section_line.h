// What one line of a section file is: the tests the readers and writers of
// the category file, the word file and the scope file apply to a line as
// read, without its line end.
#pragma once

#include <vector>

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// At least one "[" and at least one "]", in any order. Such a line ends any
// section being read.
bool isBracketLine(std::string_view line);

// "[" and "]" with the first "]" after the first "[".
bool isHeaderLine(std::string_view line);

// The whole line is "[" + name + "]": no trimming, case-sensitive.
bool isExactHeader(std::string_view line, std::string_view name);

// The name a header line stands for, or nothing for any other line.
//
// The rule measures the distance between the first "[" and the first "]" in
// the untrimmed line and takes that many characters, less one, after the
// first character of the trimmed line: "[Work]" and "  [ Work ] " give Work,
// while text before the "[" shifts the window ("x[ab]" gives "[a"). Stored
// files have been read this way all along, so the odd cases stay as they are.
// Positions count UTF-8 characters, not bytes, so the window never cuts a
// character in half.
std::optional<std::string> headerName(std::string_view line);

// The header line the program writes for a section named `name`.
std::string headerFor(std::string_view name);

// The lines of a section file's bytes. Lines end at LF; a CR just before it,
// or a CR closing the last line, belongs to the line end. A CR anywhere else
// is text.
std::vector<std::string_view> splitLines(std::string_view bytes);

}  // namespace tessaly
