// tessaly-documents: reads documents' text for the programs, one document
// at a time, in a process of its own. The program hands over each document
// as an open file on standard input (a socket) and asks for its text a
// piece at a time; see documents/reader_messages.h.
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "documents/document_reading.h"
#include "documents/reader/reader_confinement.h"
#include "documents/reader_messages.h"

namespace tessaly {
namespace {

constexpr int kProgram = 0;
constexpr std::uint64_t kLongestAsk = 64;

// The document being read, and how much of its text the program has.
class CurrentDocument {
public:
    void begin(int fd, const reader::ReadRequest& request) {
        end();
        fd_ = fd;
        reading_ = std::make_unique<DocumentReading>(fd, request.kind, request.textLimit);
    }
    void end() {
        reading_.reset();
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        sent_ = 0;
    }
    // Answers one ask for more: the next piece, or the end. False when the
    // reader should end after it.
    bool answer() {
        if (!reading_) return reader::sendMessage(kProgram, reader::Message::end, reader::encode(reader::Ending{}));
        bool more = true;
        while (reading_->text().size() == sent_ && more) more = reading_->readMore();
        const std::string& text = reading_->text();
        if (text.size() > sent_) {
            const std::string_view piece = std::string_view(text).substr(sent_);
            sent_ = text.size();
            return reader::sendMessage(kProgram, reader::Message::text, piece);
        }
        reader::Ending ending{reading_->problem(), reading_->problem() == kNeedsTooMuchMemory};
        end();
        return reader::sendMessage(kProgram, reader::Message::end, reader::encode(ending)) && !ending.readerExits;
    }

private:
    int fd_ = -1;
    std::unique_ptr<DocumentReading> reading_;
    std::size_t sent_ = 0;
};

int serve() {
    CurrentDocument document;
    reader::Received message;
    for (;;) {
        if (reader::receiveMessage(kProgram, message, kLongestAsk) != reader::Receipt::received) return 0;
        switch (message.kind) {
        case reader::Message::read: {
            reader::ReadRequest request;
            if (message.attached < 0 || !reader::decode(message.payload, request)) return 1;
            limitProcessorTime(request.cpuSeconds);
            document.begin(message.attached, request);
            message.attached = -1;
            break;
        }
        case reader::Message::more:
            if (!document.answer()) return 0;
            break;
        case reader::Message::done:
            document.end();
            break;
        default:
            return 1;
        }
    }
}

// For the tests: exits 0 when, confined, the reader can neither make a
// socket nor open a file to write.
int checkConfinement() {
    if (!confineReader(0, ::getppid())) return 2;
    const bool socketRefused = ::socket(AF_INET, SOCK_STREAM, 0) < 0;
    const bool writeRefused = ::open("/dev/null", O_WRONLY) < 0;
    return socketRefused && writeRefused ? 0 : 1;
}

// Confined, the reader cannot run a leak checker's tracer at its exit; it
// leaves without one, as the reader always does.
[[noreturn]] void leave(int status) {
    std::fflush(nullptr);
    ::_exit(status);
}

}  // namespace
}  // namespace tessaly

int main(int argc, char** argv) {
    std::uint64_t memoryBytes = 0;
    pid_t parent = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--check-confinement") tessaly::leave(tessaly::checkConfinement());
        if (i + 1 >= argc) return 2;
        if (option == "--memory-limit") memoryBytes = std::strtoull(argv[++i], nullptr, 10);
        else if (option == "--parent") parent = static_cast<pid_t>(std::strtol(argv[++i], nullptr, 10));
        else return 2;
    }
    // Started by hand, with a terminal for its input: not how it is used.
    if (parent <= 0 || ::isatty(0)) return 2;
    tessaly::confineReader(memoryBytes, parent);
    tessaly::leave(tessaly::serve());
}
