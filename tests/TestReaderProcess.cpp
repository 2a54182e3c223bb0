// The client side of the reader process: a reader that crashes, hangs, answers garbage or cannot be started
// gives the failure markers of the operation, never a hang or an exception, and the next request is served
// by a fresh reader.

#include "ReaderAnswers.h"
#include "ReaderProcess.h"
#include "ReaderProtocol.h"
#include "SchemaSnapshot.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>
#include <QThread>

namespace {

const QString binDir = QStringLiteral(VELTRANE_BIN_DIR);
const QString fakeReader = binDir + QStringLiteral("/veltrane-fake-reader");

QString names(const TableList& list) {
    if (const auto* failure = std::get_if<ReadFailure>(&list))
        return QStringLiteral("NOT %1").arg(failure->number);
    return std::get<TextList>(list).items().join(QLatin1Char('|'));
}

// Sets VELTRANE_READER_TIMEOUT for the life of one test.
class TimeoutOverride {
public:
    explicit TimeoutOverride(const QByteArray& seconds) { qputenv("VELTRANE_READER_TIMEOUT", seconds); }
    ~TimeoutOverride() { qunsetenv("VELTRANE_READER_TIMEOUT"); }
};

RowsRead rowsOf(ReaderProcess& reader, const QString& path) {
    return reader.ReadTableRows(path, "T", [](const RowBatch&) { return true; });
}

} // namespace

class TestReaderProcess : public QObject {
    Q_OBJECT

private slots:
    void misbehavingReader_data();
    void misbehavingReader();
    void hangingReaderTimesOut();
    void rowsOutlastTheTimeLimitWhileFramesKeepComing();
    void waitHookAbandonsARequest();
    void readerIsKeptBetweenCalls();
    void readerThatEndedIsReplaced();
    void missingProgram();
    void timeoutFromEnvironment_data();
    void timeoutFromEnvironment();
    void findsReaderBesideProgram();
    void memoryLimitOptionIsAccepted();
    void fieldStatesRoundTrip();
    void malformedAnswersAreRejected_data();
    void malformedAnswersAreRejected();
    void numbersTakeOneToFiveBytes();
};

void TestReaderProcess::misbehavingReader_data() {
    QTest::addColumn<QString>("behaviour");
    QTest::addRow("crash") << "crash";
    QTest::addRow("exit without answer") << "exit";
    QTest::addRow("garbage") << "garbage";
    QTest::addRow("oversized frame") << "huge";
    QTest::addRow("two answers") << "twice";
    QTest::addRow("unknown status") << "bad-status";
}

void TestReaderProcess::misbehavingReader() {
    QFETCH(QString, behaviour);
    const TimeoutOverride timeout("5");
    ReaderProcess reader(fakeReader);
    QCOMPARE(names(reader.GetTableNames("ok")), QStringLiteral("Fake"));

    const TableList failed = reader.GetTableNames(behaviour);
    QVERIFY(std::holds_alternative<ReadFailure>(failed));
    QCOMPARE(
        std::get<ReadFailure>(failed),
        (ReadFailure{3049,
                     QStringLiteral("Cannot open database '%1'. The file may be damaged.").arg(behaviour)}));
    // A fresh reader (its first answer is "Fake" again) serves the next request.
    QCOMPARE(names(reader.GetTableNames("ok")), QStringLiteral("Fake"));

    QCOMPARE(reader.GetTableFields(behaviour, "T"), FieldTable::unreadable());
    QCOMPARE(reader.GetTableFields("ok", "T").upperBound(), 1);
    QCOMPARE(reader.GetTableIndexes(behaviour, "T"), unreadableIndexes());
    QCOMPARE(reader.GetTableIndexes("ok", "T"), IndexList(TextList({"PrimaryKey"})));
    QVERIFY(std::holds_alternative<ReadFailure>(SchemaSnapshot::read(reader, behaviour)));
    QVERIFY(std::holds_alternative<SchemaSnapshot>(SchemaSnapshot::read(reader, "ok")));
    QVERIFY(!rowsOf(reader, behaviour).complete);
    QCOMPARE(rowsOf(reader, "ok").rows, 1);
}

void TestReaderProcess::hangingReaderTimesOut() {
    const TimeoutOverride timeout("1");
    ReaderProcess reader(fakeReader);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(names(reader.GetTableNames("hang")), QStringLiteral("NOT 3049"));
    QCOMPARE(reader.GetTableFields("hang", "T"), FieldTable::unreadable());
    QCOMPARE(reader.GetTableIndexes("hang", "T"), unreadableIndexes());
    QVERIFY2(timer.elapsed() < 8000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(names(reader.GetTableNames("ok")), QStringLiteral("Fake"));
}

// The time limit is for each frame of a rows answer, not for the whole answer.
void TestReaderProcess::rowsOutlastTheTimeLimitWhileFramesKeepComing() {
    const TimeoutOverride timeout("1");
    ReaderProcess reader(fakeReader);
    QList<std::int64_t> ids;
    const RowsRead read = reader.ReadTableRows("slow-rows", "T", [&](const RowBatch& batch) {
        for (std::size_t r = 0; r < batch.rows(); ++r)
            ids << batch.row(r)[0].integer;
        return true;
    });
    QVERIFY(!read.failure);
    QVERIFY(read.complete);
    QCOMPARE(ids, (QList<std::int64_t>{1, 2, 3, 4}));
}

// A request that its wait hook abandons ends at once as a failed read, long before the time limit; the next
// request gets a fresh reader.
void TestReaderProcess::waitHookAbandonsARequest() {
    ReaderProcess reader(fakeReader);
    int calls = 0;
    reader.setWaitHook([&] { return ++calls == 5; });
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(names(reader.GetTableNames("hang")), QStringLiteral("NOT 3049"));
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(calls, 5);
    reader.setWaitHook([] { return false; });
    QCOMPARE(names(reader.GetTableNames("ok")), QStringLiteral("Fake"));
}

void TestReaderProcess::readerIsKeptBetweenCalls() {
    ReaderProcess reader(fakeReader);
    QCOMPARE(names(reader.GetTableNames("ok")), QStringLiteral("Fake"));
    QCOMPARE(names(reader.GetTableNames("ok")), QStringLiteral("Fake2"));
    QCOMPARE(names(reader.GetTableNames("ok")), QStringLiteral("Fake3"));
}

void TestReaderProcess::readerThatEndedIsReplaced() {
    ReaderProcess reader(fakeReader);
    QCOMPARE(names(reader.GetTableNames("ok")), QStringLiteral("Fake"));
    QCOMPARE(names(reader.GetTableNames("last")), QStringLiteral("Fake2"));
    QThread::msleep(200); // the reader has ended by now; no events are processed meanwhile
    QCOMPARE(names(reader.GetTableNames("ok")), QStringLiteral("Fake"));
}

// A reader program that is not there, or not executable, is named as such, never taken for a damaged file.
void TestReaderProcess::missingProgram() {
    const QString missing = binDir + QStringLiteral("/no-such-reader");
    const QString notExecutable = QStringLiteral(VELTRANE_TEST_DATA_DIR) + "/not-a-database.txt";
    for (const QString& program : {missing, notExecutable}) {
        ReaderProcess reader(program);
        const TableList answer = reader.GetTableNames("ok");
        QVERIFY(std::holds_alternative<ReadFailure>(answer));
        const ReadFailure failure = std::get<ReadFailure>(answer);
        QCOMPARE(failure.number, ReaderUnavailableNumber);
        QVERIFY2(failure.description.startsWith(
                     QStringLiteral("The schema reader program '%1' could not be started: ").arg(program)),
                 qPrintable(failure.description));
        QCOMPARE(reader.GetTableFields("ok", "T"), FieldTable::unreadable());
        QCOMPARE(reader.GetTableIndexes("ok", "T"), unreadableIndexes());
        auto snapshot = SchemaSnapshot::read(reader, "ok");
        QVERIFY(std::holds_alternative<ReadFailure>(snapshot));
        QCOMPARE(std::get<ReadFailure>(snapshot).number, ReaderUnavailableNumber);
    }
    // A reader that starts and then fails on the file is a damaged file again.
    ReaderProcess reader(fakeReader);
    QCOMPARE(names(reader.GetTableNames("crash")), QStringLiteral("NOT 3049"));
}

void TestReaderProcess::timeoutFromEnvironment_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("milliseconds");
    QTest::addRow("unset") << QByteArray() << 20000;
    QTest::addRow("whole seconds") << QByteArray("3") << 3000;
    QTest::addRow("fraction") << QByteArray("0.5") << 500;
    QTest::addRow("not a number") << QByteArray("soon") << 20000;
    QTest::addRow("zero") << QByteArray("0") << 20000;
    QTest::addRow("negative") << QByteArray("-4") << 20000;
}

void TestReaderProcess::timeoutFromEnvironment() {
    QFETCH(QByteArray, value);
    QFETCH(int, milliseconds);
    if (value.isNull())
        qunsetenv("VELTRANE_READER_TIMEOUT");
    else
        qputenv("VELTRANE_READER_TIMEOUT", value);
    QCOMPARE(ReaderProcess::requestTimeoutMs(), milliseconds);
    qunsetenv("VELTRANE_READER_TIMEOUT");
}

void TestReaderProcess::findsReaderBesideProgram() {
    QCOMPARE(QFileInfo(ReaderProcess::defaultProgram()).canonicalFilePath(),
             QFileInfo(binDir + QStringLiteral("/veltrane-reader")).canonicalFilePath());
    // The real reader answers a path that names nothing with the engine's message.
    ReaderProcess reader;
    QCOMPARE(reader.GetTableNames(QStringLiteral("/no/such/file.mdb")),
             TableList(ReadFailure{3024, QStringLiteral("Could not find file '/no/such/file.mdb'.")}));
}

void TestReaderProcess::memoryLimitOptionIsAccepted() {
    ReaderProcess limited(ReaderProcess::defaultProgram(),
                          {QStringLiteral("--memory-limit-mb"), QStringLiteral("512")});
    QCOMPARE(names(limited.GetTableNames(QStringLiteral("/no/such/file.mdb"))), QStringLiteral("NOT 3024"));
    // An option the reader does not know makes it refuse to start serving.
    ReaderProcess refused(ReaderProcess::defaultProgram(), {QStringLiteral("--no-such-option")});
    QCOMPARE(names(refused.GetTableNames(QStringLiteral("/no/such/file.mdb"))), QStringLiteral("NOT 3049"));
}

void TestReaderProcess::malformedAnswersAreRejected_data() {
    using readerprotocol::Writer;
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("tables");
    QTest::addColumn<bool>("fields");
    QTest::addColumn<bool>("indexes");
    const auto bytes = [](std::initializer_list<std::uint32_t> values) {
        Writer out;
        for (std::uint32_t value : values)
            out.u32(value);
        const std::string frame = out.frame();
        return QByteArray(frame.data() + 4, qsizetype(frame.size() - 4));
    };
    QTest::addRow("empty") << QByteArray() << false << false << false;
    // No tables is a list; an index list without names is not ("NOT" has a kind of its own).
    QTest::addRow("list of no names") << bytes({0, 0}) << true << false << false;
    QTest::addRow("count beyond the bytes") << bytes({0, 1000}) << false << false << false;
    QTest::addRow("text longer than the rest") << bytes({0, 1, 50}) << false << false << false;
    // The fields' state 2 is a table left unread on purpose; 3 means nothing.
    QTest::addRow("state 2") << bytes({2}) << false << true << true;
    QTest::addRow("state 3") << bytes({3}) << false << false << false;
    QTest::addRow("trailing bytes") << bytes({1, 0, 9}) << false << false << false;
    // A number is read only in the one form the writer gives it.
    QTest::addRow("longer form of 0") << QByteArray("\x80\x00", 2) << false << false << false;
    QTest::addRow("number past 32 bits") << QByteArray("\xff\xff\xff\xff\x10") << false << false << false;
    QTest::addRow("number cut short") << QByteArray("\x81") << false << false << false;
}

void TestReaderProcess::fieldStatesRoundTrip() {
    using namespace readerprotocol;
    for (const FieldsAnswer& answer :
         {FieldsAnswer{false, {}, false}, FieldsAnswer{false, {}, true},
          FieldsAnswer{true, {Field{"Smile \U0001F600", 10, 20, true, 34}}, false}}) {
        const std::string frame = encode(answer);
        QCOMPARE(decodeFields(std::string_view(frame).substr(4)), std::optional(answer));
        SchemaAnswer schema;
        schema.tables.push_back(
            TableSchema{"T", answer, IndexesAnswer{IndexesAnswer::Kind::NoIndexes, {}}, {}});
        const std::string whole = encode(schema);
        QCOMPARE(decodeSchema(whole), std::optional(schema));
    }
    QCOMPARE(toFieldTable(FieldsAnswer{false, {}, true}), FieldTable::notRead());
    QCOMPARE(toFieldTable(FieldsAnswer{false, {}, false}), FieldTable::unreadable());
}

void TestReaderProcess::malformedAnswersAreRejected() {
    QFETCH(QByteArray, payload);
    QFETCH(bool, tables);
    QFETCH(bool, fields);
    QFETCH(bool, indexes);
    const std::string_view view(payload.constData(), std::size_t(payload.size()));
    QCOMPARE(readerprotocol::decodeTables(view).has_value(), tables);
    QCOMPARE(readerprotocol::decodeFields(view).has_value(), fields);
    QCOMPARE(readerprotocol::decodeIndexes(view).has_value(), indexes);
}

void TestReaderProcess::numbersTakeOneToFiveBytes() {
    const std::pair<std::uint32_t, std::size_t> cases[] = {{0, 1},        {127, 1},
                                                           {128, 2},      {16383, 2},
                                                           {16384, 3},    {(1u << 21) - 1, 3},
                                                           {1u << 21, 4}, {(1u << 28) - 1, 4},
                                                           {1u << 28, 5}, {0xFFFFFFFFu, 5}};
    for (const auto& [value, size] : cases) {
        readerprotocol::Writer out;
        out.u32(value);
        out.u32(value ^ 1);
        const std::string frame = out.frame();
        QCOMPARE(*readerprotocol::frameSize(frame), std::uint32_t(frame.size() - 4));
        readerprotocol::Reader in(std::string_view(frame).substr(4));
        QCOMPARE(in.u32(), value);
        QCOMPARE(in.u32(), value ^ 1);
        QVERIFY(in.finished());
        QCOMPARE(frame.size() - 4, 2 * size);
    }
}

QTEST_GUILESS_MAIN(TestReaderProcess)
#include "TestReaderProcess.moc"
