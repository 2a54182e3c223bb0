#include "FileCheck.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The header of every Jet and ACE file: a signature at offset 4 and the version byte at 0x14
// (0 for Jet 3 with 2 KB pages, anything later uses 4 KB pages).
constexpr off_t signatureOffset = 4;
constexpr char jetSignature[] = "Standard Jet DB";
constexpr char aceSignature[] = "Standard ACE DB";
constexpr std::size_t signatureLength = sizeof(jetSignature) - 1;
constexpr std::size_t versionOffset = 0x14;
constexpr off_t jet3PageSize = 2048;
constexpr off_t laterPageSize = 4096;

FileVerdict verdictForErrno(int error) {
    return (error == EACCES || error == EPERM) ? FileVerdict::CannotOpen : FileVerdict::Missing;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

FileVerdict checkDatabaseFile(const std::string& path) {
    // stat() first: opening a FIFO would block until someone writes to it.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return verdictForErrno(errno);
    if (!S_ISREG(info.st_mode))
        return FileVerdict::CannotOpen;

    // O_NONBLOCK guards against the path being swapped for a FIFO between stat() and open().
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.get() < 0)
        return verdictForErrno(errno);
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return FileVerdict::CannotOpen;

    unsigned char header[versionOffset + 1] = {};
    if (::pread(file.get(), header, sizeof header, 0) != ssize_t(sizeof header))
        return FileVerdict::NotADatabase;
    const char* signature = reinterpret_cast<const char*>(header + signatureOffset);
    if (std::memcmp(signature, jetSignature, signatureLength) != 0 &&
        std::memcmp(signature, aceSignature, signatureLength) != 0)
        return FileVerdict::NotADatabase;
    const off_t pageSize = header[versionOffset] == 0 ? jet3PageSize : laterPageSize;
    if (info.st_size < 2 * pageSize)
        return FileVerdict::NotADatabase;
    return FileVerdict::Database;
}
