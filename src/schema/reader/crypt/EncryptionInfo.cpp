#include "EncryptionInfo.h"

#include <algorithm>
#include <array>
#include <optional>

namespace encryption {

namespace {

// The encryption info block: its 16-bit length, then the block itself, within the header page.
constexpr std::size_t infoLengthOffset = 0x299;
constexpr std::size_t infoOffset = infoLengthOffset + 2;

constexpr std::uint32_t agileReserved = 0x40;

// EncryptionHeader flags.
constexpr std::uint32_t cryptoApiFlag = 0x04;
constexpr std::uint32_t externalFlag = 0x10;
constexpr std::uint32_t aesFlag = 0x20;

constexpr std::uint32_t algorithmFromFlags = 0;
constexpr std::uint32_t algorithmRc4 = 0x6801;
constexpr std::uint32_t algorithmAes128 = 0x660E;
constexpr std::uint32_t algorithmAes192 = 0x660F;
constexpr std::uint32_t algorithmAes256 = 0x6610;
constexpr std::uint32_t hashFromFlags = 0;
constexpr std::uint32_t hashSha1 = 0x8004;

constexpr std::size_t headerFixedSize = 32; // eight 32-bit fields before the provider's name
constexpr std::uint32_t saltSize = 16;
constexpr std::size_t verifierSize = 16;
constexpr std::uint32_t sha1Size = 20;
constexpr std::uint32_t standardSpinCount = 50'000;
constexpr std::size_t rc4VerifierHashSize = 20;
constexpr std::size_t aesVerifierHashSize = 32;

// Little-endian reads that fail, once and for all, past the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::uint32_t u16() { return number(2); }
    std::uint32_t u32() { return number(4); }
    std::string_view take(std::size_t size) {
        if (!ok_ || size > bytes_.size() - pos_) {
            ok_ = false;
            return {};
        }
        const std::string_view part = bytes_.substr(pos_, size);
        pos_ += size;
        return part;
    }
    Bytes takeBytes(std::size_t size) {
        const std::string_view part = take(size);
        return Bytes(part.begin(), part.end());
    }
    std::string_view rest() { return take(bytes_.size() - std::min(pos_, bytes_.size())); }
    bool ok() const { return ok_; }

private:
    std::uint32_t number(std::size_t size) {
        const std::string_view part = take(size);
        std::uint32_t value = 0;
        for (std::size_t i = part.size(); i-- > 0;)
            value = (value << 8) | static_cast<unsigned char>(part[i]);
        return value;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// The name of the cryptographic provider, UTF-16 up to its terminator; only ASCII matters here.
std::string providerName(std::string_view utf16) {
    std::string name;
    for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
        const unsigned unit = static_cast<unsigned char>(utf16[i]) | static_cast<unsigned char>(utf16[i + 1])
                                                                         << 8;
        if (unit == 0)
            break;
        name += unit < 0x80 ? char(unit >= 'A' && unit <= 'Z' ? unit + ('a' - 'A') : unit) : '?';
    }
    return name;
}

enum class Cipher { Rc4, Aes128, Aes192, Aes256 };

std::optional<Cipher> cipherOf(std::uint32_t algorithm, std::uint32_t flags) {
    switch (algorithm) {
    case algorithmFromFlags:
        if ((flags & externalFlag) || !(flags & cryptoApiFlag))
            return std::nullopt;
        return (flags & aesFlag) ? Cipher::Aes128 : Cipher::Rc4;
    case algorithmRc4:
        return Cipher::Rc4;
    case algorithmAes128:
        return Cipher::Aes128;
    case algorithmAes192:
        return Cipher::Aes192;
    case algorithmAes256:
        return Cipher::Aes256;
    default:
        return std::nullopt;
    }
}

// The CryptoAPI forms (RC4 and Standard AES): an EncryptionHeader and an EncryptionVerifier after the
// copy of the flags.
EncryptionInfo readCryptoApiInfo(ByteReader& in) {
    const std::uint32_t copiedFlags = in.u32();
    const std::uint32_t headerSize = in.u32();
    if (!in.ok() || headerSize < headerFixedSize)
        return Damaged{"the encryption header is cut short"};
    ByteReader header(in.take(headerSize));
    if (!in.ok())
        return Damaged{"the encryption header runs past its block"};
    const std::uint32_t flags = header.u32();
    header.u32(); // extra size
    const std::uint32_t algorithm = header.u32();
    const std::uint32_t hashAlgorithm = header.u32();
    std::uint32_t keyBits = header.u32();
    header.u32(); // provider type
    header.u32();
    header.u32();
    const std::string provider = providerName(header.rest());
    if (!(copiedFlags & cryptoApiFlag) || (flags & externalFlag))
        return Unsupported{"an external or unknown Office encryption provider"};
    const std::optional<Cipher> cipher = cipherOf(algorithm, flags);
    if (!cipher)
        return Unsupported{"Office encryption with cipher 0x" + std::to_string(algorithm)};
    if (hashAlgorithm != hashFromFlags && hashAlgorithm != hashSha1)
        return Unsupported{"Office encryption with hash 0x" + std::to_string(hashAlgorithm)};
    const bool rc4 = *cipher == Cipher::Rc4;
    // The AES flag goes with an AES cipher alone; an AES cipher without it is AES all the same (see
    // StandardAes), with its key derived in fewer steps.
    if (rc4 && (flags & aesFlag))
        return Damaged{"the header's flags do not match its cipher"};
    const std::uint32_t aesKeyBits = *cipher == Cipher::Aes128   ? 128u
                                     : *cipher == Cipher::Aes192 ? 192u
                                                                 : 256u;
    // No key size: the provider's default for RC4, the cipher's own size for AES.
    if (keyBits == 0) {
        if (rc4)
            keyBits = (provider.empty() || provider.find(" base ") != std::string::npos) ? 40 : 128;
        else
            keyBits = aesKeyBits;
    }
    if (rc4 && (keyBits < 40 || keyBits > 128 || keyBits % 8 != 0))
        return Unsupported{"RC4 CryptoAPI encryption with a " + std::to_string(keyBits) + "-bit key"};
    if (!rc4 && keyBits != aesKeyBits)
        return Damaged{"the AES key size does not match its cipher"};

    if (in.u32() != saltSize || !in.ok())
        return Damaged{"the encryption verifier has no 16-byte salt"};
    Bytes salt = in.takeBytes(saltSize);
    Bytes verifier = in.takeBytes(verifierSize);
    const std::uint32_t verifierHashSize = in.u32();
    Bytes verifierHash = in.takeBytes(rc4 ? rc4VerifierHashSize : aesVerifierHashSize);
    if (!in.ok())
        return Damaged{"the encryption verifier is cut short"};
    if (verifierHashSize == 0 || verifierHashSize > sha1Size)
        return Damaged{"the encryption verifier's hash size is not that of SHA-1"};
    if (rc4)
        return Rc4CryptoApi{keyBits, std::move(salt), std::move(verifier), verifierHashSize,
                            std::move(verifierHash)};
    return StandardAes{keyBits,          std::move(salt),         std::move(verifier),
                       verifierHashSize, std::move(verifierHash), (flags & aesFlag) ? standardSpinCount : 0};
}

} // namespace

EncryptionInfo readEncryptionInfo(EncodingKey key, std::string_view headerPage) {
    if (key == 0)
        return NotEncrypted{};
    ByteReader page(headerPage);
    page.take(infoLengthOffset);
    const std::uint32_t infoLength = page.u16();
    ByteReader in(page.take(infoLength));
    if (!page.ok() || infoOffset + infoLength > headerPage.size())
        return Damaged{"the encryption info runs past the header page"};
    const std::uint32_t major = in.u16();
    const std::uint32_t minor = in.u16();
    if (!in.ok())
        return Damaged{"the encryption info has no version"};
    if (major == 4 && minor == 4) {
        if (in.u32() != agileReserved || !in.ok())
            return Damaged{"the agile encryption info does not begin as it should"};
        std::string_view xml = in.rest();
        // The block may be padded after the document.
        while (!xml.empty() && xml.back() == '\0')
            xml.remove_suffix(1);
        return readAgileDescription(xml);
    }
    if ((major == 3 || major == 4) && minor == 3)
        return Unsupported{"extensible Office encryption"};
    if (major == 1 && minor == 1)
        return Unsupported{"Office binary RC4 encryption"};
    if ((major == 2 || major == 3 || major == 4) && minor == 2)
        return readCryptoApiInfo(in);
    return Unsupported{"Office encryption version " + std::to_string(major) + "." + std::to_string(minor)};
}

bool decodeBase64(std::string_view text, Bytes& bytes) {
    bytes.clear();
    if (text.size() % 4 != 0)
        return false;
    bytes.reserve(text.size() / 4 * 3);
    const auto value = [](char c) -> int {
        if (c >= 'A' && c <= 'Z')
            return c - 'A';
        if (c >= 'a' && c <= 'z')
            return c - 'a' + 26;
        if (c >= '0' && c <= '9')
            return c - '0' + 52;
        if (c == '+')
            return 62;
        if (c == '/')
            return 63;
        return -1;
    };
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const int padding = last ? (text[i + 3] == '=') + (text[i + 2] == '=' && text[i + 3] == '=') : 0;
        std::array<int, 4> digits{};
        for (int j = 0; j < 4 - padding; ++j)
            if ((digits[std::size_t(j)] = value(text[i + std::size_t(j)])) < 0)
                return false;
        const std::uint32_t group = std::uint32_t(digits[0]) << 18 | std::uint32_t(digits[1]) << 12 |
                                    std::uint32_t(digits[2]) << 6 | std::uint32_t(digits[3]);
        bytes.push_back(static_cast<unsigned char>(group >> 16));
        if (padding < 2)
            bytes.push_back(static_cast<unsigned char>(group >> 8));
        if (padding < 1)
            bytes.push_back(static_cast<unsigned char>(group));
    }
    return true;
}

} // namespace encryption
