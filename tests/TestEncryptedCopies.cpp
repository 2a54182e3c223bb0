// Office encryptions that no fixture uses: a real ACE file is encrypted here (EncryptedCopy) with every key
// size of Standard encryption, with and without the header's AES flag, and every key size and hash of agile
// encryption with salts of other sizes than Access's own. veltrane-cli must read back every row of each copy
// exactly as it reads the original, refuse a wrong password (exit 77), and name encryption info that is cut
// short as damaged (exit 65).

#include "EncryptedCopy.h"
#include "FileTestHelpers.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using encryptedcopy::Encryption;

namespace {

const QString fixtures = QStringLiteral(VELTRANE_FIXTURES_DIR);
const QString cli = QStringLiteral(VELTRANE_BIN_DIR) + "/veltrane-cli";
const QString password = QStringLiteral("Pässwort 7");

struct CliRun {
    int exitCode = -1;
    QByteArray err;
    QMap<QString, QByteArray> csv; // every table's rows as veltrane-cli writes them, by file name
};

CliRun csvOf(const QString& path, const QString& passwordGiven, const QString& folder) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELTRANE_PASSWORD"), passwordGiven);
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(cli, {"--csv", folder, path});
    process.waitForFinished(120000);
    CliRun run{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
               process.readAllStandardError(),
               {}};
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        run.csv.insert(name, readBytes(folder + "/" + name));
    return run;
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

Q_DECLARE_METATYPE(Encryption)

class TestEncryptedCopies : public QObject {
    Q_OBJECT
private slots:
    void readRefusedOrDamaged_data();
    void readRefusedOrDamaged();
};

void TestEncryptedCopies::readRefusedOrDamaged_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<Encryption>("encryption");
    using Kind = Encryption::Kind;
    const QString small = "testV2007.accdb";
    QTest::addRow("Standard AES-128") << small << Encryption{Kind::Standard, 128};
    QTest::addRow("Standard AES-192") << "calcFieldTestV2010.accdb" << Encryption{Kind::Standard, 192};
    QTest::addRow("Standard AES-256, 5,000 rows")
        << "dataTypesV2010.accdb" << Encryption{Kind::Standard, 256};
    QTest::addRow("AES-128 provider, no AES flag") << small << Encryption{Kind::AesProvider, 128};
    QTest::addRow("AES-192 provider, no AES flag") << small << Encryption{Kind::AesProvider, 192};
    QTest::addRow("AES-256 provider, no AES flag")
        << "complexDataTestV2010.accdb" << Encryption{Kind::AesProvider, 256};
    // Agile: every key size with every hash, and salts shorter and longer than one block.
    const QList<std::pair<QByteArray, int>> hashes = {
        {"SHA1", 16}, {"SHA256", 24}, {"SHA384", 8}, {"SHA512", 64}};
    for (int keyBits : {128, 192, 256})
        for (const auto& [hash, saltSize] : hashes)
            QTest::addRow("agile AES-%d %s, %d-byte salts", keyBits, hash.constData(), saltSize)
                << small << Encryption{Kind::Agile, keyBits, hash, saltSize};
}

void TestEncryptedCopies::readRefusedOrDamaged() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(Encryption, encryption);
    const QByteArray original = readBytes(fixtures + "/" + file);
    QVERIFY(!original.isEmpty());
    const QByteArray encrypted = encryptedcopy::encrypt(original, password, encryption);
    QVERIFY(!encrypted.isEmpty());
    QTemporaryDir dir;
    const QString copy = dir.filePath(file);
    QVERIFY(writeAll(copy, encrypted));

    const CliRun plain = csvOf(fixtures + "/" + file, {}, dir.filePath("original"));
    QCOMPARE(plain.exitCode, 0);
    QVERIFY(!plain.csv.isEmpty());
    const CliRun read = csvOf(copy, password, dir.filePath("copy"));
    QVERIFY2(read.exitCode == 0, read.err.constData());
    QCOMPARE(read.csv.keys(), plain.csv.keys());
    for (const QString& name : read.csv.keys())
        QVERIFY2(read.csv[name] == plain.csv[name], qPrintable(name));

    const CliRun refused = csvOf(copy, QStringLiteral("Passwort 7"), dir.filePath("wrong"));
    QCOMPARE(refused.exitCode, 77);
    QVERIFY2(refused.err.contains("password is missing or wrong"), refused.err.constData());
    QVERIFY(refused.csv.isEmpty());

    // The encryption info said to be half as long as it is: its header or its XML is cut short.
    QByteArray damaged = encrypted;
    const int infoLength = quint8(damaged[0x299]) | quint8(damaged[0x29a]) << 8;
    damaged[0x299] = char(infoLength / 2);
    damaged[0x29a] = char(infoLength / 2 >> 8);
    QVERIFY(writeAll(copy, damaged));
    const CliRun cut = csvOf(copy, password, dir.filePath("damaged"));
    QCOMPARE(cut.exitCode, 65);
    QVERIFY2(cut.err.contains("Its encryption info is damaged"), cut.err.constData());
    QVERIFY(cut.csv.isEmpty());
}

QTEST_GUILESS_MAIN(TestEncryptedCopies)
#include "TestEncryptedCopies.moc"
