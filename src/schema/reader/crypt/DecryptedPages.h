#pragma once
// An encrypted database decrypted whole into anonymous memory for libmdb: never into a file, kept out of
// core dumps, locked against swapping where the system allows it, and wiped before it is given back.

#include "PageDecryption.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace encryption {

class DecryptedPages {
public:
    DecryptedPages() = default;
    DecryptedPages(const DecryptedPages&) = delete;
    DecryptedPages& operator=(const DecryptedPages&) = delete;
    ~DecryptedPages() { release(); }

    // Empty when the file was not encrypted.
    bool empty() const { return size_ == 0; }
    void* data() const { return address_; }
    std::size_t size() const { return size_; }

    // Decrypts file, the bytes of a whole database, when its header says it is encrypted; leaves this
    // empty when it is not. The failure when the password is missing or wrong, the encryption is not one
    // this reader knows, or its description is damaged.
    std::optional<UnlockFailure> decrypt(std::string_view file, std::string_view password);

private:
    bool allocate(std::size_t size);
    void release();

    unsigned char* address_ = nullptr;
    std::size_t size_ = 0;
    bool locked_ = false;
};

} // namespace encryption
