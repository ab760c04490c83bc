// Writes a QTextDocument as RTF that other readers open with the same text,
// boldness, colours and sizes: one paragraph per block, one group per run.
#pragma once

#include <string>

#include "platform/qt/rtf_colour_table.h"

class QTextCharFormat;
class QTextDocument;

namespace tessaly {

class RtfWriter {
public:
    // The table the document was read with comes first, so that a saved
    // result keeps the colour numbers of the pane it came from; colours the
    // document uses beyond it are added behind.
    explicit RtfWriter(RtfColourTable colours) : colours_(std::move(colours)) {}

    std::string write(const QTextDocument& document);

    // The table of the last document written.
    const RtfColourTable& colours() const { return colours_; }

private:
    int colourIndex(const QTextCharFormat& format);

    RtfColourTable colours_;
};

}  // namespace tessaly
