// veltrane-reader: answers schema requests framed on stdin, one at a time, on a private copy of the original
// stdout. libmdb prints diagnostics to stderr and hex dumps to stdout even for some valid files, so fds 1
// and 2 point at /dev/null once the answer channel is saved, and nothing libmdb prints can reach the program
// or the user. A memory limit keeps a runaway property parser from taking the machine with it.
//
// Usage: veltrane-reader [--memory-limit-mb N]   (N = 0: no limit; default 1024)

#include "DatabaseFile.h"
#include "ReaderProtocol.h"
#include "RequestDispatch.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <signal.h>
#include <string>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace readerprotocol;

namespace {

constexpr unsigned long defaultMemoryLimitMb = 1024;
constexpr std::size_t sendSize = 16 * 1024;

bool readExactly(int fd, char* buffer, std::size_t size) {
    while (size > 0) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        buffer += got;
        size -= std::size_t(got);
    }
    return true;
}

bool writeAll(int fd, const std::string& bytes) {
    const char* data = bytes.data();
    std::size_t size = bytes.size();
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        size -= std::size_t(put);
    }
    return true;
}

// The next request, or nothing at end of input or on a malformed frame.
std::optional<Request> nextRequest(int fd) {
    char sizeBytes[4];
    if (!readExactly(fd, sizeBytes, sizeof sizeBytes))
        return std::nullopt;
    const std::uint32_t size = *frameSize(std::string_view(sizeBytes, sizeof sizeBytes));
    if (size > maxFrameSize)
        return std::nullopt;
    std::string payload(size, '\0');
    if (!readExactly(fd, payload.data(), size))
        return std::nullopt;
    std::optional<Request> request = decodeRequest(payload);
    // The payload may hold a password.
    ::explicit_bzero(payload.data(), payload.size());
    return request;
}

std::optional<unsigned long> parseMemoryLimit(int argc, char** argv) {
    unsigned long limit = defaultMemoryLimitMb;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--memory-limit-mb") != 0 || i + 1 >= argc)
            return std::nullopt;
        char* end = nullptr;
        errno = 0;
        limit = std::strtoul(argv[++i], &end, 10);
        if (errno != 0 || end == argv[i] || *end != '\0')
            return std::nullopt;
    }
    return limit;
}

// GCC says __SANITIZE_ADDRESS__, clang answers __has_feature(address_sanitizer).
#if defined(__SANITIZE_ADDRESS__)
#define VELTRANE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELTRANE_ADDRESS_SANITIZER 1
#endif
#endif

void limitMemory(unsigned long megabytes) {
#if defined(VELTRANE_ADDRESS_SANITIZER)
    // AddressSanitizer reserves terabytes of address space for its shadow memory; a limit would stop it.
    (void)megabytes;
#else
    if (megabytes == 0)
        return;
    const rlim_t bytes = rlim_t(megabytes) * 1024u * 1024u;
    const struct rlimit limit = {bytes, bytes};
    ::setrlimit(RLIMIT_AS, &limit);
#endif
}

// Keeps the answer channel on a descriptor of its own and sends fds 1 and 2 to /dev/null.
int privateAnswerChannel() {
    const int channel = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    if (channel < 0)
        return -1;
    const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (null < 0 || ::dup2(null, STDOUT_FILENO) < 0 || ::dup2(null, STDERR_FILENO) < 0)
        return -1;
    ::close(null);
    // A pipe of a megabyte (Linux's limit for anyone) lets the reader go on with the next batches of rows
    // while the program still writes the last ones out, instead of waiting whenever 64 KiB are in flight.
    // Where it cannot grow (another kind of channel, a lower limit), the pipe stays as it is.
    ::fcntl(channel, F_SETPIPE_SZ, 1 << 20);
    return channel;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<unsigned long> memoryLimit = parseMemoryLimit(argc, argv);
    if (!memoryLimit)
        return 64;
    // A reader stuck in a damaged file must not outlive the program that started it.
    const pid_t parent = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        return 0;
    const int channel = privateAnswerChannel();
    if (channel < 0)
        return 71;
    // A relative path must mean the file in the working folder, never one found along libmdb's search path.
    ::unsetenv("MDBPATH");
    ::unsetenv("MDBOPTS");
    ::signal(SIGPIPE, SIG_IGN);
    limitMemory(*memoryLimit);

    // The keys of the encrypted file read last, wiped when the reader ends.
    Credentials credentials;
    while (std::optional<Request> request = nextRequest(STDIN_FILENO)) {
        // Frames are gathered and written 16 KiB at a time (a whole schema has a frame per table), and
        // whatever is left once the answer is complete.
        std::string pending;
        const auto send = [&](const std::string& frame) {
            pending += frame;
            if (pending.size() < sendSize)
                return true;
            const bool sent = writeAll(channel, pending);
            pending.clear();
            return sent;
        };
        const bool answered = answerRequest(*request, credentials, send) && writeAll(channel, pending);
        ::explicit_bzero(request->password.data(), request->password.size());
        ::explicit_bzero(credentials.password.data(), credentials.password.size());
        if (!answered)
            return 74;
    }
    return 0;
}
