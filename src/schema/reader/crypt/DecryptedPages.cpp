#include "DecryptedPages.h"

#include "EncryptionInfo.h"

#include <openssl/crypto.h>

#include <cstring>
#include <sys/mman.h>

namespace encryption {

namespace {

// The version byte of the header: Jet 3 and Jet 4 pages are masked by the engine (libmdb reads them);
// ACE files, 2 and later, use the Office encryption.
constexpr std::size_t versionOffset = 0x14;
constexpr unsigned char firstAceVersion = 2;
constexpr std::size_t acePageSize = 4096;
constexpr std::size_t encodingKeyOffset = 0x3e;
constexpr std::size_t infoLengthOffset = 0x299;

} // namespace

bool DecryptedPages::allocate(std::size_t size) {
    release();
    void* address = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (address == MAP_FAILED)
        return false;
    ::madvise(address, size, MADV_DONTDUMP);
    ::madvise(address, size, MADV_WIPEONFORK);
    // Most systems allow only a few megabytes locked: a larger file is decrypted all the same.
    locked_ = ::mlock(address, size) == 0;
    address_ = static_cast<unsigned char*>(address);
    size_ = size;
    return true;
}

void DecryptedPages::release() {
    if (!address_)
        return;
    OPENSSL_cleanse(address_, size_);
    if (locked_)
        ::munlock(address_, size_);
    ::munmap(address_, size_);
    address_ = nullptr;
    size_ = 0;
    locked_ = false;
}

void UnlockedKeys::forget() {
    OPENSSL_cleanse(password_.data(), password_.size());
    password_.clear();
    header_.clear();
    decrypter_.reset();
}

std::variant<PageDecrypter*, UnlockFailure> UnlockedKeys::unlock(const EncryptionInfo& info, EncodingKey key,
                                                                 std::string_view header,
                                                                 std::string_view password) {
    if (decrypter_ && header == header_ && password.size() == password_.size() &&
        CRYPTO_memcmp(password.data(), password_.data(), password.size()) == 0)
        return &*decrypter_;
    forget();
    std::variant<PageDecrypter, UnlockFailure> unlocked = PageDecrypter::unlock(info, key, password);
    if (auto* failure = std::get_if<UnlockFailure>(&unlocked))
        return std::move(*failure);
    decrypter_.emplace(std::move(std::get<PageDecrypter>(unlocked)));
    header_.assign(header);
    password_.assign(password);
    return &*decrypter_;
}

std::optional<UnlockFailure> DecryptedPages::decrypt(std::string_view file, std::string_view password,
                                                     UnlockedKeys& keys) {
    release();
    if (file.size() < 2 * acePageSize || static_cast<unsigned char>(file[versionOffset]) < firstAceVersion)
        return std::nullopt;
    const std::string_view header = file.substr(0, acePageSize);
    // A file without encryption info is not encrypted: most files, spared the unmasking of the key.
    if (header[infoLengthOffset] == 0 && header[infoLengthOffset + 1] == 0)
        return std::nullopt;
    const std::optional<EncodingKey> key = encodingKeyOf(header);
    if (!key)
        return UnlockFailure{UnlockFailure::Kind::NoCrypto,
                             "RC4 is not available (OpenSSL's legacy provider)"};
    const EncryptionInfo info = readEncryptionInfo(*key, header);
    if (std::holds_alternative<NotEncrypted>(info))
        return std::nullopt;
    std::variant<PageDecrypter*, UnlockFailure> unlocked = keys.unlock(info, *key, header, password);
    if (auto* failure = std::get_if<UnlockFailure>(&unlocked))
        return std::move(*failure);
    PageDecrypter& decrypter = *std::get<PageDecrypter*>(unlocked);
    if (!allocate(file.size()))
        return UnlockFailure{UnlockFailure::Kind::NoCrypto, "no memory for the decrypted pages"};

    // The header page is not encrypted. Its encoding key is cleared in the copy (the header's mask is a
    // stream cipher, so the stored bytes XOR the key give the masked zero), or libmdb would decode every
    // page once more as if the engine had masked it.
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    std::memcpy(address_, bytes, acePageSize);
    for (std::size_t i = 0; i < 4; ++i)
        address_[encodingKeyOffset + i] ^= static_cast<unsigned char>(*key >> (8 * i));
    for (std::size_t offset = acePageSize; offset < file.size(); offset += acePageSize) {
        const std::size_t size = std::min(acePageSize, file.size() - offset);
        if (!decrypter.decrypt(std::uint32_t(offset / acePageSize), bytes + offset, address_ + offset,
                               size)) {
            release();
            return UnlockFailure{UnlockFailure::Kind::NoCrypto, "a page could not be decrypted"};
        }
    }
    return std::nullopt;
}

} // namespace encryption
