// The program's end of the document reader: a process of its own
// (tessaly-documents) in which the PDF library and the package readers run,
// so that a document that loops for ever, asks for all the memory there is or
// crashes its library costs the search that one document, never the program.
// The reader is started at the first document, reused for the ones after,
// and started afresh after a document it could not survive.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "documents/document_kind.h"
#include "documents/document_text.h"

namespace tessaly {

struct DocumentLimits {
    // The reader's whole address space, libraries included.
    std::uint64_t memoryBytes = std::uint64_t{1} << 30;
    // Processor time for one document.
    std::uint32_t cpuSeconds = 20;
    std::size_t textBytes = kDocumentTextLimit;
};

inline constexpr char kTookTooLong[] = "it took too long to read";
inline constexpr char kCouldNotBeRead[] = "it could not be read";

class DocumentReader {
public:
    // `program`: the reader to start; by default the one installed with this program.
    explicit DocumentReader(std::string program = {});
    // Ends the reader at once, whatever it is doing.
    ~DocumentReader();
    DocumentReader(const DocumentReader&) = delete;
    DocumentReader& operator=(const DocumentReader&) = delete;

    // Begins the document open on `fd`; the descriptor stays the caller's.
    void begin(int fd, DocumentKind kind, const DocumentLimits& limits);
    // Adds the next piece of the document's text (a page of a PDF) to text().
    // False once the text has ended, or when `stop` was set while the reader
    // worked: the reader is then ended at once and stopped() says so.
    bool readMore(const std::atomic<bool>* stop = nullptr);
    // Tells the reader that no more of this document is wanted.
    void finish();

    const std::string& text() const { return text_; }
    std::string takeText() { return std::move(text_); }
    // Why the text stops short or is missing; empty when it is whole.
    const std::string& problem() const { return problem_; }
    bool stopped() const { return stopped_; }

private:
    bool start(std::uint64_t memoryBytes);
    // Ends the reader and tells how it ended.
    int end(bool killFirst);
    void endWith(const std::string& problem);

    std::string program_;
    pid_t pid_ = -1;
    int socket_ = -1;
    std::uint64_t memoryBytes_ = 0;
    std::size_t textLimit_ = 0;
    std::string text_;
    std::string problem_;
    bool ended_ = true;
    bool stopped_ = false;
};

// This thread's reader, started at its first document and ended with the thread.
DocumentReader& threadDocumentReader();

// The text of the document open on `fd`, whole, through this thread's reader.
DocumentText readDocument(int fd, DocumentKind kind, const DocumentLimits& limits = {},
                          const std::atomic<bool>* stop = nullptr);

// Where the reader program is: beside the running program (a build), else
// where it is installed relative to it.
std::string documentReaderProgram();

}  // namespace tessaly
