#pragma once
// The keys of an encrypted Access file and the decryption of its pages, with OpenSSL. The password is
// checked against the file's verifier before any page is decrypted; every key, hash and intermediate value
// is wiped when it is no longer needed and when the decrypter goes.

#include "EncryptionInfo.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace encryption {

struct UnlockFailure {
    enum class Kind { WrongPassword, Unsupported, Damaged, NoCrypto };
    Kind kind = Kind::Damaged;
    std::string reason; // Unsupported: the name of the encryption; otherwise a note for the curious
};

class PageDecrypter {
public:
    struct State;

    // Checks the password (UTF-8) against the file's encryption info and derives the page keys.
    static std::variant<PageDecrypter, UnlockFailure> unlock(const EncryptionInfo& info, EncodingKey key,
                                                             std::string_view password);

    PageDecrypter(PageDecrypter&&) noexcept;
    PageDecrypter& operator=(PageDecrypter&&) noexcept;
    ~PageDecrypter();

    // Decrypts one page (in and out may be the same bytes). Pages are whole cipher blocks; a trailing
    // partial block is copied as it is. False when the cipher fails.
    bool decrypt(std::uint32_t pageNumber, const unsigned char* in, unsigned char* out, std::size_t size);

private:
    explicit PageDecrypter(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

// The encoding key of an ACE header page: the 4 bytes at 0x3e, under the fixed RC4 mask of the header.
// Nothing when the page is too short or RC4 is not available.
std::optional<EncodingKey> encodingKeyOf(std::string_view headerPage);

// The password as the Office encryption hashes it: UTF-16LE, at most 255 code units. Nothing when the
// text is not UTF-8.
std::optional<std::string> passwordBytes(std::string_view utf8);

} // namespace encryption
