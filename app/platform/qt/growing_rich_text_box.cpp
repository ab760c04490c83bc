#include "platform/qt/growing_rich_text_box.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "platform/qt/readable_colour.h"
#include "platform/qt/rtf_document_builder.h"
#include "platform/qt/rtf_writer.h"
#include "platform/rtf_reader.h"

namespace tessaly {

namespace {

// The result entries' text size: 9 points.
constexpr qreal kTextPoints = 9;

}  // namespace

GrowingRichTextBox::GrowingRichTextBox(QWidget* parent) : MarkedTextView(parent) {
    QFont textFont = font();
    textFont.setPointSizeF(kTextPoints);
    setFont(textFont);
}

void GrowingRichTextBox::clear() {
    MarkedTextView::clear();
    text_.clear();
    runs_.clear();
}

int GrowingRichTextBox::formatIndex(const RtfStyle& run) {
    const FormatSource source{colourTable_, run.bold, run.colour, run.fontSize};
    const auto seen = std::find(formatSources_.begin(), formatSources_.end(), source);
    if (seen != formatSources_.end()) return static_cast<int>(seen - formatSources_.begin());
    formatSources_.push_back(source);
    const QTextCharFormat format = rtfRunFormat(run, colours_);
    formats_.push_back(format);
    // Plain black text at the box's size is shown in the box's own colour,
    // so that it stays readable on a dark desktop.
    const QColor colour = format.foreground().color();
    const bool plain = format.fontWeight() <= QFont::Medium && format.fontPointSize() == kTextPoints &&
                       (format.foreground().style() == Qt::NoBrush || colour == Qt::black);
    QTextCharFormat shown = format;
    if (format.foreground().style() != Qt::NoBrush)
        shown.setForeground(readableOn(colour, palette().color(QPalette::Base)));
    // The engine writes a hit word bold in the table's first colour.
    if (run.bold && run.colour == 1) shown.setProperty(kHitWordProperty, true);
    markFormats_.push_back(plain ? -1 : addFormat(shown));
    return static_cast<int>(formats_.size() - 1);
}

// Takes the reader's text straight into the box, run by run.
class GrowingRichTextBox::Appender final : public RtfReceiver {
public:
    explicit Appender(GrowingRichTextBox& box) : box_(box) {}

    void text(std::u16string_view units, const RtfStyle& style) override {
        const int format = box_.formatIndex(style);
        const auto start = static_cast<std::uint32_t>(box_.text_.size());
        if (box_.runs_.empty() || box_.runs_.back().format != format)
            box_.runs_.push_back({start, static_cast<std::uint16_t>(format)});
        appendRtfRunText(box_.text_, units);
        const std::size_t length = box_.text_.size() - start;
        const int mark = box_.markFormats_[format];
        if (mark < 0) return;
        if (markFormat_ == mark && markStart_ + markLength_ == start) {
            markLength_ += length;
            return;
        }
        addPendingMark();
        markFormat_ = mark, markStart_ = start, markLength_ = length;
    }

    void paragraphEnd() override { box_.text_ += u'\n'; }

    // Marks of one format that follow each other are one.
    void addPendingMark() {
        if (markFormat_ >= 0) box_.addMark({markStart_, markLength_}, markFormat_);
        markFormat_ = -1;
    }

private:
    GrowingRichTextBox& box_;
    int markFormat_ = -1;
    std::size_t markStart_ = 0;
    std::size_t markLength_ = 0;
};

void GrowingRichTextBox::appendRtf(std::string_view rtf) {
    appendRtfUnshown(rtf);
    showAppended();
}

void GrowingRichTextBox::appendRtfUnshown(std::string_view rtf) {
    if (std::optional<RtfColourTable> table = readRtfColourTable(rtf)) {
        if (*table != colours_) ++colourTable_;
        colours_ = std::move(*table);
    }
    Appender appender(*this);
    readRtf(rtf, appender);
    appender.addPendingMark();
}

std::string GrowingRichTextBox::rtf() const {
    RtfWriter writer(colours_);
    QFont textFont = font();
    textFont.setPointSizeF(kTextPoints);
    writer.start(textFont);
    writer.startParagraph();
    const QString all = QString::fromRawData(reinterpret_cast<const QChar*>(text_.data()),
                                             static_cast<qsizetype>(text_.size()));
    std::size_t run = 0;
    for (std::size_t lineStart = 0;;) {
        const std::size_t lineEnd = std::min(text_.find(u'\n', lineStart), text_.size());
        // Every character but a line break belongs to a run.
        for (std::size_t at = lineStart; at < lineEnd;) {
            while (run + 1 < runs_.size() && runs_[run + 1].start <= at) ++run;
            const std::size_t runEnd = std::min<std::size_t>(
                lineEnd, run + 1 < runs_.size() ? runs_[run + 1].start : text_.size());
            writer.addRun(formats_[runs_[run].format],
                          all.mid(static_cast<qsizetype>(at), static_cast<qsizetype>(runEnd - at)));
            at = runEnd;
        }
        if (lineEnd == text_.size()) break;
        writer.startParagraph();
        lineStart = lineEnd + 1;
    }
    return writer.finish();
}

std::unique_ptr<QTextDocument> GrowingRichTextBox::document() const {
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    RtfColourTable colours;
    QTextCursor cursor(document.get());
    RtfDocumentBuilder(colours).insert(cursor, rtf());
    return document;
}

QTextCharFormat GrowingRichTextBox::formatAt(int offset) const {
    const auto after = std::upper_bound(runs_.begin(), runs_.end(), static_cast<std::uint32_t>(std::max(0, offset)),
                                        [](std::uint32_t at, const Run& run) { return at < run.start; });
    if (after == runs_.begin()) return {};
    return formats_[std::prev(after)->format];
}

}  // namespace tessaly
