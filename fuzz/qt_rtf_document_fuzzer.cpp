// Random bytes into the rich-text box's document: building must take
// anything, and what the writer makes of the document must read back into
// the same text.
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/qt/rtf_colour_table.h"
#include "platform/qt/rtf_document_builder.h"
#include "platform/qt/rtf_writer.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tessaly::RtfColourTable colours;
    QTextDocument document;
    QTextCursor cursor(&document);
    tessaly::RtfDocumentBuilder(colours).insert(cursor, bytes);
    // A second piece without a table goes through the known one.
    tessaly::RtfDocumentBuilder(colours).insert(cursor, bytes.substr(0, size / 2));

    const std::string written = tessaly::RtfWriter(colours).write(document);
    tessaly::RtfColourTable readColours;
    QTextDocument again;
    QTextCursor againCursor(&again);
    tessaly::RtfDocumentBuilder(readColours).insert(againCursor, written);
    if (again.toPlainText() != document.toPlainText()) std::abort();
    if (tessaly::RtfWriter(readColours).write(again) != written) std::abort();
    return 0;
}
