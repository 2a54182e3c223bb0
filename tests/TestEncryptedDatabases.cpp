// Encrypted databases as a user opens them with veltrane-cli: every row of the encrypted fixtures with the
// right password (from a file or the environment), exit 77 without it or with a wrong one, and a damaged or
// unsupported encryption header named as such (exit 65), never a crash.

#include "FileTestHelpers.h"
#include "ReaderProtocol.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString fixtures = QStringLiteral(VELTRANE_FIXTURES_DIR);
const QString cli = QStringLiteral(VELTRANE_BIN_DIR) + "/veltrane-cli";
const QString refused = QStringLiteral("is encrypted, and its password is missing or wrong");

struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs veltrane-cli with VELTRANE_PASSWORD set to password (unset when it is null) and no terminal.
CliResult runCli(const QStringList& arguments, const QString& password = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("VELTRANE_PASSWORD"));
    if (!password.isNull())
        environment.insert(QStringLiteral("VELTRANE_PASSWORD"), password);
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(cli, arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs veltrane-cli on a terminal of its own, with no password in its environment, and types answer when it
// asks; what the terminal showed and the exit status (-1 when it did not end within 60 s).
std::pair<int, QByteArray> runOnTerminal(const QStringList& arguments, const QByteArray& answer) {
    QList<QByteArray> bytes{cli.toLocal8Bit()};
    for (const QString& argument : arguments)
        bytes << argument.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        ::unsetenv("VELTRANE_PASSWORD");
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    QByteArray shown;
    bool answered = false;
    const QDeadlineTimer deadline(60'000);
    while (!deadline.hasExpired()) {
        pollfd ready{terminal, POLLIN, 0};
        if (::poll(&ready, 1, int(deadline.remainingTime())) <= 0)
            break;
        char chunk[4096];
        const ssize_t got = ::read(terminal, chunk, sizeof chunk);
        if (got <= 0)
            break; // the program has ended and closed the terminal
        shown.append(chunk, got);
        if (!answered && shown.contains("Password for ")) {
            const QByteArray line = answer + "\n";
            answered = ::write(terminal, line.constData(), std::size_t(line.size())) == line.size();
        }
    }
    if (deadline.hasExpired())
        ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(terminal);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, shown};
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestEncryptedDatabases : public QObject {
    Q_OBJECT
private slots:
    void everyRowWithThePassword_data();
    void everyRowWithThePassword();
    void refusedWithoutThePassword_data();
    void refusedWithoutThePassword();
    void damagedOrUnsupportedHeader_data();
    void damagedOrUnsupportedHeader();
    void promptOnATerminal_data();
    void promptOnATerminal();
    void requestCarriesThePasswordWhenThereIsOne_data();
    void requestCarriesThePasswordWhenThereIsOne();
};

void TestEncryptedDatabases::everyRowWithThePassword_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("fromFile"); // --password-file, else VELTRANE_PASSWORD
    QTest::addColumn<QString>("table");
    QTest::addColumn<QByteArray>("csv");
    const QByteArray foo = "ID,Field1\r\n1,foo\r\n";
    const QByteArray customers = "ID,Field1\r\n1,Test\r\n2,Test2\r\n3,a\r\n4,\r\n5,c\r\n6,d\r\n7,f\r\n";
    const QByteArray hello = "ID,col1,col2\r\n1,hello,0\r\n2,world,42\r\n";
    QTest::addRow("RC4 CryptoAPI, password file") << "db2007-oldenc.accdb"
                                                  << "Test123" << true << "Table1" << foo;
    QTest::addRow("RC4 CryptoAPI, environment") << "db2007-oldenc.accdb"
                                                << "Test123" << false << "Table1" << foo;
    QTest::addRow("agile AES-128 SHA-1") << "db2007-enc.accdb"
                                         << "Test123" << true << "Table1" << foo;
    QTest::addRow("agile AES-256 SHA-512") << "db2013-enc.accdb"
                                           << "1234" << false << "Customers" << customers;
    // The engine's own masking needs no password; one given is not needed and does no harm.
    QTest::addRow("Jet 4, encoded by the engine") << "db-enc.mdb" << QString() << false << "Table1" << hello;
    QTest::addRow("Jet 3, encoded by the engine") << "db97-enc.mdb"
                                                  << "unused" << true << "Table1" << hello;
}

// The rows (--csv) and the classic script both come through the reader, which decrypts at open.
void TestEncryptedDatabases::everyRowWithThePassword() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(QString, password);
    QFETCH(bool, fromFile);
    QFETCH(QString, table);
    QFETCH(QByteArray, csv);
    QTemporaryDir dir;
    const QString passwordFile = dir.filePath("password");
    QVERIFY(writeAll(passwordFile, password.toUtf8() + "\n"));
    const QStringList passwordArguments =
        fromFile ? QStringList{"--password-file", passwordFile} : QStringList{};
    const QString environment = fromFile ? QString() : password;
    const QString path = fixtures + "/" + file;

    const CliResult rows =
        runCli(passwordArguments + QStringList{"--csv", dir.filePath("rows"), path}, environment);
    QVERIFY2(rows.exitCode == 0, rows.err.constData());
    QCOMPARE(QDir(dir.filePath("rows")).entryList(QDir::Files), QStringList{table + ".csv"});
    QCOMPARE(readAll(dir.filePath("rows/" + table + ".csv")), csv);

    const CliResult script = runCli(passwordArguments + QStringList{path}, environment);
    QVERIFY2(script.exitCode == 0, script.err.constData());
    QVERIFY(script.out.contains("CREATE TABLE " + table.toUtf8() + " ("));
}

void TestEncryptedDatabases::refusedWithoutThePassword_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("password"); // null: none given
    QTest::addColumn<QStringList>("arguments");
    const QStringList script;
    const QStringList data{"-t", "SQLite", "--data"};
    QTest::addRow("RC4 CryptoAPI, none") << "db2007-oldenc.accdb" << QString() << script;
    QTest::addRow("RC4 CryptoAPI, wrong") << "db2007-oldenc.accdb"
                                          << "test123" << data;
    QTest::addRow("agile SHA-1, none") << "db2007-enc.accdb" << QString() << data;
    QTest::addRow("agile SHA-1, wrong") << "db2007-enc.accdb"
                                        << "1234" << script;
    QTest::addRow("agile SHA-512, empty") << "db2013-enc.accdb"
                                          << "" << script;
    QTest::addRow("agile SHA-512, wrong") << "db2013-enc.accdb"
                                          << "12345" << data;
    QTest::addRow("agile SHA-512, saved queries")
        << "db2013-enc.accdb" << QString() << QStringList{"--queries"};
}

void TestEncryptedDatabases::refusedWithoutThePassword() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(QString, password);
    QFETCH(QStringList, arguments);
    const CliResult result = runCli(arguments + QStringList{fixtures + "/" + file}, password);
    QCOMPARE(result.exitCode, 77);
    QVERIFY2(QString::fromLocal8Bit(result.err).contains(refused), result.err.constData());
    QCOMPARE(result.out, QByteArray());
}

void TestEncryptedDatabases::damagedOrUnsupportedHeader_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("anchor"); // the header is changed at offset from the first of these bytes
    QTest::addColumn<int>("offset");        // (from the start of the file when there are none)
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QString agile = "db2013-enc.accdb";
    const QString rc4 = "db2007-oldenc.accdb";
    const QString damaged = "Its encryption info is damaged";
    const QByteArray start; // the block: its length at 0x299, its version at 0x29b, then its contents
    QTest::addRow("extensible encryption")
        << agile << "1234" << start << 0x29b << QByteArray("\x04\x00\x03\x00", 4)
        << "encrypted with extensible Office encryption";
    QTest::addRow("binary RC4 encryption")
        << rc4 << "Test123" << start << 0x29b << QByteArray("\x01\x00\x01\x00", 4)
        << "encrypted with Office binary RC4";
    QTest::addRow("info longer than the page")
        << agile << "1234" << start << 0x299 << QByteArray("\xff\xff", 2) << damaged;
    QTest::addRow("no room for the version")
        << agile << "1234" << start << 0x299 << QByteArray("\x02\x00", 2) << damaged;
    // The RC4 block: the copy of the flags at 0x29f, the header's size at 0x2a3, the header (flags first) at
    // 0x2a7, 0x76 bytes long, then the verifier's salt size.
    QTest::addRow("RC4 header size past the block")
        << rc4 << "Test123" << start << 0x2a3 << QByteArray("\xff\x00", 2) << damaged;
    QTest::addRow("AES flag on an RC4 cipher")
        << rc4 << "Test123" << start << 0x2a7 << QByteArray("\x24", 1) << damaged;
    QTest::addRow("RC4 salt of 17 bytes")
        << rc4 << "Test123" << start << 0x2a7 + 0x76 << QByteArray("\x11", 1) << damaged;
    QTest::addRow("XML cut short") << agile << "1234" << start << 0x299 << QByteArray("\x60\x00", 2)
                                   << damaged;
    QTest::addRow("XML root renamed")
        << agile << "1234" << QByteArray("<encryption") << 1 << QByteArray("E", 1) << damaged;
    QTest::addRow("salt that is not base64")
        << agile << "1234" << QByteArray("saltValue=\"") << 11 << QByteArray("*", 1) << damaged;
    QTest::addRow("spin count not a number")
        << agile << "1234" << QByteArray("spinCount=\"") << 11 << QByteArray("10000x") << damaged;
}

// The header of a copy is changed at one place: the reader names what it found, and the run ends as for any
// unreadable file (exit 65) instead of reading pages with a key it could not derive.
void TestEncryptedDatabases::damagedOrUnsupportedHeader() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(QString, password);
    QFETCH(QByteArray, anchor);
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QByteArray database = readAll(fixtures + "/" + file);
    const qsizetype at = (anchor.isEmpty() ? 0 : database.indexOf(anchor)) + offset;
    QVERIFY(at >= offset && at + bytes.size() < 4096);
    database.replace(at, bytes.size(), bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    QVERIFY(writeAll(path, database));
    const CliResult result = runCli({path}, password);
    QCOMPARE(result.exitCode, 65);
    QVERIFY2(QString::fromLocal8Bit(result.err).contains(message), result.err.constData());
    QVERIFY(!result.err.contains("Unrecognized database format"));
}

void TestEncryptedDatabases::promptOnATerminal_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("status");
    QTest::addRow("encrypted, right password") << "db2013-enc.accdb" << QByteArray("1234") << true << 0;
    QTest::addRow("encrypted, wrong password") << "db2007-oldenc.accdb" << QByteArray("Test12") << true << 77;
    QTest::addRow("not encrypted: no question") << "testV2007.accdb" << QByteArray() << false << 0;
}

// With no password given and a terminal to ask on, the program asks only for an encrypted file, and what is
// typed does not show.
void TestEncryptedDatabases::promptOnATerminal() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(QByteArray, answer);
    QFETCH(bool, asked);
    QFETCH(int, status);
    const QString path = fixtures + "/" + file;
    const auto [exitCode, shown] = runOnTerminal({path}, answer);
    QCOMPARE(exitCode, status);
    QCOMPARE(shown.contains("Password for " + path.toLocal8Bit() + ": "), asked);
    if (!answer.isEmpty())
        QVERIFY2(!shown.contains(answer), shown.constData());
    QCOMPARE(shown.contains("CREATE TABLE "), status == 0);
}

void TestEncryptedDatabases::requestCarriesThePasswordWhenThereIsOne_data() {
    using readerprotocol::RequestKind;
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("password");
    QTest::addRow("tables, none") << int(RequestKind::Tables) << ""
                                  << "";
    QTest::addRow("tables") << int(RequestKind::Tables) << ""
                            << "1234";
    QTest::addRow("schema, not ASCII") << int(RequestKind::Schema) << ""
                                       << "pässwörd 🔑";
    QTest::addRow("rows") << int(RequestKind::Rows) << "Customers"
                          << "Test123";
    QTest::addRow("rows, none") << int(RequestKind::Rows) << "Customers"
                                << "";
}

// The password travels after the request's other fields, and only when there is one: a request without
// one is byte for byte what it was before; anything after the password spoils the request.
void TestEncryptedDatabases::requestCarriesThePasswordWhenThereIsOne() {
    QFETCH(int, kind);
    QFETCH(QString, table);
    QFETCH(QString, password);
    const readerprotocol::Request request{readerprotocol::RequestKind(kind), "/data/x.accdb",
                                          table.toStdString(), password.toStdString()};
    const std::string frame = readerprotocol::encode(request);
    const std::string_view payload = std::string_view(frame).substr(4);
    const auto decoded = readerprotocol::decodeRequest(payload);
    QVERIFY(decoded);
    QCOMPARE(int(decoded->kind), kind);
    QCOMPARE(decoded->path, request.path);
    QCOMPARE(decoded->table, request.table);
    QCOMPARE(decoded->password, request.password);
    readerprotocol::Request without = request;
    without.password.clear();
    const std::string plain = readerprotocol::encode(without);
    QCOMPARE(frame.size() > plain.size(), !password.isEmpty());
    // Two more texts: one more than a request can hold, whether it had a password or not.
    QVERIFY(!readerprotocol::decodeRequest(std::string(payload) + "\x01x\x01y"));
}

QTEST_GUILESS_MAIN(TestEncryptedDatabases)
#include "TestEncryptedDatabases.moc"
