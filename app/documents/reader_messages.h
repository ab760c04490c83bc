// What the program and its document reader say to each other over the
// socket between them. Every message is a kind byte and a length, then that
// many bytes; a document to read travels as its open file, attached to the
// message that asks for it, so the reader never opens a file by name.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "documents/document_kind.h"

namespace tessaly::reader {

enum class Message : char {
    read = 'R',  // program to reader: read the attached document (a ReadRequest)
    more = 'M',  // program to reader: the next piece of its text, please
    done = 'D',  // program to reader: no more of this document is wanted
    text = 'T',  // reader to program: a piece of the text
    end = 'E',   // reader to program: the text has ended (an Ending)
};

struct ReadRequest {
    DocumentKind kind = DocumentKind::none;
    std::uint64_t textLimit = 0;
    std::uint32_t cpuSeconds = 0;
};
std::string encode(const ReadRequest& request);
bool decode(std::string_view bytes, ReadRequest& request);

struct Ending {
    // Why the text stops short or is missing; empty when it is whole.
    std::string problem;
    // The reader exits after this message: its libraries may be in no state
    // to read another document (after running out of memory, say).
    bool readerExits = false;
};
std::string encode(const Ending& ending);
bool decode(std::string_view bytes, Ending& ending);

// Sends one message with `attached` (a descriptor, or -1) riding along.
// False when the peer is gone.
bool sendMessage(int socket, Message kind, std::string_view payload, int attached = -1);

struct Received {
    Message kind{};
    std::string payload;
    int attached = -1;  // the receiver's to close
};

enum class Receipt { received, closed, stopped, failed };

// Waits for one message. With `stop`, looks at it every 50 ms while waiting
// and gives up once it is set. A payload longer than `longest` is a failure:
// the peer is not to be believed.
Receipt receiveMessage(int socket, Received& message, std::uint64_t longest,
                       const std::atomic<bool>* stop = nullptr);

}  // namespace tessaly::reader
