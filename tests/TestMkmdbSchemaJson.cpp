// The JSON schema description: the bundled sample, defaults of left-out fields, and broken input.

#include "MdbSchemaJson.h"

#include <QFile>
#include <QtTest>

class TestMkmdbSchemaJson : public QObject {
    Q_OBJECT

private slots:
    void typeNamesRoundTrip();
    void leftOutFieldsTakeDefaults();
    void calculatedColumn();
    void unknownColumn();
    void readsTheSample();
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

void TestMkmdbSchemaJson::brokenInput_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("problem");
    QTest::addRow("not JSON") << QByteArray("{tables") << "not JSON";
    QTest::addRow("no table list") << QByteArray(R"({"table":[]})") << "no \"tables\" list";
    QTest::addRow("unknown type")
        << QByteArray(R"({"tables":[{"name":"T","columns":[{"name":"A","type":"Varchar"}]}]})")
        << "table \"T\": unknown type \"Varchar\"";
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
