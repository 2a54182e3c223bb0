#include "EncryptedCopy.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <functional>
#include <memory>

namespace encryptedcopy {

namespace {

constexpr int pageSize = 4096;
constexpr int aesBlock = 16;
constexpr quint32 encodingKey = 0x5EC2E7A1;
constexpr quint32 standardSpinCount = 50'000;

QByteArray littleEndian(quint32 value, int size = 4) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(value >> (8 * i));
    return bytes;
}

QByteArray randomBytes(int size) {
    QByteArray bytes(size, '\0');
    RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data()), size);
    return bytes;
}

QByteArray utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

QByteArray hash(const QByteArray& name, const QByteArray& bytes) {
    const std::unique_ptr<EVP_MD, decltype(&EVP_MD_free)> md(EVP_MD_fetch(nullptr, name.constData(), nullptr),
                                                             &EVP_MD_free);
    QByteArray digest(EVP_MAX_MD_SIZE, '\0');
    unsigned int size = 0;
    if (!md || EVP_Digest(bytes.constData(), std::size_t(bytes.size()),
                          reinterpret_cast<unsigned char*>(digest.data()), &size, md.get(), nullptr) != 1)
        return {};
    return digest.left(int(size));
}

// Cut to size, or padded with the given byte.
QByteArray fitted(QByteArray bytes, int size, char padding) {
    if (bytes.size() > size)
        return bytes.left(size);
    return bytes + QByteArray(size - bytes.size(), padding);
}

QByteArray wholeBlocks(const QByteArray& bytes) {
    return fitted(bytes, (int(bytes.size()) + aesBlock - 1) / aesBlock * aesBlock, '\0');
}

// AES over whole blocks, without padding; mode "ECB" or "CBC".
QByteArray aes(const char* mode, const QByteArray& key, const QByteArray& iv, const QByteArray& plain) {
    const QByteArray name = "AES-" + QByteArray::number(key.size() * 8) + "-" + mode;
    const std::unique_ptr<EVP_CIPHER, decltype(&EVP_CIPHER_free)> cipher(
        EVP_CIPHER_fetch(nullptr, name.constData(), nullptr), &EVP_CIPHER_free);
    const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                                  &EVP_CIPHER_CTX_free);
    QByteArray out(plain.size(), '\0');
    int written = 0;
    if (!cipher || !context ||
        EVP_EncryptInit_ex2(
            context.get(), cipher.get(), reinterpret_cast<const unsigned char*>(key.constData()),
            iv.isEmpty() ? nullptr : reinterpret_cast<const unsigned char*>(iv.constData()), nullptr) != 1 ||
        EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1 ||
        EVP_EncryptUpdate(context.get(), reinterpret_cast<unsigned char*>(out.data()), &written,
                          reinterpret_cast<const unsigned char*>(plain.constData()), int(plain.size())) != 1)
        return {};
    return written == plain.size() ? out : QByteArray();
}

// The hash of salt and password, then spinCount rounds of the hash of the round's number and the last.
QByteArray iteratedHash(const QByteArray& name, const QByteArray& salt, const QString& password,
                        quint32 spinCount) {
    QByteArray iterated = hash(name, salt + utf16(password));
    for (quint32 i = 0; i < spinCount; ++i)
        iterated = hash(name, littleEndian(i) + iterated);
    return iterated;
}

// Standard: the key of one block number, the iterated hash with the block, then the two padded halves.
QByteArray standardKey(const QByteArray& iterated, quint32 block, int keyBytes) {
    const QByteArray final = hash("SHA1", iterated + littleEndian(block));
    QByteArray inner(64, 0x36), outer(64, 0x5C);
    for (int i = 0; i < final.size(); ++i) {
        inner[i] = char(inner[i] ^ final[i]);
        outer[i] = char(outer[i] ^ final[i]);
    }
    return (hash("SHA1", inner) + hash("SHA1", outer)).left(keyBytes);
}

struct Encrypted {
    QByteArray info;                                            // the encryption info block
    std::function<QByteArray(quint32, const QByteArray&)> page; // one page under its block number
};

Encrypted standard(const QString& password, const Encryption& encryption) {
    const bool aesFlag = encryption.kind == Encryption::Kind::Standard;
    const int keyBytes = encryption.keyBits / 8;
    const QByteArray salt = randomBytes(16), verifier = randomBytes(16);
    const QByteArray iterated = iteratedHash("SHA1", salt, password, aesFlag ? standardSpinCount : 0);
    const QByteArray key0 = standardKey(iterated, 0, keyBytes);

    const quint32 flags = aesFlag ? 0x24 : 0x0C; // CryptoAPI and AES, or CryptoAPI and the properties
    const quint32 algorithm = encryption.keyBits == 128   ? 0x660E
                              : encryption.keyBits == 192 ? 0x660F
                                                          : 0x6610;
    QByteArray header;
    for (quint32 field : {flags, 0u, algorithm, 0x8004u, quint32(encryption.keyBits), 0x18u, 0u, 0u})
        header += littleEndian(field);
    header +=
        utf16(QStringLiteral("Microsoft Enhanced RSA and AES Cryptographic Provider")) + QByteArray(2, '\0');
    const QByteArray info = littleEndian(0x00020004) + littleEndian(flags) +
                            littleEndian(quint32(header.size())) + header + littleEndian(16) + salt +
                            aes("ECB", key0, {}, verifier) + littleEndian(20) +
                            aes("ECB", key0, {}, wholeBlocks(hash("SHA1", verifier)));
    return {info, [iterated, keyBytes](quint32 block, const QByteArray& plain) {
                return aes("ECB", standardKey(iterated, block, keyBytes), {}, plain);
            }};
}

Encrypted agile(const QString& password, const Encryption& encryption) {
    const QByteArray& name = encryption.hash;
    const int keyBytes = encryption.keyBits / 8;
    const QByteArray passwordSalt = randomBytes(encryption.saltSize),
                     dataSalt = randomBytes(encryption.saltSize);
    const QByteArray iterated = iteratedHash(name, passwordSalt, password, encryption.spinCount);
    const QByteArray iv = fitted(passwordSalt, aesBlock, 0x36);
    // Each of the three values has a key of its own: the iterated hash with a block of its own.
    const auto encrypted = [&](const char* blockKey, const QByteArray& plain) {
        const QByteArray key = fitted(hash(name, iterated + QByteArray(blockKey, 8)), keyBytes, 0x36);
        return aes("CBC", key, iv, wholeBlocks(plain)).toBase64();
    };
    const QByteArray verifier = randomBytes(encryption.saltSize), fileKey = randomBytes(keyBytes);
    const QByteArray cipher =
        " blockSize=\"16\" keyBits=\"" + QByteArray::number(encryption.keyBits) + "\" hashSize=\"" +
        QByteArray::number(hash(name, {}).size()) +
        "\" cipherAlgorithm=\"AES\" cipherChaining=\"ChainingModeCBC\" hashAlgorithm=\"" + name +
        "\" saltSize=\"" + QByteArray::number(encryption.saltSize) + "\"";
    const QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<encryption xmlns=\"http://schemas.microsoft.com/office/2006/encryption\" "
        "xmlns:p=\"http://schemas.microsoft.com/office/2006/keyEncryptor/password\"><keyData" +
        cipher + " saltValue=\"" + dataSalt.toBase64() +
        "\"/><keyEncryptors><keyEncryptor uri=\"http://schemas.microsoft.com/office/2006/keyEncryptor/"
        "password\"><p:encryptedKey spinCount=\"" +
        QByteArray::number(encryption.spinCount) + "\"" + cipher + " saltValue=\"" + passwordSalt.toBase64() +
        "\" encryptedVerifierHashInput=\"" + encrypted("\xfe\xa7\xd2\x76\x3b\x4b\x9e\x79", verifier) +
        "\" encryptedVerifierHashValue=\"" +
        encrypted("\xd7\xaa\x0f\x6d\x30\x61\x34\x4e", hash(name, verifier)) + "\" encryptedKeyValue=\"" +
        encrypted("\x14\x6e\x0b\xe7\xab\xac\xd0\xd6", fileKey) +
        "\"/></keyEncryptor></keyEncryptors></encryption>";
    return {littleEndian(0x00040004) + littleEndian(0x40) + xml,
            [name, dataSalt, fileKey](quint32 block, const QByteArray& plain) {
                return aes("CBC", fileKey, fitted(hash(name, dataSalt + littleEndian(block)), aesBlock, 0x36),
                           plain);
            }};
}

} // namespace

QByteArray encrypt(QByteArray database, const QString& password, const Encryption& encryption) {
    const Encrypted encrypted = encryption.kind == Encryption::Kind::Agile ? agile(password, encryption)
                                                                           : standard(password, encryption);
    const QByteArray& info = encrypted.info;
    if (0x29b + info.size() > pageSize || database.mid(0x299, 2 + info.size()).count('\0') != 2 + info.size())
        return {};
    database.replace(0x299, 2, littleEndian(quint32(info.size()), 2));
    database.replace(0x29b, info.size(), info);
    // The header's mask over the key is a stream: the original's bytes are the mask of a zero key.
    const QByteArray key = littleEndian(encodingKey);
    for (int i = 0; i < 4; ++i)
        database[0x3e + i] = char(database[0x3e + i] ^ key[i]);
    for (qsizetype page = 1; page < database.size() / pageSize; ++page) {
        const QByteArray cipherText =
            encrypted.page(quint32(page) ^ encodingKey, database.mid(page * pageSize, pageSize));
        if (cipherText.size() != pageSize)
            return {};
        database.replace(page * pageSize, pageSize, cipherText);
    }
    return database;
}

} // namespace encryptedcopy
