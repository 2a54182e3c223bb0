// The JSON schema description: the bundled sample, defaults of left-out fields, rows of every type, and
// broken input.

#include "MdbSchemaJson.h"

#include <QFile>
#include <QtTest>
#include <cmath>

class TestMkmdbSchemaJson : public QObject {
    Q_OBJECT

private slots:
    void typeNamesRoundTrip();
    void leftOutFieldsTakeDefaults();
    void calculatedColumn();
    void unknownColumn();
    void readsTheSample();
    void rowsOfEveryType();
    void brokenInput_data();
    void brokenInput();
};

void TestMkmdbSchemaJson::typeNamesRoundTrip() {
    const QStringList names{"Yes/No",     "Byte",   "Integer",   "Long",    "Currency",
                            "Single",     "Double", "Date/Time", "Binary",  "Text",
                            "OLE Object", "Memo",   "GUID",      "Decimal", "Unknown"};
    for (const auto& n : names) {
        const auto type = mdbColumnTypeFromName(n.toStdString());
        QVERIFY2(type, qPrintable(n));
        QCOMPARE(QString::fromStdString(mdbColumnTypeName(*type)), n);
    }
    QVERIFY(!mdbColumnTypeFromName("long")); // names are exact
}

void TestMkmdbSchemaJson::leftOutFieldsTakeDefaults() {
    const auto schema =
        parseMdbSchemaJson(R"({"tables":[{"name":"T","columns":[{"name":"A","type":"Text"}]}]})", nullptr);
    QVERIFY(schema);
    const auto& t = schema->tables.at(0);
    QVERIFY(!t.system);
    QVERIFY(t.indexes.empty());
    const auto& c = t.columns.at(0);
    QCOMPARE(c.length, 0); // the writer's default length
    QVERIFY(!c.autoNumber);
    QVERIFY(!c.allowZeroLength); // not written at all
    QVERIFY(!c.required);
    QVERIFY(!c.expression); // not calculated
}

void TestMkmdbSchemaJson::calculatedColumn() {
    const auto schema = parseMdbSchemaJson(
        R"({"tables":[{"name":"T","columns":[{"name":"B","type":"Decimal","expression":"[Price]*[Quantity]"}]}]})",
        nullptr);
    QVERIFY(schema);
    const auto& column = schema->tables.at(0).columns.at(0);
    QCOMPARE(column.type, MdbColumnType::Decimal);
    QCOMPARE(column.expression, std::optional<std::string>("[Price]*[Quantity]"));
}

void TestMkmdbSchemaJson::unknownColumn() {
    const auto schema = parseMdbSchemaJson(
        R"({"tables":[{"name":"T","columns":[{"name":"A","type":"Unknown","typeByte":21,"length":32}]}]})",
        nullptr);
    QVERIFY(schema);
    const auto& column = schema->tables.at(0).columns.at(0);
    QCOMPARE(column.type, MdbColumnType::Unknown);
    QCOMPARE(column.typeByte, 0x15);
    QCOMPARE(column.length, 32);
}

void TestMkmdbSchemaJson::readsTheSample() {
    QFile f(QString(VELTRANE_EXAMPLES_DIR) + "/sample.json");
    QVERIFY(f.open(QIODevice::ReadOnly));
    QString error;
    const auto schema = parseMdbSchemaJson(f.readAll(), &error);
    QVERIFY2(schema, qPrintable(error));
    QCOMPARE(schema->tables.size(), std::size_t(5));
    const auto& lines = schema->tables.at(3);
    QCOMPARE(QString::fromStdString(lines.name), QString("Order Lines"));
    QCOMPARE(lines.indexes.at(0).columns, (std::vector<std::string>{"OrderID", "Line No"}));
    QVERIFY(lines.indexes.at(0).primary);
    const auto& prices = schema->tables.at(4);
    QCOMPARE(QString::fromStdString(prices.name), QString("Price List $ (Été 2024)"));
    QCOMPARE(prices.columns.at(3).type, MdbColumnType::Decimal);
    QCOMPARE(prices.columns.at(3).precision, 5);
    QCOMPARE(prices.columns.at(3).scale, 2);
    QVERIFY(prices.columns.at(0).autoNumber);
    QCOMPARE(prices.columns.at(1).allowZeroLength, std::optional<bool>(false));
}

// Each JSON value becomes the value its column's type takes, exactly: digits of Currency and Decimal kept
// from strings, bytes and GUIDs from hex, and the doubles JSON cannot write from their names.
void TestMkmdbSchemaJson::rowsOfEveryType() {
    const auto schema = parseMdbSchemaJson(R"({"tables":[{"name":"T","columns":[
        {"name":"Flag","type":"Yes/No"}, {"name":"Tiny","type":"Byte"}, {"name":"Whole","type":"Long"},
        {"name":"Money","type":"Currency"}, {"name":"Real","type":"Single"}, {"name":"Wide","type":"Double"},
        {"name":"When","type":"Date/Time"}, {"name":"Raw","type":"Binary"}, {"name":"Title","type":"Text"},
        {"name":"Picture","type":"OLE Object"}, {"name":"Notes","type":"Memo"}, {"name":"Key","type":"GUID"},
        {"name":"Amount","type":"Decimal","precision":28,"scale":2}],
      "rows":[[true, 255, -2147483648, "-922337203685477.5808", 0.1, "NaN", -1.25, "00ff10", "a\"😀",
               "", "line\r\n", "{6F9619FF-8B86-D011-B42D-00C04FC964FF}", "-12.5"],
              [false, null, null, "922337203685477.5807", "-0", "-Infinity", 2958465.999988426, null, null,
               null, null, "00112233-4455-6677-8899-aabbccddeeff", "9999999999999999999999999999"]]}]})",
                                           nullptr);
    QVERIFY(schema);
    const auto& rows = schema->tables.at(0).rows;
    QCOMPARE(rows.size(), std::size_t(2));
    const MdbRow& a = rows[0];
    QVERIFY(a[0] == MdbValue{true});
    QVERIFY(a[1] == MdbValue{std::int64_t(255)});
    QVERIFY(a[2] == MdbValue{std::int64_t(-2147483648LL)});
    QVERIFY(a[3] == MdbValue{MdbCurrency{std::numeric_limits<std::int64_t>::min()}});
    QVERIFY(a[4] == MdbValue{0.1f});
    QVERIFY(std::isnan(std::get<double>(*a[5])));
    QVERIFY(a[6] == MdbValue{-1.25});
    QVERIFY((a[7] == MdbValue{MdbBytes{0x00, 0xFF, 0x10}}));
    QVERIFY(a[8] == MdbValue{std::string("a\"😀")});
    QVERIFY(a[9] == MdbValue{MdbBytes{}});
    QVERIFY(a[10] == MdbValue{std::string("line\r\n")});
    const MdbGuid key{
        {0xFF, 0x19, 0x96, 0x6F, 0x86, 0x8B, 0x11, 0xD0, 0xB4, 0x2D, 0x00, 0xC0, 0x4F, 0xC9, 0x64, 0xFF}};
    QVERIFY(a[11] == MdbValue{key});
    QVERIFY((a[12] == MdbValue{MdbDecimal{true, {125, 0, 0}, 1}}));
    QCOMPARE(QString::fromStdString(mdbGuidToString(key)), "{6F9619FF-8B86-D011-B42D-00C04FC964FF}");

    const MdbRow& b = rows[1];
    QVERIFY(b[0] == MdbValue{false});
    QVERIFY(!b[1] && !b[2] && !b[7] && !b[8] && !b[9] && !b[10]);
    QVERIFY(b[3] == MdbValue{MdbCurrency{std::numeric_limits<std::int64_t>::max()}});
    QVERIFY(std::signbit(std::get<float>(*b[4])) && std::get<float>(*b[4]) == 0.0f);
    QVERIFY(b[5] == MdbValue{-std::numeric_limits<double>::infinity()});
    QVERIFY(b[6] == MdbValue{2958465.999988426});
    QVERIFY(std::get<MdbGuid>(*b[11]).bytes[0] == 0x33);
    // 10^28 - 1: the three words of the 96-bit magnitude
    QVERIFY((b[12] == MdbValue{MdbDecimal{false, {0x0FFFFFFF, 0x3E250261, 0x204FCE5E}, 0}}));
    QCOMPARE(QString::fromStdString(mdbDecimalToString(std::get<MdbDecimal>(*b[12]))), QString(28, '9'));
}

void TestMkmdbSchemaJson::brokenInput_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("problem");
    QTest::addRow("not JSON") << QByteArray("{tables") << "not JSON";
    QTest::addRow("no table list") << QByteArray(R"({"table":[]})") << "no \"tables\" list";
    QTest::addRow("unknown type")
        << QByteArray(R"({"tables":[{"name":"T","columns":[{"name":"A","type":"Varchar"}]}]})")
        << "table \"T\": unknown type \"Varchar\"";
    const QString row = R"({"tables":[{"name":"T","columns":[{"name":"A","type":"%1"}],"rows":[[%2]]}]})";
    const auto rowProblem = [&](const char* label, const char* type, const char* value, const char* problem) {
        QTest::addRow("%s", label) << row.arg(type, value).toUtf8()
                                   << QString("table \"T\", row 1, column \"A\": ") + problem;
    };
    rowProblem("Yes/No as a number", "Yes/No", "1", "takes true or false");
    rowProblem("Long with a fraction", "Long", "1.5", "takes a whole number");
    rowProblem("Long as a string", "Long", "\"1\"", "takes a whole number");
    rowProblem("Currency as a number", "Currency", "1.5", "takes an amount as a string");
    rowProblem("Currency of five decimals", "Currency", "\"1.00001\"", "takes an amount");
    rowProblem("Currency past its range", "Currency", "\"922337203685477.5808\"", "takes an amount");
    rowProblem("Decimal of 29 digits", "Decimal", "\"99999999999999999999999999999\"", "takes a decimal");
    rowProblem("Double as a word", "Double", "\"many\"", "takes a number");
    rowProblem("bytes of odd length", "Binary", "\"abc\"", "takes bytes");
    rowProblem("GUID without dashes", "GUID", "\"6F9619FF8B86D011B42D00C04FC964FF\"", "takes a GUID");
    rowProblem("Text as a number", "Text", "5", "takes a string");
}

void TestMkmdbSchemaJson::brokenInput() {
    QFETCH(QByteArray, json);
    QFETCH(QString, problem);
    QString error;
    QVERIFY(!parseMdbSchemaJson(json, &error));
    QVERIFY2(error.startsWith(problem), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestMkmdbSchemaJson)
#include "TestMkmdbSchemaJson.moc"
