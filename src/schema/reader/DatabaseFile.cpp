#include "DatabaseFile.h"

#include "FileCheck.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace readerprotocol;

namespace {

// libmdb converts Jet 4 and later texts with a UCS-2 converter, which knows no surrogate pairs and turns
// every character outside the Basic Multilingual Plane into "??". UTF-16LE converts them whole; the old
// converters are kept when the new ones cannot be had.
void convertTextsAsUtf16(MdbHandle* mdb) {
    if (mdb->f->jet_version == MDB_VER_JET3)
        return;
    const auto none = iconv_t(-1);
    const iconv_t in = iconv_open("UTF-8", "UTF-16LE");
    const iconv_t out = iconv_open("UTF-16LE", "UTF-8");
    if (in == none || out == none) {
        if (in != none)
            iconv_close(in);
        if (out != none)
            iconv_close(out);
        return;
    }
    if (mdb->iconv_in != none)
        iconv_close(mdb->iconv_in);
    if (mdb->iconv_out != none)
        iconv_close(mdb->iconv_out);
    mdb->iconv_in = in;
    mdb->iconv_out = out;
}

// What the user is told when an encrypted file cannot be opened.
Failure encryptionFailure(const encryption::UnlockFailure& failure, const std::string& path) {
    using Kind = encryption::UnlockFailure::Kind;
    switch (failure.kind) {
    case Kind::WrongPassword:
        return failureFor(NotValidPassword, path);
    case Kind::Unsupported:
        return {UnrecognizedFormat, "The database '" + path + "' is encrypted with " + failure.reason +
                                        ", which this program cannot decrypt."};
    case Kind::Damaged:
        return {DatabaseDamaged, "Cannot open database '" + path +
                                     "'. Its encryption info is damaged: " + failure.reason + "."};
    case Kind::NoCrypto:
        break;
    }
    return {CannotOpenFile, "Cannot decrypt the database '" + path + "': " + failure.reason + "."};
}

} // namespace

bool FileMapping::map(const std::string& path) {
    unmap();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat status {};
    void* address = MAP_FAILED;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
        address = ::mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (address == MAP_FAILED)
        return false;
    address_ = address;
    size_ = static_cast<std::size_t>(status.st_size);
    return true;
}

void FileMapping::unmap() {
    if (address_)
        ::munmap(address_, size_);
    address_ = nullptr;
    size_ = 0;
}

std::optional<Failure> openDatabase(const std::string& path, Credentials& credentials, Database& database) {
    switch (checkDatabaseFile(path)) {
    case FileVerdict::Missing:
        return failureFor(FileNotFound, path);
    case FileVerdict::CannotOpen:
        return failureFor(CannotOpenFile, path);
    case FileVerdict::NotADatabase:
        return failureFor(UnrecognizedFormat, path);
    case FileVerdict::Database:
        break;
    }
    database.handle.reset();
    // A file that cannot be mapped is opened the ordinary way, to fail or succeed as libmdb decides.
    if (database.file.map(path)) {
        const std::string_view bytes(static_cast<const char*>(database.file.data()), database.file.size());
        if (const std::optional<encryption::UnlockFailure> failure =
                database.decrypted.decrypt(bytes, credentials.password, credentials.keys))
            return encryptionFailure(*failure, path);
        if (database.decrypted.empty()) {
            database.handle.reset(mdb_open_buffer(database.file.data(), database.file.size(), MDB_NOFLAGS));
        } else {
            // The encrypted bytes are not needed again, and the reader's memory limit counts both copies.
            database.file.unmap();
            database.handle.reset(
                mdb_open_buffer(database.decrypted.data(), database.decrypted.size(), MDB_NOFLAGS));
        }
    } else {
        database.handle.reset(mdb_open(path.c_str(), MDB_NOFLAGS));
    }
    if (!database.handle)
        return failureFor(UnrecognizedFormat, path);
    convertTextsAsUtf16(database.get());
    return std::nullopt;
}
