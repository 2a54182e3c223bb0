#include "PageDecryption.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>

namespace encryption {

namespace {

// The header page's mask: RC4 with this key over the bytes from 0x18.
constexpr std::array<unsigned char, 4> headerMaskKey = {0xC7, 0xDA, 0x39, 0x6B};
constexpr std::size_t headerMaskStart = 0x18;
constexpr std::size_t encodingKeyOffset = 0x3e;

constexpr std::size_t longestPasswordUnits = 255;

// The blocks that tell the three agile keys derived from the password apart.
constexpr std::array<unsigned char, 8> verifierInputBlock = {0xfe, 0xa7, 0xd2, 0x76, 0x3b, 0x4b, 0x9e, 0x79};
constexpr std::array<unsigned char, 8> verifierValueBlock = {0xd7, 0xaa, 0x0f, 0x6d, 0x30, 0x61, 0x34, 0x4e};
constexpr std::array<unsigned char, 8> keyValueBlock = {0x14, 0x6e, 0x0b, 0xe7, 0xab, 0xac, 0xd0, 0xd6};

// Bytes that are wiped when they go.
class Secret {
public:
    Secret() = default;
    explicit Secret(std::size_t size) : bytes_(size) {}
    Secret(const unsigned char* data, std::size_t size) : bytes_(data, data + size) {}
    Secret(const Secret&) = delete;
    Secret& operator=(const Secret&) = delete;
    Secret(Secret&& other) noexcept : bytes_(std::move(other.bytes_)) {}
    Secret& operator=(Secret&& other) noexcept {
        wipe();
        bytes_ = std::move(other.bytes_);
        return *this;
    }
    ~Secret() { wipe(); }

    unsigned char* data() { return bytes_.data(); }
    const unsigned char* data() const { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }
    // Truncated, or padded with the given byte.
    void resize(std::size_t size, unsigned char padding) {
        if (size < bytes_.size())
            OPENSSL_cleanse(bytes_.data() + size, bytes_.size() - size);
        bytes_.resize(size, padding);
    }

private:
    void wipe() {
        if (!bytes_.empty())
            OPENSSL_cleanse(bytes_.data(), bytes_.size());
    }
    Bytes bytes_;
};

struct Piece {
    const unsigned char* data;
    std::size_t size;
};
Piece piece(const Secret& secret) {
    return {secret.data(), secret.size()};
}
Piece piece(const Bytes& bytes) {
    return {bytes.data(), bytes.size()};
}
Piece piece(const std::string& text) {
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}
template <std::size_t N> Piece piece(const std::array<unsigned char, N>& bytes) {
    return {bytes.data(), N};
}

std::array<unsigned char, 4> littleEndian(std::uint32_t value) {
    return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
            static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

struct LibraryDeleter {
    void operator()(OSSL_LIB_CTX* library) const { OSSL_LIB_CTX_free(library); }
};
struct ProviderDeleter {
    void operator()(OSSL_PROVIDER* provider) const { OSSL_PROVIDER_unload(provider); }
};
struct DigestDeleter {
    void operator()(EVP_MD* digest) const { EVP_MD_free(digest); }
};
struct DigestContextDeleter {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
struct CipherDeleter {
    void operator()(EVP_CIPHER* cipher) const { EVP_CIPHER_free(cipher); }
};
struct CipherContextDeleter {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};

using Digest = std::unique_ptr<EVP_MD, DigestDeleter>;
using Cipher = std::unique_ptr<EVP_CIPHER, CipherDeleter>;

// OpenSSL in a library context of its own, so that nothing here changes the process's defaults. RC4 lives in
// the legacy provider.
struct Crypto {
    std::unique_ptr<OSSL_LIB_CTX, LibraryDeleter> library{OSSL_LIB_CTX_new()};
    std::unique_ptr<OSSL_PROVIDER, ProviderDeleter> base;
    std::unique_ptr<OSSL_PROVIDER, ProviderDeleter> legacy;
    std::unique_ptr<EVP_MD_CTX, DigestContextDeleter> digestContext{EVP_MD_CTX_new()};
    std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter> cipherContext{EVP_CIPHER_CTX_new()};

    explicit Crypto(bool needsLegacy) {
        if (!library)
            return;
        base.reset(OSSL_PROVIDER_load(library.get(), "default"));
        if (needsLegacy)
            legacy.reset(OSSL_PROVIDER_load(library.get(), "legacy"));
    }
    bool ready(bool needsLegacy) const {
        return library && base && digestContext && cipherContext && (!needsLegacy || legacy);
    }
    Digest digest(const char* name) const { return Digest(EVP_MD_fetch(library.get(), name, nullptr)); }
    Cipher cipher(const char* name) const { return Cipher(EVP_CIPHER_fetch(library.get(), name, nullptr)); }

    // The hash of the pieces, one after another.
    bool hash(const EVP_MD* md, std::initializer_list<Piece> pieces, Secret& out) {
        out.resize(std::size_t(EVP_MD_get_size(md)), 0);
        unsigned int size = 0;
        if (EVP_DigestInit_ex2(digestContext.get(), md, nullptr) != 1)
            return false;
        for (const Piece& part : pieces)
            if (EVP_DigestUpdate(digestContext.get(), part.data, part.size) != 1)
                return false;
        return EVP_DigestFinal_ex(digestContext.get(), out.data(), &size) == 1 && size == out.size();
    }

    // Decrypts size bytes; the key's length is set for ciphers that take any (RC4). Without padding.
    bool decrypt(const EVP_CIPHER* algorithm, const Secret& key, const unsigned char* iv,
                 const unsigned char* in, unsigned char* out, std::size_t size) {
        EVP_CIPHER_CTX* context = cipherContext.get();
        if (EVP_DecryptInit_ex2(context, algorithm, nullptr, nullptr, nullptr) != 1 ||
            EVP_CIPHER_CTX_set_key_length(context, int(key.size())) != 1 ||
            EVP_DecryptInit_ex2(context, nullptr, key.data(), iv, nullptr) != 1 ||
            EVP_CIPHER_CTX_set_padding(context, 0) != 1)
            return false;
        int written = 0;
        return EVP_DecryptUpdate(context, out, &written, in, int(size)) == 1 && std::size_t(written) == size;
    }
};

// The OpenSSL name of an agile hash, or nothing for one not supported.
const char* digestName(const std::string& name) {
    for (const char* known : {"SHA1", "SHA256", "SHA384", "SHA512"})
        if (name == known)
            return known;
    return nullptr;
}

// The OpenSSL name of an agile cipher, or nothing.
std::string cipherName(const AgileCipher& cipher) {
    if (cipher.cipherAlgorithm != "AES" || cipher.blockSize != 16 ||
        (cipher.keyBits != 128 && cipher.keyBits != 192 && cipher.keyBits != 256))
        return {};
    const std::string prefix = "AES-" + std::to_string(cipher.keyBits);
    if (cipher.cipherChaining == "ChainingModeCBC")
        return prefix + "-CBC";
    if (cipher.cipherChaining == "ChainingModeCFB")
        return prefix + "-CFB8";
    return {};
}

UnlockFailure failure(UnlockFailure::Kind kind, std::string reason) {
    return {kind, std::move(reason)};
}

bool sameBytes(const Secret& a, const Secret& b, std::size_t size) {
    return a.size() >= size && b.size() >= size && CRYPTO_memcmp(a.data(), b.data(), size) == 0;
}

} // namespace

struct PageDecrypter::State {
    enum class Kind { Rc4, Standard, Agile } kind = Kind::Rc4;
    explicit State(bool needsLegacy) : crypto(needsLegacy) {}

    Crypto crypto;
    EncodingKey encodingKey = 0;
    Digest digest;
    Cipher cipher;
    std::size_t keyBytes = 0;
    Secret keyHash; // RC4: SHA-1 of salt and password; Standard: the iterated hash
    Secret key;     // Agile: the file's key
    Bytes salt;     // Agile: the salt of the key data
    std::size_t blockSize = 0;

    // RC4 and Standard: the key of one block number.
    bool blockKey(std::uint32_t block, Secret& out) {
        const auto blockBytes = littleEndian(block);
        if (kind == Kind::Rc4) {
            if (!crypto.hash(digest.get(), {piece(keyHash), piece(blockBytes)}, out))
                return false;
            out.resize(keyBytes, 0);
            // A 40-bit key is used as 128 bits with zeros after it.
            if (keyBytes == 5)
                out.resize(16, 0);
            return true;
        }
        Secret final;
        if (!crypto.hash(digest.get(), {piece(keyHash), piece(blockBytes)}, final))
            return false;
        std::array<Secret, 2> halves;
        for (std::size_t half = 0; half < 2; ++half) {
            Secret padded(64);
            std::fill(padded.data(), padded.data() + 64, half == 0 ? 0x36 : 0x5C);
            for (std::size_t i = 0; i < final.size() && i < 64; ++i)
                padded.data()[i] ^= final.data()[i];
            if (!crypto.hash(digest.get(), {piece(padded)}, halves[half]))
                return false;
        }
        out = Secret(halves[0].size() + halves[1].size());
        std::memcpy(out.data(), halves[0].data(), halves[0].size());
        std::memcpy(out.data() + halves[0].size(), halves[1].data(), halves[1].size());
        out.resize(keyBytes, 0);
        return true;
    }
};

PageDecrypter::PageDecrypter(std::unique_ptr<State> state) : state_(std::move(state)) {}
PageDecrypter::PageDecrypter(PageDecrypter&&) noexcept = default;
PageDecrypter& PageDecrypter::operator=(PageDecrypter&&) noexcept = default;
PageDecrypter::~PageDecrypter() = default;

namespace {

using Kind = UnlockFailure::Kind;

// RC4 and Standard: the verifier decrypted with the key of block 0 must hash to the verifier hash. AES
// hashes salt and password spinCount times more; RC4 not at all.
std::optional<UnlockFailure> unlockCryptoApi(PageDecrypter::State& state, const Bytes& salt,
                                             const Bytes& verifier, std::uint32_t verifierHashSize,
                                             const Bytes& verifierHash, std::uint32_t keyBits,
                                             std::uint32_t spinCount, const std::string& password) {
    const bool rc4 = state.kind == PageDecrypter::State::Kind::Rc4;
    state.digest = state.crypto.digest("SHA1");
    state.cipher = state.crypto.cipher(rc4               ? "RC4"
                                       : keyBits == 128u ? "AES-128-ECB"
                                       : keyBits == 192u ? "AES-192-ECB"
                                                         : "AES-256-ECB");
    if (!state.digest || !state.cipher)
        return failure(Kind::NoCrypto, rc4 ? "RC4 is not available (OpenSSL's legacy provider)" : "AES");
    state.keyBytes = keyBits / 8;
    if (!state.crypto.hash(state.digest.get(), {piece(salt), piece(password)}, state.keyHash))
        return failure(Kind::NoCrypto, "SHA-1");
    Secret next;
    for (std::uint32_t i = 0; i < spinCount; ++i) {
        if (!state.crypto.hash(state.digest.get(), {piece(littleEndian(i)), piece(state.keyHash)}, next))
            return failure(Kind::NoCrypto, "SHA-1");
        std::swap(state.keyHash, next);
    }
    Secret key;
    if (!state.blockKey(0, key))
        return failure(Kind::NoCrypto, "key derivation");
    // RC4 runs on from the verifier into its hash; AES (ECB) decrypts both block by block.
    Bytes encrypted = verifier;
    encrypted.insert(encrypted.end(), verifierHash.begin(), verifierHash.end());
    Secret plain(encrypted.size());
    if (!state.crypto.decrypt(state.cipher.get(), key, nullptr, encrypted.data(), plain.data(),
                              encrypted.size()))
        return failure(Kind::NoCrypto, rc4 ? "RC4" : "AES");
    Secret decryptedVerifier(plain.data(), verifier.size());
    Secret decryptedHash(plain.data() + verifier.size(), verifierHash.size());
    Secret expected;
    if (!state.crypto.hash(state.digest.get(), {piece(decryptedVerifier)}, expected))
        return failure(Kind::NoCrypto, "SHA-1");
    if (!sameBytes(expected, decryptedHash, verifierHashSize))
        return failure(Kind::WrongPassword, {});
    return std::nullopt;
}

// Agile: the password's key, from spinCount rounds of the hash, decrypts the verifier and the file's key.
std::optional<UnlockFailure> unlockAgile(PageDecrypter::State& state, const Agile& agile,
                                         const std::string& password) {
    const AgileCipher& passwordKey = agile.passwordKey;
    const char* passwordDigestName = digestName(passwordKey.hashAlgorithm);
    const char* dataDigestName = digestName(agile.keyData.hashAlgorithm);
    const std::string passwordCipherName = cipherName(passwordKey);
    const std::string dataCipherName = cipherName(agile.keyData);
    if (!passwordDigestName || !dataDigestName)
        return failure(Kind::Unsupported, "agile encryption with the hash " + passwordKey.hashAlgorithm +
                                              " or " + agile.keyData.hashAlgorithm);
    if (passwordCipherName.empty() || dataCipherName.empty())
        return failure(Kind::Unsupported, "agile encryption with the cipher " + passwordKey.cipherAlgorithm +
                                              " (" + passwordKey.cipherChaining + ")");
    const Digest passwordDigest = state.crypto.digest(passwordDigestName);
    const Cipher passwordCipher = state.crypto.cipher(passwordCipherName.c_str());
    state.digest = state.crypto.digest(dataDigestName);
    state.cipher = state.crypto.cipher(dataCipherName.c_str());
    if (!passwordDigest || !passwordCipher || !state.digest || !state.cipher)
        return failure(Kind::NoCrypto, "AES or SHA-2");
    if (std::size_t(EVP_MD_get_size(passwordDigest.get())) != passwordKey.hashSize ||
        std::size_t(EVP_MD_get_size(state.digest.get())) != agile.keyData.hashSize)
        return failure(Kind::Damaged, "a hash size does not match its hash");
    const std::size_t block = passwordKey.blockSize;
    for (const Bytes* value :
         {&agile.encryptedVerifierHashInput, &agile.encryptedVerifierHashValue, &agile.encryptedKeyValue})
        if (value->empty() || value->size() % block != 0)
            return failure(Kind::Damaged, "an encrypted value is not made of whole blocks");
    // The verifier is as long as the salt, its hash as the hash, the key as its bits: each padded to whole
    // blocks.
    const std::size_t verifierSize = passwordKey.salt.size();
    if (agile.encryptedVerifierHashInput.size() < verifierSize ||
        agile.encryptedVerifierHashValue.size() < passwordKey.hashSize ||
        agile.encryptedKeyValue.size() < agile.keyData.keyBits / 8)
        return failure(Kind::Damaged, "an encrypted value is shorter than it should be");
    // The salt is the initialization vector of all three, cut or padded to one block.
    Secret iv(passwordKey.salt.data(), passwordKey.salt.size());
    iv.resize(block, 0x36);

    Secret iterated;
    if (!state.crypto.hash(passwordDigest.get(), {piece(passwordKey.salt), piece(password)}, iterated))
        return failure(Kind::NoCrypto, "hash");
    Secret next;
    for (std::uint32_t i = 0; i < agile.spinCount; ++i) {
        if (!state.crypto.hash(passwordDigest.get(), {piece(littleEndian(i)), piece(iterated)}, next))
            return failure(Kind::NoCrypto, "hash");
        std::swap(iterated, next);
    }
    const auto decryptWith = [&](const std::array<unsigned char, 8>& blockKey, const Bytes& encrypted,
                                 Secret& plain) {
        Secret key;
        if (!state.crypto.hash(passwordDigest.get(), {piece(iterated), piece(blockKey)}, key))
            return false;
        key.resize(passwordKey.keyBits / 8, 0x36);
        plain = Secret(encrypted.size());
        return state.crypto.decrypt(passwordCipher.get(), key, iv.data(), encrypted.data(), plain.data(),
                                    encrypted.size());
    };
    Secret verifierInput, verifierValue, keyValue;
    if (!decryptWith(verifierInputBlock, agile.encryptedVerifierHashInput, verifierInput) ||
        !decryptWith(verifierValueBlock, agile.encryptedVerifierHashValue, verifierValue))
        return failure(Kind::NoCrypto, "AES");
    Secret expected;
    verifierInput.resize(verifierSize, 0);
    if (!state.crypto.hash(passwordDigest.get(), {piece(verifierInput)}, expected))
        return failure(Kind::NoCrypto, "hash");
    if (!sameBytes(expected, verifierValue, passwordKey.hashSize))
        return failure(Kind::WrongPassword, {});
    if (!decryptWith(keyValueBlock, agile.encryptedKeyValue, keyValue))
        return failure(Kind::NoCrypto, "AES");
    keyValue.resize(agile.keyData.keyBits / 8, 0);
    state.key = std::move(keyValue);
    state.salt = agile.keyData.salt;
    state.blockSize = agile.keyData.blockSize;
    return std::nullopt;
}

} // namespace

std::variant<PageDecrypter, UnlockFailure> PageDecrypter::unlock(const EncryptionInfo& info, EncodingKey key,
                                                                 std::string_view password) {
    if (const auto* unsupported = std::get_if<Unsupported>(&info))
        return failure(Kind::Unsupported, unsupported->name);
    if (const auto* damaged = std::get_if<Damaged>(&info))
        return failure(Kind::Damaged, damaged->reason);
    if (std::holds_alternative<NotEncrypted>(info))
        return failure(Kind::Damaged, "the file is not encrypted");
    std::optional<std::string> bytes = passwordBytes(password);
    if (!bytes)
        return failure(Kind::WrongPassword, "the password is not UTF-8");
    // The password's bytes are wiped however this ends.
    struct Wipe {
        std::string& text;
        ~Wipe() { OPENSSL_cleanse(text.data(), text.size()); }
    } wipe{*bytes};

    const bool rc4 = std::holds_alternative<Rc4CryptoApi>(info);
    auto state = std::make_unique<State>(rc4);
    if (!state->crypto.ready(rc4))
        return failure(Kind::NoCrypto, rc4 ? "RC4 is not available (OpenSSL's legacy provider)" : "OpenSSL");
    state->encodingKey = key;
    std::optional<UnlockFailure> failed;
    if (const auto* legacy = std::get_if<Rc4CryptoApi>(&info)) {
        state->kind = State::Kind::Rc4;
        failed = unlockCryptoApi(*state, legacy->salt, legacy->verifier, legacy->verifierHashSize,
                                 legacy->verifierHash, legacy->keyBits, 0, *bytes);
    } else if (const auto* standard = std::get_if<StandardAes>(&info)) {
        state->kind = State::Kind::Standard;
        failed = unlockCryptoApi(*state, standard->salt, standard->verifier, standard->verifierHashSize,
                                 standard->verifierHash, standard->keyBits, standard->spinCount, *bytes);
    } else {
        state->kind = State::Kind::Agile;
        failed = unlockAgile(*state, std::get<Agile>(info), *bytes);
    }
    if (failed)
        return *failed;
    return PageDecrypter(std::move(state));
}

bool PageDecrypter::decrypt(std::uint32_t pageNumber, const unsigned char* in, unsigned char* out,
                            std::size_t size) {
    State& state = *state_;
    const std::uint32_t block = pageNumber ^ state.encodingKey;
    if (state.kind == State::Kind::Agile) {
        Secret iv;
        if (!state.crypto.hash(state.digest.get(), {piece(state.salt), piece(littleEndian(block))}, iv))
            return false;
        iv.resize(state.blockSize, 0x36);
        const std::size_t whole = size - size % state.blockSize;
        if (in != out)
            std::memmove(out + whole, in + whole, size - whole);
        return whole == 0 || state.crypto.decrypt(state.cipher.get(), state.key, iv.data(), in, out, whole);
    }
    Secret key;
    if (!state.blockKey(block, key))
        return false;
    const std::size_t whole = state.kind == State::Kind::Rc4 ? size : size - size % 16;
    if (in != out)
        std::memmove(out + whole, in + whole, size - whole);
    return whole == 0 || state.crypto.decrypt(state.cipher.get(), key, nullptr, in, out, whole);
}

std::optional<EncodingKey> encodingKeyOf(std::string_view headerPage) {
    const std::size_t end = encodingKeyOffset + 4;
    if (headerPage.size() < end)
        return std::nullopt;
    Crypto crypto(true);
    const Cipher rc4 = crypto.cipher("RC4");
    if (!crypto.ready(true) || !rc4)
        return std::nullopt;
    const std::size_t size = end - headerMaskStart;
    Secret masked(reinterpret_cast<const unsigned char*>(headerPage.data()) + headerMaskStart, size);
    Secret plain(size);
    const Secret key(headerMaskKey.data(), headerMaskKey.size());
    if (!crypto.decrypt(rc4.get(), key, nullptr, masked.data(), plain.data(), size))
        return std::nullopt;
    const unsigned char* bytes = plain.data() + (encodingKeyOffset - headerMaskStart);
    return EncodingKey(bytes[0]) | EncodingKey(bytes[1]) << 8 | EncodingKey(bytes[2]) << 16 |
           EncodingKey(bytes[3]) << 24;
}

std::optional<std::string> passwordBytes(std::string_view utf8) {
    std::string out;
    std::size_t units = 0;
    const auto put = [&](std::uint32_t unit) {
        out.push_back(char(unit & 0xFF));
        out.push_back(char(unit >> 8));
        ++units;
    };
    for (std::size_t i = 0; i < utf8.size() && units < longestPasswordUnits;) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > utf8.size())
            return std::nullopt;
        std::uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
        for (std::size_t j = 1; j < length; ++j) {
            const auto next = static_cast<unsigned char>(utf8[i + j]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            code = (code << 6) | (next & 0x3F);
        }
        const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        i += length;
        if (code < 0x10000) {
            put(code);
        } else if (units + 2 <= longestPasswordUnits) {
            put(0xD800 + ((code - 0x10000) >> 10));
            put(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            break;
        }
    }
    return out;
}

} // namespace encryption
