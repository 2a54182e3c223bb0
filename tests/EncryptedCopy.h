#pragma once
// Encrypted copies of real ACE files, for the Office encryptions none of the fixtures uses: the pages of a
// copy are encrypted here with OpenSSL, and the encryption info written after its header page, the way
// Access writes Standard (CryptoAPI) and agile encryption, with any key size, hash and salt they allow.

#include <QByteArray>
#include <QString>

namespace encryptedcopy {

struct Encryption {
    enum class Kind {
        Standard,    // AES flag set: 50,000 rounds of SHA-1
        AesProvider, // an AES cipher through the CryptoAPI without the AES flag: no rounds
        Agile,
    };
    Kind kind = Kind::Standard;
    int keyBits = 128;           // 128, 192 or 256
    QByteArray hash = "SHA1";    // agile: SHA1, SHA256, SHA384 or SHA512
    int saltSize = 16;           // agile: of the password's key and of the key data
    quint32 spinCount = 100'000; // agile
};

// The database with its pages encrypted under password; empty when its header page has no room for the
// encryption info.
QByteArray encrypt(QByteArray database, const QString& password, const Encryption& encryption);

} // namespace encryptedcopy
