// Turns RTF into the content of a QTextDocument: one block per paragraph,
// each run with its boldness, colour and size.
#pragma once

#include <string_view>

#include "platform/qt/rtf_colour_table.h"

#include <QString>
#include <QTextCharFormat>

#include "platform/rtf_reader.h"

class QTextCursor;

namespace tessaly {

// A run's boldness, colour (from `colours`, unless the table names none for
// it) and size as a character format.
QTextCharFormat rtfRunFormat(const RtfStyle& run, const RtfColourTable& colours);
// A run's text as a text box holds it: a line end inside it is a line
// separator, not a paragraph's end, and the characters a document reserves
// for its own structure are replaced.
QString rtfRunText(std::string_view bytes);
// The same, appended to `text`, from the reader's bytes or from its UTF-16.
void appendRtfRunText(std::u16string& text, std::string_view bytes);
void appendRtfRunText(std::u16string& text, std::u16string_view units);

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
