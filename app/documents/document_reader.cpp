#include "documents/document_reader.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "documents/reader_messages.h"
#include "platform/program_folder.h"

extern char** environ;

namespace tessaly {

namespace {

constexpr char kReaderName[] = "tessaly-documents";
// A reader that sends more text than it was allowed is not believed.
constexpr std::uint64_t kTextSlack = 1 << 20;
constexpr std::uint64_t kLongestEnding = 4096;

// A descriptor that will not land on standard input, output or error, where
// the reader's own ends are put.
int aboveStandardStreams(int fd) {
    if (fd > 2) return fd;
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    ::close(fd);
    return moved;
}

std::string problemOfExit(int status) {
    if (WIFSIGNALED(status)) {
        // The processor limit of the document was reached.
        if (WTERMSIG(status) == SIGXCPU) return kTookTooLong;
        // The reader's limits send no SIGKILL; the system's out-of-memory
        // killer does.
        if (WTERMSIG(status) == SIGKILL) return kNeedsTooMuchMemory;
    }
    return kCouldNotBeRead;
}

}  // namespace

std::string documentReaderProgram() {
    const std::string folder = programFolder();
    const std::string beside = folder + kReaderName;
    if (::access(beside.c_str(), X_OK) == 0) return beside;
    const std::string installed = folder + TESSALY_READER_FROM_PROGRAM_FOLDER + kReaderName;
    return std::filesystem::path(installed).lexically_normal().string();
}

DocumentReader::DocumentReader(std::string program)
    : program_(program.empty() ? documentReaderProgram() : std::move(program)) {}

DocumentReader::~DocumentReader() { end(true); }

int DocumentReader::end(bool killFirst) {
    if (socket_ >= 0) ::close(socket_);
    socket_ = -1;
    int status = 0;
    if (pid_ > 0) {
        if (killFirst) ::kill(pid_, SIGKILL);
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }
    pid_ = -1;
    return status;
}

bool DocumentReader::start(std::uint64_t memoryBytes) {
    end(true);
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
    const int ours = aboveStandardStreams(ends[0]);
    const int theirs = aboveStandardStreams(ends[1]);
    if (ours < 0 || theirs < 0) {
        if (ours >= 0) ::close(ours);
        if (theirs >= 0) ::close(theirs);
        return false;
    }
    // The reader talks on its standard input; what its libraries say about
    // damaged files goes nowhere.
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, theirs, 0);
    ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // Signals this program ignores or blocks (a broken pipe, say) are the
    // reader's own business again.
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    sigset_t none, every;
    sigemptyset(&none);
    sigfillset(&every);
    ::posix_spawnattr_setsigmask(&attributes, &none);
    ::posix_spawnattr_setsigdefault(&attributes, &every);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const std::string memory = std::to_string(memoryBytes);
    const std::string parent = std::to_string(::getpid());
    const char* arguments[] = {program_.c_str(), "--memory-limit", memory.c_str(), "--parent", parent.c_str(),
                               nullptr};
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, program_.c_str(), &actions, &attributes,
                                     const_cast<char* const*>(arguments), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::posix_spawnattr_destroy(&attributes);
    ::close(theirs);
    if (failed) {
        ::close(ours);
        return false;
    }
    pid_ = pid;
    socket_ = ours;
    memoryBytes_ = memoryBytes;
    return true;
}

void DocumentReader::endWith(const std::string& problem) {
    problem_ = problem;
    ended_ = true;
}

void DocumentReader::begin(int fd, DocumentKind kind, const DocumentLimits& limits) {
    text_.clear();
    problem_.clear();
    stopped_ = false;
    ended_ = false;
    textLimit_ = limits.textBytes;
    reader::ReadRequest request{kind, limits.textBytes, limits.cpuSeconds};
    const std::string asked = reader::encode(request);
    const bool running = pid_ > 0 && memoryBytes_ == limits.memoryBytes;
    // A reader left idle may have ended since (it does after a document
    // that exhausted it): one fresh start is allowed.
    if (running && reader::sendMessage(socket_, reader::Message::read, asked, fd)) return;
    if (start(limits.memoryBytes) && reader::sendMessage(socket_, reader::Message::read, asked, fd)) return;
    end(true);
    endWith("the document reader " + program_ + " could not be started");
}

bool DocumentReader::readMore(const std::atomic<bool>* stop) {
    if (ended_) return false;
    if (!reader::sendMessage(socket_, reader::Message::more, {})) {
        endWith(problemOfExit(end(false)));
        return false;
    }
    reader::Received reply;
    const std::uint64_t room = textLimit_ + kTextSlack - std::min<std::uint64_t>(text_.size(), textLimit_);
    const reader::Receipt receipt = reader::receiveMessage(socket_, reply, room, stop);
    if (reply.attached >= 0) ::close(reply.attached);
    if (receipt == reader::Receipt::stopped) {
        end(true);
        stopped_ = true;
        ended_ = true;
        return false;
    }
    if (receipt == reader::Receipt::received && reply.kind == reader::Message::text) {
        if (text_.empty()) text_.swap(reply.payload);
        else text_ += reply.payload;
        return true;
    }
    reader::Ending ending;
    if (receipt == reader::Receipt::received && reply.kind == reader::Message::end &&
        reply.payload.size() <= kLongestEnding && reader::decode(reply.payload, ending)) {
        if (ending.readerExits) end(false);
        endWith(ending.problem);
        return false;
    }
    // Closed: the reader died on this document. Anything else: it is not
    // to be trusted further.
    endWith(problemOfExit(end(receipt != reader::Receipt::closed)));
    return false;
}

void DocumentReader::finish() {
    if (!ended_ && socket_ >= 0 && !reader::sendMessage(socket_, reader::Message::done, {})) end(true);
    ended_ = true;
}

DocumentReader& threadDocumentReader() {
    thread_local DocumentReader reader;
    return reader;
}

DocumentText readDocument(int fd, DocumentKind kind, const DocumentLimits& limits, const std::atomic<bool>* stop) {
    DocumentReader& reader = threadDocumentReader();
    reader.begin(fd, kind, limits);
    while (reader.readMore(stop)) {
    }
    reader.finish();
    return {reader.takeText(), reader.problem()};
}

}  // namespace tessaly
