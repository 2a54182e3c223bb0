// Values from their stored bytes (src/schema/reader/ValueBytes.cpp), for the forms the real files happen
// not to hold: texts that leave the compressed form midway, unpaired surrogates, the edges of Decimal, the
// Windows-1252 bytes that differ from Latin-1, and values inside calculation data.

#include "ValueBytes.h"

#include <QtTest>

#include <bit>

namespace {

QString render(const DataValue& value) {
    const QByteArray bytes(value.bytes.data(), qsizetype(value.bytes.size()));
    switch (value.kind) {
    case ValueKind::Null:
        return QStringLiteral("null");
    case ValueKind::Boolean:
    case ValueKind::Integer:
    case ValueKind::Currency:
        return QStringLiteral("%1 %2").arg(int(value.kind)).arg(value.integer);
    case ValueKind::Single:
    case ValueKind::Double:
    case ValueKind::DateTime:
        return QStringLiteral("%1 %2")
            .arg(int(value.kind))
            .arg(std::bit_cast<quint64>(value.real), 16, 16, QLatin1Char('0'));
    case ValueKind::Decimal:
    case ValueKind::Text:
        return QStringLiteral("%1 %2").arg(int(value.kind)).arg(QString::fromUtf8(bytes));
    case ValueKind::Bytes:
    case ValueKind::Guid:
        return QStringLiteral("%1 %2").arg(int(value.kind)).arg(QString::fromLatin1(bytes.toHex()));
    }
    return {};
}

// Calculation data around a value: 16 bytes, the value's length, the value, 3 bytes.
QByteArray calculated(const QByteArray& value) {
    QByteArray wrapped(16, '\x7F');
    const auto size = quint32(value.size());
    for (int i = 0; i < 4; ++i)
        wrapped.append(char((size >> (8 * i)) & 0xFF));
    return wrapped + value + QByteArray(3, '\x7F');
}

} // namespace

class TestValueBytes : public QObject {
    Q_OBJECT

private slots:
    void decodes_data();
    void decodes();
};

void TestValueBytes::decodes_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("isCalculated");
    QTest::addColumn<bool>("jet3");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("expected");
    const auto hex = [](const char* digits) { return QByteArray::fromHex(digits); };
    QTest::addRow("Byte is unsigned") << jettype::byte << false << false << 0 << hex("ff") << "2 255";
    QTest::addRow("Integer is signed") << jettype::integer << false << false << 0 << hex("feff") << "2 -2";
    QTest::addRow("Large Number") << jettype::bigInt << false << false << 0 << hex("0000000000000080")
                                  << "2 -9223372036854775808";
    QTest::addRow("Currency") << jettype::currency << false << false << 0 << hex("ffffffffffffffff")
                              << "5 -1";
    QTest::addRow("Single keeps the float's value")
        << jettype::single << false << false << 0 << hex("cdcccc3d") << "3 3fb99999a0000000";
    QTest::addRow("a Double that is too short")
        << jettype::real << false << false << 0 << hex("00") << "damage";
    QTest::addRow("Decimal zero") << jettype::decimal << false << false << 4 << QByteArray(17, '\0')
                                  << "6 0.0000";
    QTest::addRow("Decimal negative") << jettype::decimal << false << false << 4
                                      << hex("800000000000000000000000000061bc00") << "6 -1234.5600";
    QTest::addRow("Decimal of 128 bits")
        << jettype::decimal << false << false << 0 << hex("00ffffffffffffffffffffffffffffffff")
        << "6 340282366920938463463374607431768211455";
    QTest::addRow("Decimal, scale past the digits")
        << jettype::decimal << false << false << 6 << hex("000000000000000000000000000c000000")
        << "6 0.000012";
    QTest::addRow("compressed, then two bytes a character, then compressed again")
        << jettype::text << false << false << 0 << hex("fffe6162002d4e0063") << "8 ab\u4E2Dc";
    QTest::addRow("surrogate pair") << jettype::text << false << false << 0 << hex("3dd800de")
                                    << "8 \U0001F600";
    QTest::addRow("unpaired surrogate")
        << jettype::text << false << false << 0 << hex("3dd84100") << "8 \uFFFDA";
    QTest::addRow("empty text") << jettype::text << false << false << 0 << QByteArray() << "8 ";
    QTest::addRow("Windows-1252") << jettype::text << false << true << 0 << hex("80e981")
                                  << "8 \u20AC\u00E9\u0081";
    QTest::addRow("GUID") << jettype::guid << false << false << 0 << hex("00112233445566778899aabbccddeeff")
                          << "10 00112233445566778899aabbccddeeff";
    // Days since 0001-01-01, then the time of day in units of 100 ns.
    QTest::addRow("Date/Time Extended, the first day")
        << jettype::dateTimeExtended << false << false << 0
        << QByteArray("0000000000000000000:0000000000000000000:7 ") << "8 0001-01-01 00:00:00";
    QTest::addRow("Date/Time Extended, 100 ns")
        << jettype::dateTimeExtended << false << false << 0
        << QByteArray("0000000000000738153:0000000452967891234:7 ") << "8 2021-12-30 12:34:56.7891234";
    QTest::addRow("Date/Time Extended, a leap day and the last tick")
        << jettype::dateTimeExtended << false << false << 0
        << QByteArray("0000000000000730178:0000000863999999999:7 ") << "8 2000-02-29 23:59:59.9999999";
    QTest::addRow("Date/Time Extended, the last day, half a second")
        << jettype::dateTimeExtended << false << false << 0
        << QByteArray("0000000000003652058:0000000000005000000:7 ") << "8 9999-12-31 00:00:00.5";
    QTest::addRow("Date/Time Extended past a day: kept as stored")
        << jettype::dateTimeExtended << false << false << 0
        << QByteArray("0000000000000000000:0000000864000000000:7 ")
        << "8 0000000000000000000:0000000864000000000:7 ";
    QTest::addRow("complex column") << jettype::complex << false << false << 0 << hex("01000000") << "2 1";
    QTest::addRow("unknown type") << 0x0D << false << false << 0 << hex("0102") << "9 0102";
    QTest::addRow("calculated Long") << jettype::longInteger << true << false << 0
                                     << calculated(hex("feffffff")) << "2 -2";
    QTest::addRow("calculated Yes/No")
        << jettype::boolean << true << false << 0 << calculated(hex("ff")) << "1 1";
    QTest::addRow("calculated text") << jettype::text << true << false << 0 << calculated(hex("fffe6869"))
                                     << "8 hi";
    // A 16-bit length, the scale, the sign, then a leading 32-bit word and a 64-bit one, each little-endian:
    // 2^64 + 1000 hundredths.
    QTest::addRow("calculated Decimal")
        << jettype::decimal << true << false << 0 << calculated(hex("0e00020101000000e803000000000000"))
        << "6 -184467440737095526.16";
}

void TestValueBytes::decodes() {
    QFETCH(int, type);
    QFETCH(bool, isCalculated);
    QFETCH(bool, jet3);
    QFETCH(int, scale);
    QFETCH(QByteArray, stored);
    QFETCH(QString, expected);
    ValueLayout layout;
    layout.type = type;
    layout.calculated = isCalculated;
    layout.jet3 = jet3;
    layout.scale = scale;
    std::string scratch;
    DataValue value;
    const bool decoded =
        decodeValue(layout, std::string_view(stored.constData(), std::size_t(stored.size())), scratch, value);
    QCOMPARE(decoded ? render(value) : QStringLiteral("damage"), expected);
}

QTEST_GUILESS_MAIN(TestValueBytes)
#include "TestValueBytes.moc"
