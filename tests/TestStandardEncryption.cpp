// Standard AES encryption, which none of the fixtures uses: a real ACE file is encrypted here the way Access
// writes Standard encryption (an EncryptionHeader and EncryptionVerifier after the header page, 50,000
// rounds of SHA-1, a key per page from its block number, AES in ECB), and veltrane-cli must read back every
// row of the copy exactly as it reads the original, and refuse a wrong password.

#include "FileTestHelpers.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace {

const QString fixtures = QStringLiteral(VELTRANE_FIXTURES_DIR);
const QString cli = QStringLiteral(VELTRANE_BIN_DIR) + "/veltrane-cli";
constexpr int pageSize = 4096;

QByteArray sha1(const QByteArray& bytes) {
    QByteArray digest(20, '\0');
    unsigned int size = 0;
    EVP_Digest(bytes.constData(), std::size_t(bytes.size()), reinterpret_cast<unsigned char*>(digest.data()),
               &size, EVP_sha1(), nullptr);
    return digest;
}

QByteArray littleEndian(quint32 value) {
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(value >> (8 * i));
    return bytes;
}

QByteArray aesEcb(const QByteArray& key, const QByteArray& plain) {
    const EVP_CIPHER* cipher = key.size() == 16   ? EVP_aes_128_ecb()
                               : key.size() == 24 ? EVP_aes_192_ecb()
                                                  : EVP_aes_256_ecb();
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    QByteArray out(plain.size(), '\0');
    int written = 0;
    EVP_EncryptInit_ex(context, cipher, nullptr, reinterpret_cast<const unsigned char*>(key.constData()),
                       nullptr);
    EVP_CIPHER_CTX_set_padding(context, 0);
    EVP_EncryptUpdate(context, reinterpret_cast<unsigned char*>(out.data()), &written,
                      reinterpret_cast<const unsigned char*>(plain.constData()), int(plain.size()));
    EVP_CIPHER_CTX_free(context);
    return written == plain.size() ? out : QByteArray();
}

// The key of one block number: the iterated hash with the block, then the two padded halves.
QByteArray blockKey(const QByteArray& iterated, quint32 block, int keyBytes) {
    const QByteArray final = sha1(iterated + littleEndian(block));
    QByteArray inner(64, 0x36), outer(64, 0x5C);
    for (int i = 0; i < final.size(); ++i) {
        inner[i] = char(inner[i] ^ final[i]);
        outer[i] = char(outer[i] ^ final[i]);
    }
    return (sha1(inner) + sha1(outer)).left(keyBytes);
}

// The database with its pages encrypted under password; empty when the header has no room.
QByteArray encryptStandard(QByteArray database, const QString& password, int keyBits) {
    const quint32 encodingKey = 0x5EC2E7A1;
    QByteArray salt(16, '\0'), verifier(16, '\0');
    RAND_bytes(reinterpret_cast<unsigned char*>(salt.data()), 16);
    RAND_bytes(reinterpret_cast<unsigned char*>(verifier.data()), 16);
    const QByteArray passwordBytes(reinterpret_cast<const char*>(password.utf16()), password.size() * 2);
    QByteArray iterated = sha1(salt + passwordBytes);
    for (quint32 i = 0; i < 50'000; ++i)
        iterated = sha1(littleEndian(i) + iterated);
    const QByteArray key0 = blockKey(iterated, 0, keyBits / 8);

    const quint32 algorithm = keyBits == 128 ? 0x660E : keyBits == 192 ? 0x660F : 0x6610;
    QByteArray header;
    for (quint32 field : {0x24u, 0u, algorithm, 0x8004u, quint32(keyBits), 0x18u, 0u, 0u})
        header += littleEndian(field);
    const QString provider = QStringLiteral("Microsoft Enhanced RSA and AES Cryptographic Provider");
    header += QByteArray(reinterpret_cast<const char*>(provider.utf16()), provider.size() * 2) +
              QByteArray(2, '\0');
    QByteArray info = littleEndian(0x00020004) + littleEndian(0x24) + littleEndian(quint32(header.size())) +
                      header + littleEndian(16) + salt + aesEcb(key0, verifier) + littleEndian(20) +
                      aesEcb(key0, sha1(verifier) + QByteArray(12, '\0'));
    if (0x29b + info.size() > pageSize ||
        database.mid(0x299, 2 + int(info.size())).count('\0') != 2 + info.size())
        return {};
    database.replace(0x299, 2, littleEndian(quint32(info.size())).left(2));
    database.replace(0x29b, info.size(), info);
    // The header's mask over the key is a stream: the original's bytes are the mask of a zero key.
    const QByteArray key = littleEndian(encodingKey);
    for (int i = 0; i < 4; ++i)
        database[0x3e + i] = char(database[0x3e + i] ^ key[i]);
    for (qsizetype page = 1; page < database.size() / pageSize; ++page)
        database.replace(page * pageSize, pageSize,
                         aesEcb(blockKey(iterated, quint32(page) ^ encodingKey, keyBits / 8),
                                database.mid(page * pageSize, pageSize)));
    return database;
}

// Every table's rows as veltrane-cli writes them to CSV files, by file name; the exit status first.
std::pair<int, QMap<QString, QByteArray>> csvOf(const QString& path, const QString& password,
                                                const QString& folder) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELTRANE_PASSWORD"), password);
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(cli, {"--csv", folder, path});
    process.waitForFinished(120000);
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        QFile file(folder + "/" + name);
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, files};
}

} // namespace

class TestStandardEncryption : public QObject {
    Q_OBJECT
private slots:
    void copyReadsLikeTheOriginal_data();
    void copyReadsLikeTheOriginal();
};

void TestStandardEncryption::copyReadsLikeTheOriginal_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("keyBits");
    QTest::addRow("ACE 12, AES-128") << "testV2007.accdb" << 128;
    QTest::addRow("ACE 14, 5,000 rows, AES-256") << "dataTypesV2010.accdb" << 256;
    QTest::addRow("ACE 14, AES-192") << "calcFieldTestV2010.accdb" << 192;
}

void TestStandardEncryption::copyReadsLikeTheOriginal() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(int, keyBits);
    QFile original(fixtures + "/" + file);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray encrypted = encryptStandard(original.readAll(), QStringLiteral("Pässwort 7"), keyBits);
    QVERIFY(!encrypted.isEmpty());
    QTemporaryDir dir;
    const QString copy = dir.filePath(file);
    QFile out(copy);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(encrypted) == encrypted.size());
    out.close();

    const auto [originalStatus, originalRows] = csvOf(original.fileName(), {}, dir.filePath("original"));
    QCOMPARE(originalStatus, 0);
    QVERIFY(!originalRows.isEmpty());
    const auto [status, rows] = csvOf(copy, QStringLiteral("Pässwort 7"), dir.filePath("copy"));
    QCOMPARE(status, 0);
    QCOMPARE(rows.keys(), originalRows.keys());
    for (const QString& name : rows.keys())
        QVERIFY2(rows[name] == originalRows[name], qPrintable(name));
    QCOMPARE(csvOf(copy, QStringLiteral("Passwort 7"), dir.filePath("wrong")).first, 77);
}

QTEST_GUILESS_MAIN(TestStandardEncryption)
#include "TestStandardEncryption.moc"
