// Writes a QTextDocument as RTF that other readers open with the same text,
// boldness, colours and sizes: one paragraph per block, one group per run.
#pragma once

#include <QFont>
#include <QString>
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

    // The same for a text held otherwise, a piece at a time: the document's
    // font (which also sizes runs that give no size), then each paragraph in
    // order and its runs, then the finished document.
    void start(const QFont& font);
    void startParagraph();
    void addRun(const QTextCharFormat& format, const QString& text);
    std::string finish();

    // The table of the last document written.
    const RtfColourTable& colours() const { return colours_; }

private:
    struct RunStyle {
        bool bold = false;
        int colour = 0;
        int fontSize = 24;
        bool operator==(const RunStyle&) const = default;
    };
    int colourIndex(const QTextCharFormat& format);
    void writePendingRun();

    RtfColourTable colours_;
    QFont font_;
    std::string body_;
    bool firstParagraph_ = true;
    RunStyle pendingStyle_;
    QString pending_;
};

}  // namespace tessaly
