// The codec of the rows answer: every kind of value survives a batch frame exactly (the bits of reals,
// every byte of texts), the tail keeps its facts, and a frame that is not exactly what the writer makes is
// refused.

#include "RowsProtocol.h"

#include <QtTest>

#include <bit>
#include <cmath>
#include <limits>

using namespace readerprotocol;

namespace {

// One line per value, the reals by their bits, so that a comparison shows the first value that differs.
QStringList describe(const std::vector<DataValue>& values) {
    QStringList lines;
    for (const DataValue& value : values)
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(int(value.kind))
                     .arg(value.integer)
                     .arg(std::bit_cast<quint64>(value.real), 16, 16, QLatin1Char('0'))
                     .arg(QString::fromLatin1(
                         QByteArray(value.bytes.data(), qsizetype(value.bytes.size())).toHex()));
    return lines;
}

std::string payloadOf(const std::string& frame) {
    return frame.substr(4);
}

DataValue integer(ValueKind kind, std::int64_t number) {
    DataValue value;
    value.kind = kind;
    value.integer = number;
    return value;
}

DataValue real(ValueKind kind, double number) {
    DataValue value;
    value.kind = kind;
    value.real = number;
    return value;
}

DataValue bytes(ValueKind kind, std::string_view stored) {
    DataValue value;
    value.kind = kind;
    value.bytes = stored;
    return value;
}

} // namespace

class TestRowsProtocol : public QObject {
    Q_OBJECT

private slots:
    void everyKindRoundTrips();
    void tailRoundTrips_data();
    void tailRoundTrips();
    void malformedFramesAreRefused_data();
    void malformedFramesAreRefused();
};

void TestRowsProtocol::everyKindRoundTrips() {
    static const std::string longText(70'000, 'x');
    static const std::string guid("\x78\x56\x34\x12\x34\x12\xCD\xAB\x01\x02\x03\x04\x05\x06\x07\x08", 16);
    const std::vector<DataValue> values = {
        {},
        integer(ValueKind::Boolean, 0),
        integer(ValueKind::Boolean, 1),
        integer(ValueKind::Integer, 0),
        integer(ValueKind::Integer, -1),
        integer(ValueKind::Integer, std::numeric_limits<std::int64_t>::min()),
        integer(ValueKind::Integer, std::numeric_limits<std::int64_t>::max()),
        integer(ValueKind::Currency, -922337203685477580),
        real(ValueKind::Single, double(0.1f)),
        real(ValueKind::Double, -0.0),
        real(ValueKind::Double, std::numeric_limits<double>::quiet_NaN()),
        real(ValueKind::Double, std::numeric_limits<double>::denorm_min()),
        real(ValueKind::DateTime, -1.25),
        bytes(ValueKind::Decimal, "-1234.5600"),
        bytes(ValueKind::Text, ""),
        bytes(ValueKind::Text, "\xC3\xA9\xF0\x9F\x98\x80\t\r\n"),
        bytes(ValueKind::Text, longText),
        bytes(ValueKind::Bytes, std::string_view("\0\xFF", 2)),
        bytes(ValueKind::Guid, guid),
    };
    RowsBatchWriter writer(std::uint32_t(values.size()));
    for (const DataValue& value : values)
        writer.add(value);
    writer.endRow();
    QCOMPARE(writer.rows(), 1u);
    const std::string payload = payloadOf(writer.takeFrame());
    QCOMPARE(rowsFrameKind(payload), RowsFrameKind::Batch);

    std::uint32_t columns = 0;
    std::vector<DataValue> decoded;
    QVERIFY(decodeRowsBatch(payload, columns, decoded));
    QCOMPARE(columns, std::uint32_t(values.size()));
    QCOMPARE(describe(decoded), describe(values));
    // The values point into the payload rather than into copies.
    QVERIFY(decoded.back().bytes.data() >= payload.data() &&
            decoded.back().bytes.data() < payload.data() + payload.size());

    // The writer starts the next batch empty.
    QVERIFY(decodeRowsBatch(payloadOf(writer.takeFrame()), columns, decoded));
    QVERIFY(decoded.empty());
}

void TestRowsProtocol::tailRoundTrips_data() {
    QTest::addColumn<RowsTail>("tail");
    QTest::addRow("complete") << RowsTail{std::nullopt, 5'000, true};
    QTest::addRow("damaged after rows") << RowsTail{std::nullopt, std::uint64_t(1) << 40, false};
    QTest::addRow("failure") << RowsTail{Failure{3049, "Cannot open database 'x'."}, 0, false};
}

void TestRowsProtocol::tailRoundTrips() {
    QFETCH(RowsTail, tail);
    const std::string payload = payloadOf(encodeRowsTail(tail));
    QCOMPARE(rowsFrameKind(payload), RowsFrameKind::Tail);
    QVERIFY(decodeRowsTail(payload) == tail);
}

void TestRowsProtocol::malformedFramesAreRefused_data() {
    QTest::addColumn<QByteArray>("payload");
    QTest::addRow("empty") << QByteArray();
    QTest::addRow("no columns") << QByteArray("\x01\x00", 2);
    QTest::addRow("unknown kind") << QByteArray("\x01\x01\x0B", 3);
    QTest::addRow("boolean 2") << QByteArray("\x01\x01\x01\x02", 4);
    QTest::addRow("boolean cut") << QByteArray("\x01\x01\x01", 3);
    QTest::addRow("integer cut") << QByteArray("\x01\x01\x02\x80", 4);
    QTest::addRow("integer longer form") << QByteArray("\x01\x01\x02\x80\x00", 5);
    QTest::addRow("integer past 64 bits")
        << QByteArray("\x01\x01\x02\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x02", 13);
    QTest::addRow("double cut") << QByteArray("\x01\x01\x04\x00\x00\x00\x00\x00\x00\x00", 10);
    QTest::addRow("text past the frame") << QByteArray("\x01\x01\x08\x05"
                                                       "abcd",
                                                       8);
    QTest::addRow("guid of 15 bytes") << QByteArray("\x01\x01\x0A\x0F"
                                                    "0123456789abcde",
                                                    19);
    QTest::addRow("row cut short") << QByteArray("\x01\x02\x00\x00\x00", 5);
    QTest::addRow("tail cut") << QByteArray("\x02\x00\x05", 3);
    QTest::addRow("tail complete 2") << QByteArray("\x02\x00\x05\x02", 4);
    QTest::addRow("tail failure 2") << QByteArray("\x02\x02\x05\x01", 4);
    QTest::addRow("tail failure text cut") << QByteArray("\x02\x01\x01\x09"
                                                         "ab\x00\x00",
                                                         8);
    QTest::addRow("tail with more") << QByteArray("\x02\x00\x05\x01\x00", 5);
    QTest::addRow("kind 3") << QByteArray("\x03\x00", 2);
}

void TestRowsProtocol::malformedFramesAreRefused() {
    QFETCH(QByteArray, payload);
    const std::string_view bytes(payload.constData(), std::size_t(payload.size()));
    std::uint32_t columns = 0;
    std::vector<DataValue> values;
    QVERIFY(!decodeRowsBatch(bytes, columns, values));
    QVERIFY(!decodeRowsTail(bytes));
}

QTEST_GUILESS_MAIN(TestRowsProtocol)
#include "TestRowsProtocol.moc"
