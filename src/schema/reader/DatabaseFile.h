#pragma once
// A database file opened read-only for libmdb: checked first (FileCheck.h), mapped into memory, and with
// its texts converted as UTF-16.

#include "ReaderProtocol.h"
#include "crypt/DecryptedPages.h"

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

// The bytes of a database file mapped read-only, so that libmdb reads its pages from memory instead of with
// a seek and a read of the file per page. Pages libmdb never reads are never loaded.
class FileMapping {
public:
    FileMapping() = default;
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;
    ~FileMapping() { unmap(); }

    bool map(const std::string& path);
    void* data() const { return address_; }
    std::size_t size() const { return size_; }
    void unmap();

private:
    void* address_ = nullptr;
    std::size_t size_ = 0;
};

struct DatabaseDeleter {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};

// An open database and the mapped file it reads from, or the decrypted copy of an encrypted file; both are
// declared first so that they outlive the handle.
struct Database {
    FileMapping file;
    encryption::DecryptedPages decrypted;
    std::unique_ptr<MdbHandle, DatabaseDeleter> handle;

    MdbHandle* get() const { return handle.get(); }
};

// What opens an encrypted file: the request's password, and the keys derived for the file opened last, which
// the reader keeps from one request to the next.
struct Credentials {
    std::string password;
    encryption::UnlockedKeys keys;
};

// Opens the file at path into database, decrypting it with the credentials when it is encrypted; the
// failure Access reports when it cannot.
std::optional<readerprotocol::Failure> openDatabase(const std::string& path, Credentials& credentials,
                                                    Database& database);
