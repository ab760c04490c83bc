// Turns RTF into the content of a QTextDocument: one block per paragraph,
// each run with its boldness, colour and size.
#pragma once

#include <string_view>

#include "platform/qt/rtf_colour_table.h"

class QTextCursor;

namespace tessaly {

class RtfDocumentBuilder {
public:
    // `colours` is the table the document already knows. An RTF piece that
    // brings its own \colortbl replaces it; a piece without one (an entry
    // appended to the result pane after the first) colours its text from it.
    explicit RtfDocumentBuilder(RtfColourTable& colours) : colours_(colours) {}

    // Inserts at the cursor, replacing its selection; the cursor ends behind
    // the inserted text. A piece ending in \par leaves the cursor at the start
    // of a fresh paragraph, so the next piece begins on a line of its own.
    void insert(QTextCursor& cursor, std::string_view rtf);

private:
    RtfColourTable& colours_;
};

}  // namespace tessaly
