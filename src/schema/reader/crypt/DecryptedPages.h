#pragma once
// An encrypted database decrypted whole into anonymous memory for libmdb: never into a file, kept out of
// core dumps, locked against swapping where the system allows it, and wiped before it is given back.

#include "PageDecryption.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace encryption {

// The keys derived for the encrypted file opened last, kept from one open to the next so that the password
// check and key derivation (100,000 hash rounds for agile encryption) run once per file and password. The
// keys depend on the header page and the password alone, so a file with the same header page and password
// has the same keys. The password and keys are wiped when they are replaced and when this goes.
class UnlockedKeys {
public:
    UnlockedKeys() = default;
    UnlockedKeys(const UnlockedKeys&) = delete;
    UnlockedKeys& operator=(const UnlockedKeys&) = delete;
    ~UnlockedKeys() { forget(); }

    // The decrypter for this header page and password, from the last open when they are the same.
    std::variant<PageDecrypter*, UnlockFailure> unlock(const EncryptionInfo& info, EncodingKey key,
                                                       std::string_view header, std::string_view password);

private:
    void forget();

    std::string header_;
    std::string password_;
    std::optional<PageDecrypter> decrypter_;
};

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
    std::optional<UnlockFailure> decrypt(std::string_view file, std::string_view password,
                                         UnlockedKeys& keys);

private:
    bool allocate(std::size_t size);
    void release();

    unsigned char* address_ = nullptr;
    std::size_t size_ = 0;
    bool locked_ = false;
};

} // namespace encryption
