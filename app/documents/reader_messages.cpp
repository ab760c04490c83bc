#include "documents/reader_messages.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tessaly::reader {

namespace {

constexpr std::size_t kHeaderSize = 1 + sizeof(std::uint64_t);
constexpr int kStopLookMilliseconds = 50;

template <typename Number>
void put(std::string& bytes, Number value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename Number>
bool take(std::string_view& bytes, Number& value) {
    if (bytes.size() < sizeof value) return false;
    std::memcpy(&value, bytes.data(), sizeof value);
    bytes.remove_prefix(sizeof value);
    return true;
}

// Until the socket has something to read; false once `stop` is set.
bool awaitReadable(int socket, const std::atomic<bool>* stop) {
    pollfd watched{socket, POLLIN, 0};
    for (;;) {
        if (stop && stop->load(std::memory_order_relaxed)) return false;
        const int ready = ::poll(&watched, 1, stop ? kStopLookMilliseconds : -1);
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return true;  // the read that follows tells what went wrong
    }
}

// Reads exactly `size` bytes, taking a descriptor that comes with them.
Receipt readExactly(int socket, char* into, std::size_t size, int* attached, const std::atomic<bool>* stop) {
    std::size_t done = 0;
    bool mayBeWaiting = false;
    while (done < size) {
        // A reply is usually there already: the wait is only for when it is not.
        if (mayBeWaiting && !awaitReadable(socket, stop)) return Receipt::stopped;
        if (stop && stop->load(std::memory_order_relaxed)) return Receipt::stopped;
        iovec part{into + done, size - done};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))];
        msghdr header{};
        header.msg_iov = &part;
        header.msg_iovlen = 1;
        header.msg_control = control;
        header.msg_controllen = sizeof control;
        const ssize_t got = ::recvmsg(socket, &header, MSG_CMSG_CLOEXEC | MSG_DONTWAIT);
        mayBeWaiting = got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        if (got < 0 && (errno == EINTR || mayBeWaiting)) continue;
        if (got < 0) return Receipt::failed;
        for (cmsghdr* c = CMSG_FIRSTHDR(&header); c; c = CMSG_NXTHDR(&header, c)) {
            if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_RIGHTS) continue;
            int fd;
            std::memcpy(&fd, CMSG_DATA(c), sizeof fd);
            if (attached && *attached < 0) *attached = fd;
            else ::close(fd);
        }
        if (got == 0) return done == 0 ? Receipt::closed : Receipt::failed;
        done += static_cast<std::size_t>(got);
    }
    return Receipt::received;
}

}  // namespace

std::string encode(const ReadRequest& request) {
    std::string bytes;
    put(bytes, static_cast<std::uint8_t>(request.kind));
    put(bytes, request.textLimit);
    put(bytes, request.cpuSeconds);
    return bytes;
}

bool decode(std::string_view bytes, ReadRequest& request) {
    std::uint8_t kind = 0;
    if (!take(bytes, kind) || !take(bytes, request.textLimit) || !take(bytes, request.cpuSeconds)) return false;
    if (kind > static_cast<std::uint8_t>(DocumentKind::lockedOffice)) return false;
    request.kind = static_cast<DocumentKind>(kind);
    return bytes.empty();
}

std::string encode(const Ending& ending) {
    std::string bytes(1, ending.readerExits ? '\1' : '\0');
    return bytes + ending.problem;
}

bool decode(std::string_view bytes, Ending& ending) {
    if (bytes.empty()) return false;
    ending.readerExits = bytes[0] != '\0';
    ending.problem.assign(bytes.substr(1));
    return true;
}

bool sendMessage(int socket, Message kind, std::string_view payload, int attached) {
    char head[kHeaderSize];
    head[0] = static_cast<char>(kind);
    const std::uint64_t length = payload.size();
    std::memcpy(head + 1, &length, sizeof length);
    iovec parts[2] = {{head, kHeaderSize}, {const_cast<char*>(payload.data()), payload.size()}};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))];
    msghdr header{};
    header.msg_iov = parts;
    header.msg_iovlen = payload.empty() ? 1 : 2;
    if (attached >= 0) {
        header.msg_control = control;
        header.msg_controllen = sizeof control;
        cmsghdr* c = CMSG_FIRSTHDR(&header);
        c->cmsg_level = SOL_SOCKET;
        c->cmsg_type = SCM_RIGHTS;
        c->cmsg_len = CMSG_LEN(sizeof(int));
        std::memcpy(CMSG_DATA(c), &attached, sizeof attached);
    }
    std::size_t left = kHeaderSize + payload.size();
    while (left > 0) {
        const ssize_t sent = ::sendmsg(socket, &header, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        left -= static_cast<std::size_t>(sent);
        // What is left goes without the descriptor, which went with the first byte.
        header.msg_control = nullptr;
        header.msg_controllen = 0;
        auto skipped = static_cast<std::size_t>(sent);
        while (skipped > 0 && header.msg_iovlen > 0) {
            iovec& first = header.msg_iov[0];
            const std::size_t step = std::min(skipped, first.iov_len);
            first.iov_base = static_cast<char*>(first.iov_base) + step;
            first.iov_len -= step;
            skipped -= step;
            if (first.iov_len == 0) {
                ++header.msg_iov;
                --header.msg_iovlen;
            }
        }
    }
    return true;
}

Receipt receiveMessage(int socket, Received& message, std::uint64_t longest, const std::atomic<bool>* stop) {
    if (message.attached >= 0) ::close(message.attached);
    message.attached = -1;
    char head[kHeaderSize];
    Receipt receipt = readExactly(socket, head, kHeaderSize, &message.attached, stop);
    if (receipt != Receipt::received) return receipt;
    message.kind = static_cast<Message>(head[0]);
    std::uint64_t length;
    std::memcpy(&length, head + 1, sizeof length);
    if (length > longest) return Receipt::failed;
    message.payload.resize(static_cast<std::size_t>(length));
    receipt = readExactly(socket, message.payload.data(), message.payload.size(), nullptr, stop);
    return receipt == Receipt::closed ? Receipt::failed : receipt;
}

}  // namespace tessaly::reader
