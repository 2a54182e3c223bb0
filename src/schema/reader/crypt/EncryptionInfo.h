#pragma once
// How the pages of an Access 2007 or later file are encrypted, read from its header page: the encoding key
// and the encryption info block of the Office encryption format that follows the header at 0x299. Plain
// parsing, no cryptography: every length is checked against the bytes there, and a block that cannot be
// read is Damaged, never a guess.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace encryption {

using Bytes = std::vector<unsigned char>;

// The 4-byte encoding key at 0x3e of the header page, unmasked; all zeros on a file that is not encrypted.
using EncodingKey = std::uint32_t;

// RC4 with keys from the CryptoAPI (Access 2007's "legacy" encryption): SHA-1 of salt and password, then of
// that hash and each page's block number.
struct Rc4CryptoApi {
    std::uint32_t keyBits = 0;
    Bytes salt;
    Bytes verifier;
    std::uint32_t verifierHashSize = 0;
    Bytes verifierHash;
};

// AES in ECB with keys from the CryptoAPI: SHA-1 of salt and password, spinCount rounds of SHA-1 over it,
// then of that hash and each page's block number. With the header's AES flag set it is Office's
// "Standard" encryption, 50,000 rounds; without it, it is what Access writes when it is set to encrypt
// through an AES provider (as "Microsoft Enhanced RSA and AES Cryptographic Provider") instead of in the
// Standard way, and the salted hash is used as it is, no rounds.
struct StandardAes {
    std::uint32_t keyBits = 0;
    Bytes salt;
    Bytes verifier;
    std::uint32_t verifierHashSize = 0;
    Bytes verifierHash;
    std::uint32_t spinCount = 0;
};

// The cipher and hash named by an element of the agile XML description.
struct AgileCipher {
    std::string cipherAlgorithm; // "AES"
    std::string cipherChaining;  // "ChainingModeCBC" or "ChainingModeCFB"
    std::string hashAlgorithm;   // "SHA1", "SHA256", "SHA384", "SHA512"
    std::uint32_t keyBits = 0;
    std::uint32_t blockSize = 0;
    std::uint32_t hashSize = 0;
    Bytes salt;
};

// Agile encryption (Access 2010 and later): a random key, itself encrypted with one derived from the
// password by spinCount rounds of the named hash.
struct Agile {
    AgileCipher keyData;
    AgileCipher passwordKey;
    std::uint32_t spinCount = 0;
    Bytes encryptedVerifierHashInput;
    Bytes encryptedVerifierHashValue;
    Bytes encryptedKeyValue;
};

struct NotEncrypted {};

// An encryption this reader does not implement; name says which, for the user.
struct Unsupported {
    std::string name;
};

// The header says the file is encrypted, but its encryption info cannot be read.
struct Damaged {
    std::string reason;
};

using EncryptionInfo = std::variant<NotEncrypted, Rc4CryptoApi, StandardAes, Agile, Unsupported, Damaged>;

// The encryption of an ACE file (version byte 2 or later) from its encoding key and its header page.
EncryptionInfo readEncryptionInfo(EncodingKey key, std::string_view headerPage);

// The agile XML description (exposed for its own checks); Damaged or Unsupported when it cannot be used.
EncryptionInfo readAgileDescription(std::string_view xml);

// Decodes base64 text; nothing on any character or length that is not base64.
bool decodeBase64(std::string_view text, Bytes& bytes);

} // namespace encryption
