// Random bytes as what comes over the reader's socket: a reader that has
// been taken over by a document may send anything. Every message is taken
// or refused whole, and none is longer than the receiver allows.
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "documents/reader_messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaly::reader;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return 0;
    // The fuzzer's inputs are far smaller than the socket's buffer.
    if (size > 0 && ::write(ends[1], data, size) != static_cast<ssize_t>(size)) std::abort();
    ::close(ends[1]);
    constexpr std::uint64_t longest = 4096;
    Received message;
    while (receiveMessage(ends[0], message, longest) == Receipt::received) {
        if (message.payload.size() > longest) std::abort();
        Ending ending;
        ReadRequest request;
        Ending again;
        if (decode(message.payload, ending) &&
            (!decode(encode(ending), again) || again.problem != ending.problem ||
             again.readerExits != ending.readerExits))
            std::abort();
        if (decode(message.payload, request) && encode(request) != message.payload) std::abort();
    }
    if (message.attached >= 0) ::close(message.attached);
    ::close(ends[0]);
    return 0;
}
