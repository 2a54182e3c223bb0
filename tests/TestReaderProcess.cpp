// The client side of the reader process: a reader that crashes, hangs, answers garbage or cannot be started
// gives the failure markers of the operation, never a hang or an exception, and the next request is served
// by a fresh reader.

#include "QueriesProtocol.h"
#include "ReaderAnswers.h"
#include "ReaderProcess.h"
#include "ReaderProtocol.h"
#include "SchemaSnapshot.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>
#include <QThread>

#include <bit>
#include <limits>

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
    void answerThatKeepsArrivingIsNotCutOff();
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
    void queriesAnswersRoundTripAndRejectTheMalformed();
    void numbersTakeOneToFiveBytes();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void malformedValuesAreRejected_data();
    void malformedValuesAreRejected();
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
    const auto queries = reader.GetSavedQueries(behaviour);
    QVERIFY(std::holds_alternative<ReadFailure>(queries));
    QCOMPARE(std::get<ReadFailure>(queries).number, 3049);
    const auto fresh = reader.GetSavedQueries("ok");
    QVERIFY(std::holds_alternative<SavedQueries>(fresh));
    QCOMPARE(std::get<SavedQueries>(fresh),
             SavedQueries{(SavedQuery{"Fake", QueryKind::Select, "SELECT 1;", false})});
}

void TestReaderProcess::hangingReaderTimesOut() {
    const TimeoutOverride timeout("1");
    ReaderProcess reader(fakeReader);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(names(reader.GetTableNames("hang")), QStringLiteral("NOT 3049"));
    QCOMPARE(reader.GetTableFields("hang", "T"), FieldTable::unreadable());
    QCOMPARE(reader.GetTableIndexes("hang", "T"), unreadableIndexes());
    QVERIFY(std::holds_alternative<ReadFailure>(reader.GetSavedQueries("hang")));
    QVERIFY2(timer.elapsed() < 8000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(names(reader.GetTableNames("ok")), QStringLiteral("Fake"));
}

// The limit counts silence: an answer that takes several times the limit in all, but never pauses as long
// as the limit, is read whole.
void TestReaderProcess::answerThatKeepsArrivingIsNotCutOff() {
    const TimeoutOverride timeout("1");
    ReaderProcess reader(fakeReader);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(names(reader.GetTableNames("dribble")), QStringLiteral("Fake"));
    QVERIFY2(timer.elapsed() > 2000, qPrintable(QString::number(timer.elapsed())));
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
            TableSchema{"T", answer, IndexesAnswer{IndexesAnswer::Kind::NoIndexes, {}}, {}, {}});
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

void TestReaderProcess::queriesAnswersRoundTripAndRejectTheMalformed() {
    using namespace readerprotocol;
    const QueriesAnswer answer{std::nullopt,
                               {StoredQuery{"Q \U0001F600", StoredQueryKind::PassThrough, "SELECT 1;", true}},
                               {UnreadQuery{"Broken", "more than one WHERE row"}}};
    const std::string frame = encode(answer);
    const std::string_view payload = std::string_view(frame).substr(4);
    QCOMPARE(decodeQueries(payload), std::optional(answer));
    const QueriesAnswer failed{failureFor(FileNotFound, "x.mdb"), {}, {}};
    QCOMPARE(decodeQueries(std::string_view(encode(failed)).substr(4)), std::optional(failed));
    // Every shorter payload is cut inside a value or a count.
    for (std::size_t size = 0; size < payload.size(); ++size)
        QVERIFY(!decodeQueries(payload.substr(0, size)));
    // A kind past PassThrough, and bytes after the answer.
    std::string badKind(payload);
    badKind[1 + 1 + 1 + 6] = 9; // status, count, the name's length and its six bytes, then the kind
    QVERIFY(!decodeQueries(badKind));
    QVERIFY(!decodeQueries(std::string(payload) + '\0'));
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

// The value kinds beside u32 and text, each in the exact bytes it takes and read back as written (doubles
// bit for bit, so that -0 and NaN survive).
void TestReaderProcess::valuesRoundTrip_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("payload");
    const auto b = [](const char* bytes, qsizetype size) { return QByteArray(bytes, size); };
    QTest::addRow("i64 0") << "i64" << QVariant(qint64(0)) << b("\x00", 1);
    QTest::addRow("i64 -1") << "i64" << QVariant(qint64(-1)) << b("\x01", 1);
    QTest::addRow("i64 1") << "i64" << QVariant(qint64(1)) << b("\x02", 1);
    QTest::addRow("i64 -64, the last one-byte") << "i64" << QVariant(qint64(-64)) << b("\x7f", 1);
    QTest::addRow("i64 64, the first two-byte") << "i64" << QVariant(qint64(64)) << b("\x80\x01", 2);
    QTest::addRow("i64 largest") << "i64" << QVariant(std::numeric_limits<qint64>::max())
                                 << b("\xfe\xff\xff\xff\xff\xff\xff\xff\xff\x01", 10);
    QTest::addRow("i64 smallest") << "i64" << QVariant(std::numeric_limits<qint64>::min())
                                  << b("\xff\xff\xff\xff\xff\xff\xff\xff\xff\x01", 10);
    QTest::addRow("f64 1.5") << "f64" << QVariant(1.5) << b("\0\0\0\0\0\0\xf8\x3f", 8);
    QTest::addRow("f64 -0") << "f64" << QVariant(-0.0) << b("\0\0\0\0\0\0\0\x80", 8);
    QTest::addRow("f64 infinity") << "f64" << QVariant(std::numeric_limits<double>::infinity())
                                  << b("\0\0\0\0\0\0\xf0\x7f", 8);
    QTest::addRow("f64 NaN") << "f64" << QVariant(std::bit_cast<double>(0x7FF8000000000001ull))
                             << b("\x01\0\0\0\0\0\xf8\x7f", 8);
    QTest::addRow("f64 smallest subnormal")
        << "f64" << QVariant(std::numeric_limits<double>::denorm_min()) << b("\x01\0\0\0\0\0\0\0", 8);
    QTest::addRow("bytes empty") << "bytes" << QVariant(QByteArray()) << b("\x00", 1);
    QTest::addRow("bytes not UTF-8, with NUL") << "bytes" << QVariant(b("a\0\xff", 3))
                                               << b("\x03"
                                                    "a\0\xff",
                                                    4);
}

void TestReaderProcess::valuesRoundTrip() {
    QFETCH(QString, kind);
    QFETCH(QVariant, value);
    QFETCH(QByteArray, payload);
    readerprotocol::Writer out;
    if (kind == "i64")
        out.i64(value.toLongLong());
    else if (kind == "f64")
        out.f64(value.toDouble());
    else
        out.bytes(std::string_view(value.toByteArray().constData(), std::size_t(value.toByteArray().size())));
    const std::string frame = out.frame();
    QCOMPARE(QByteArray::fromStdString(frame.substr(4)), payload);

    readerprotocol::Reader in(std::string_view(frame).substr(4));
    if (kind == "i64") {
        QCOMPARE(in.i64(), value.toLongLong());
    } else if (kind == "f64") {
        QCOMPARE(std::bit_cast<quint64>(in.f64()), std::bit_cast<quint64>(value.toDouble()));
    } else {
        QCOMPARE(QByteArray::fromStdString(in.bytes()), value.toByteArray());
    }
    QVERIFY(in.finished());
}

void TestReaderProcess::malformedValuesAreRejected_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("payload");
    QTest::addRow("i64 longer form of 0") << "i64" << QByteArray("\x80\x00", 2);
    QTest::addRow("i64 past 64 bits") << "i64" << QByteArray("\xff\xff\xff\xff\xff\xff\xff\xff\xff\x02", 10);
    QTest::addRow("i64 cut short") << "i64" << QByteArray("\x81", 1);
    QTest::addRow("f64 seven bytes") << "f64" << QByteArray("\0\0\0\0\0\0\0", 7);
    QTest::addRow("bytes longer than the rest") << "bytes"
                                                << QByteArray("\x05"
                                                              "ab",
                                                              3);
}

void TestReaderProcess::malformedValuesAreRejected() {
    QFETCH(QString, kind);
    QFETCH(QByteArray, payload);
    readerprotocol::Reader in(std::string_view(payload.constData(), std::size_t(payload.size())));
    if (kind == "i64")
        QCOMPARE(in.i64(), qint64(0));
    else if (kind == "f64")
        QCOMPARE(in.f64(), 0.0);
    else
        QCOMPARE(in.bytes(), std::string());
    QVERIFY(!in.ok());
}

QTEST_GUILESS_MAIN(TestReaderProcess)
#include "TestReaderProcess.moc"
