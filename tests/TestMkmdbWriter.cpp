// The database writer checked through mdbtools' own command-line programs (mdb-tables, mdb-schema,
// mdb-prop, mdb-export): every database of the test corpus must show exactly the described tables, columns,
// column properties and row counts. Also: the header page, the rules a schema and its rows are checked
// against, the file written page by page against the image in memory, and the bundled sample.

#include "FileTestHelpers.h"
#include "JetBytes.h"
#include "MdbSchemaCheck.h"
#include "MdbSchemaJson.h"
#include "MdbTestCorpus.h"
#include "MdbWriter.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Runs an mdbtools program; its standard output, or nothing when it failed.
std::optional<QString> run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList lines(const QString& text) {
    return text.split('\n', Qt::SkipEmptyParts);
}

// A name as libmdb shows it: it converts names as UCS-2, so each half of a surrogate pair becomes "?".
QString libmdbName(const std::string& name) {
    QString s = qs(name);
    for (auto& ch : s)
        if (ch.isSurrogate())
            ch = u'?';
    return s;
}

// The column type as mdb-schema's "access" output names it.
QString accessTypeText(const MdbColumn& c) {
    // mdb-schema shows a calculated column's stored length, which holds 23 bytes besides the value, and a
    // Numeric without a scale by that length.
    if (c.expression && c.type == MdbColumnType::Text)
        return QString("Text (%1)").arg((2 * (c.length > 0 ? c.length : 50) + 23) / 2);
    if (c.expression && c.type == MdbColumnType::Decimal)
        return "Numeric (39)";
    switch (c.type) {
    case MdbColumnType::YesNo:
        return "Boolean";
    case MdbColumnType::Byte:
        return "Byte";
    case MdbColumnType::Integer:
        return "Integer";
    case MdbColumnType::Long:
        return "Long Integer";
    case MdbColumnType::Currency:
        return "Currency";
    case MdbColumnType::Single:
        return "Single";
    case MdbColumnType::Double:
        return "Double";
    case MdbColumnType::DateTime:
        return "DateTime";
    case MdbColumnType::Binary:
        return "Binary";
    case MdbColumnType::Text:
        return QString("Text (%1)").arg(c.length > 0 ? c.length : 50);
    case MdbColumnType::OleObject:
        return "OLE (255)";
    case MdbColumnType::Memo:
        return "Memo/Hyperlink (255)";
    case MdbColumnType::Guid:
        return "Replication ID";
    case MdbColumnType::Decimal:
        return QString("Numeric (%1, %2)").arg(c.precision).arg(c.scale);
    case MdbColumnType::Unknown:
        return QString("Unknown_%1").arg(c.typeByte, 4, 16, QChar('0'));
    case MdbColumnType::DateTimeExtended: // in a database of its own (TestDataServers), not the corpus
        qFatal("no Date/Time Extended column is expected in the corpus");
    }
    return {};
}

// The ResultType property of a calculated column: the type byte of its result.
int resultTypeByte(MdbColumnType type) {
    using T = MdbColumnType;
    const QMap<T, int> bytes{{T::YesNo, 0x01},  {T::Integer, 0x03}, {T::Long, 0x04},     {T::Currency, 0x05},
                             {T::Single, 0x06}, {T::Double, 0x07},  {T::DateTime, 0x08}, {T::Text, 0x0A},
                             {T::Guid, 0x0F},   {T::Decimal, 0x10}};
    return bytes.value(type);
}

// mdb-prop's blocks as column name -> property -> value.
QMap<QString, QMap<QString, QString>> parseProperties(const QString& text) {
    QMap<QString, QMap<QString, QString>> out;
    QString current;
    for (const auto& line : lines(text)) {
        if (line.startsWith("name: ")) {
            current = line.mid(6);
            out[current];
        } else if (line.startsWith('\t')) {
            const auto colon = line.indexOf(": ");
            out[current][line.mid(1, colon - 1)] = line.mid(colon + 2);
        }
    }
    return out;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A column descriptor of a table definition, as Jet 4 and ACE lay it out.
struct Descriptor {
    int type = 0;
    int flags = 0;
    int extraFlags = 0;
    int precision = 0;
    int scale = 0;
    int length = 0;
    friend bool operator==(const Descriptor&, const Descriptor&) = default;
};

char* toString(const Descriptor& d) {
    return qstrdup(qPrintable(QString("type %1 flags %2 extra %3 precision %4 scale %5 length %6")
                                  .arg(d.type, 0, 16)
                                  .arg(d.flags, 0, 16)
                                  .arg(d.extraFlags, 0, 16)
                                  .arg(d.precision)
                                  .arg(d.scale)
                                  .arg(d.length)));
}

// The descriptors, by column name, of the table whose definition holds a column of the given name: the
// definition's first page is a 0x02 page with the definition's mark at 12, its pages chained at 4.
QMap<QString, Descriptor> descriptorsOfTableWith(const QByteArray& image, const QString& columnName) {
    constexpr qsizetype page = 4096;
    const auto u8 = [](const QByteArray& b, qsizetype at) { return int(quint8(b[at])); };
    const auto u16 = [&](const QByteArray& b, qsizetype at) { return u8(b, at) | u8(b, at + 1) << 8; };
    const auto u32 = [&](const QByteArray& b, qsizetype at) { return u16(b, at) | u16(b, at + 2) << 16; };
    const QByteArray needle(reinterpret_cast<const char*>(columnName.utf16()), columnName.size() * 2);
    for (qsizetype p = 0; (p + 1) * page <= image.size(); ++p) {
        QByteArray def = image.mid(p * page, page);
        if (u8(def, 0) != 0x02 || u32(def, 12) != 0x0659)
            continue;
        for (int next = u32(def, 4); next != 0 && (next + 1) * page <= image.size();) {
            def += image.mid(next * page + 8, page - 8);
            next = u32(image, next * page + 4);
        }
        if (!def.contains(needle))
            continue;
        const int columns = u16(def, 45);
        qsizetype at = 63 + 12 * qsizetype(u32(def, 51));
        QList<Descriptor> entries;
        for (int i = 0; i < columns; ++i, at += 25)
            entries.append({u8(def, at), u8(def, at + 15), u8(def, at + 16), u8(def, at + 11),
                            u8(def, at + 12), u16(def, at + 23)});
        QMap<QString, Descriptor> out;
        for (const Descriptor& d : entries) {
            const int length = u16(def, at);
            out.insert(
                QString::fromUtf16(reinterpret_cast<const char16_t*>(def.constData() + at + 2), length / 2),
                d);
            at += 2 + length;
        }
        return out;
    }
    return {};
}

} // namespace

class TestMkmdbWriter : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path(const std::string& name) const { return dir_.filePath(qs(name) + ".mdb"); }

private slots:
    void initTestCase();
    void tableLists_data();
    void tableLists();
    void columns_data();
    void columns();
    void properties_data();
    void properties();
    void calculatedColumnsAsAccessWritesThem_data();
    void calculatedColumnsAsAccessWritesThem();
    void headerPage();
    void sameSchemaSameBytes();
    void fileIsTheImage();
    void rowCounts_data();
    void rowCounts();
    void rejectsBrokenSchemas_data();
    void rejectsBrokenSchemas();
    void bundledSampleIsCurrent();
};

void TestMkmdbWriter::initTestCase() {
    QVERIFY(dir_.isValid());
    for (const auto& db : mdbTestCorpus()) {
        std::string error;
        QVERIFY2(writeMdb(db.schema, path(db.name).toStdString(), &error), error.c_str());
    }
}

void TestMkmdbWriter::tableLists_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("userTables");
    QTest::addColumn<QStringList>("allTables");
    const QStringList system{"MSysObjects", "MSysACEs", "MSysQueries", "MSysRelationships"};
    for (const auto& db : mdbTestCorpus()) {
        QStringList user;
        QStringList all = system;
        for (const auto& t : db.schema.tables) {
            if (!t.system)
                user << libmdbName(t.name);
            all << libmdbName(t.name);
        }
        QTest::addRow("%s", db.name.c_str()) << path(db.name) << user << all;
    }
}

void TestMkmdbWriter::tableLists() {
    QFETCH(QString, file);
    QFETCH(QStringList, userTables);
    QFETCH(QStringList, allTables);
    if (QStandardPaths::findExecutable("mdb-tables").isEmpty())
        QSKIP("mdb-tables (Debian package mdbtools) is not installed");
    const auto user = run("mdb-tables", {"-1", file});
    const auto all = run("mdb-tables", {"-1", "-S", file});
    QVERIFY(user && all);
    QCOMPARE(lines(*user), userTables);
    QCOMPARE(lines(*all), allTables);
}

void TestMkmdbWriter::columns_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("expected");
    for (const auto& db : mdbTestCorpus()) {
        for (const auto& t : db.schema.tables) {
            QStringList expected;
            for (const auto& c : t.columns)
                expected << "[" + libmdbName(c.name) + "] " + accessTypeText(c);
            QTest::addRow("%s/%s", db.name.c_str(), t.name.c_str())
                << path(db.name) << libmdbName(t.name) << expected;
        }
    }
}

void TestMkmdbWriter::columns() {
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QStringList, expected);
    if (QStandardPaths::findExecutable("mdb-schema").isEmpty())
        QSKIP("mdb-schema (Debian package mdbtools) is not installed");
    const auto out = run("mdb-schema", {"--no-not-null", "-T", table, file, "access"});
    QVERIFY(out);
    QStringList seen;
    static const QRegularExpression columnLine(R"(^\t(\[.*\])\t+(.*?),? ?$)");
    for (const auto& line : lines(*out)) {
        const auto m = columnLine.match(line);
        if (m.hasMatch())
            seen << m.captured(1) + " " + m.captured(2).remove(" NOT NULL");
    }
    QCOMPARE(seen, expected);
}

void TestMkmdbWriter::properties_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("expected");
    for (const auto& db : mdbTestCorpus()) {
        for (const auto& t : db.schema.tables) {
            QStringList expected;
            for (const auto& c : t.columns) {
                QMap<QString, QString> values; // mdb-prop's order: by name
                if (c.allowZeroLength)
                    values["AllowZeroLength"] = *c.allowZeroLength ? "yes" : "no";
                if (c.required)
                    values["Required"] = *c.required ? "yes" : "no";
                if (c.defaultValue)
                    values["DefaultValue"] = qs(*c.defaultValue);
                else if (c.autoNumber && c.type == MdbColumnType::Guid)
                    values["DefaultValue"] = "GenGUID()";
                if (c.description)
                    values["Description"] = qs(*c.description);
                if (c.validationRule)
                    values["ValidationRule"] = qs(*c.validationRule);
                if (c.validationText)
                    values["ValidationText"] = qs(*c.validationText);
                if (c.expression) {
                    values["Expression"] = libmdbName(*c.expression);
                    values["ResultType"] = QString::number(resultTypeByte(c.type));
                }
                QStringList texts;
                for (auto v = values.begin(); v != values.end(); ++v)
                    texts << v.key() + "=" + v.value();
                if (!texts.isEmpty())
                    expected << libmdbName(c.name) + ": " + texts.join(", ");
            }
            QTest::addRow("%s/%s", db.name.c_str(), t.name.c_str())
                << path(db.name) << libmdbName(t.name) << expected.join("; ");
        }
    }
}

void TestMkmdbWriter::properties() {
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, expected);
    if (QStandardPaths::findExecutable("mdb-prop").isEmpty())
        QSKIP("mdb-prop (Debian package mdbtools) is not installed");
    if (expected.isEmpty()) {
        // libmdb hands a table without properties those of the catalog row before it, so look at the
        // catalog row itself: its LvProp field must be empty.
        const auto catalog = run("mdb-export", {"-b", "hex", "-Q", "-d", "\t", file, "MSysObjects"});
        QVERIFY(catalog);
        const auto row = lines(*catalog).filter(
            QRegularExpression("^[^\t]*\t[^\t]*\t" + QRegularExpression::escape(table) + "\t"));
        QCOMPARE(row.size(), 1);
        QCOMPARE(row[0].split('\t').value(14), QString());
        return;
    }
    const auto out = run("mdb-prop", {file, table});
    QVERIFY(out);
    QStringList seen;
    const auto blocks = parseProperties(*out);
    for (auto it = blocks.begin(); it != blocks.end(); ++it) {
        QStringList values;
        for (auto v = it.value().begin(); v != it.value().end(); ++v)
            values << v.key() + "=" + v.value();
        seen << it.key() + ": " + values.join(", ");
    }
    // mdb-prop lists the columns in the blob's order, which is column order; compare as sets of lines.
    QStringList want = expected.isEmpty() ? QStringList() : expected.split("; ");
    seen.sort();
    want.sort();
    QCOMPARE(seen, want);
}

// Calculated columns of the results Access 2010 wrote into calcFieldTestV2010.accdb, written again by
// mkmdb: the same type byte, flags, second flag byte, stored length and, for a Decimal, no precision or
// scale. (That file's Text result of 243 characters has the length 2 * 243 + 23.)
void TestMkmdbWriter::calculatedColumnsAsAccessWritesThem_data() {
    QTest::addColumn<QString>("accessColumn");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("length");
    QTest::addRow("Text") << "LastFirst" << int(MdbColumnType::Text) << 243;
    QTest::addRow("Long") << "LastFirstLen" << int(MdbColumnType::Long) << 0;
    QTest::addRow("Double") << "MonthlySalary" << int(MdbColumnType::Double) << 0;
    QTest::addRow("Decimal") << "DecimalTest" << int(MdbColumnType::Decimal) << 0;
}

void TestMkmdbWriter::calculatedColumnsAsAccessWritesThem() {
    REQUIRE_FIXTURES();
    QFETCH(QString, accessColumn);
    QFETCH(int, type);
    QFETCH(int, length);
    MdbColumn c;
    c.name = accessColumn.toStdString();
    c.type = MdbColumnType(type);
    c.length = length;
    c.expression = "[ID]";
    MdbTable table;
    table.name = "T";
    table.columns = {c};
    std::string error;
    const auto image = buildMdb(MdbSchema{{table}, {}, {}}, &error);
    QVERIFY2(image, error.c_str());
    const QByteArray written(reinterpret_cast<const char*>(image->data()), qsizetype(image->size()));

    const auto access = descriptorsOfTableWith(
        readBytes(QString(VELTRANE_FIXTURES_DIR) + "/calcFieldTestV2010.accdb"), accessColumn);
    QVERIFY(access.contains(accessColumn));
    Descriptor expected = access.value(accessColumn);
    Descriptor seen = descriptorsOfTableWith(written, accessColumn).value(accessColumn);
    // Bytes 11 and 12 hold a Text or numeric column's sort order, which Access writes on some calculated
    // columns and not on others; only a Decimal's precision and scale matter there.
    if (c.type != MdbColumnType::Decimal)
        expected.precision = expected.scale = seen.precision = seen.scale = 0;
    QCOMPARE(seen, expected);
}

void TestMkmdbWriter::headerPage() {
    const auto image = readAll(path("every-type"));
    QCOMPARE(image.size() % 4096, 0);
    QCOMPARE(image.mid(4, 16), QByteArray("Standard Jet DB\0", 16));
    QCOMPARE(int(image[0x14]), 1); // Jet 4
    Bytes hidden(image.begin() + 0x18, image.begin() + 0x98);
    rc4({0xC7, 0xDA, 0x39, 0x6B}, hidden.data(), hidden.size());
    QCOMPARE(hidden[0x3C - 0x18] | hidden[0x3D - 0x18] << 8, 1252); // code page
    QCOMPARE(hidden[0x3E - 0x18] | hidden[0x3F - 0x18], 0);         // no database key: not encrypted
    // The password field holds the date mask alone: the password is empty.
    for (int i = 0x42; i < 0x6A; ++i)
        QCOMPARE(hidden[std::size_t(i - 0x18)], hidden[std::size_t(0x42 + (i - 0x42) % 4 - 0x18)]);
    QCOMPARE(image[2 * 4096], char(0x02)); // the catalog's definition is on page 2
}

void TestMkmdbWriter::sameSchemaSameBytes() {
    std::string error;
    const auto a = buildMdb(mdbTestDatabase("names"), &error);
    const auto b = buildMdb(mdbTestDatabase("names"), &error);
    QVERIFY(a && b);
    QVERIFY(*a == *b);
}

// writeMdb hands pages to the file out of order as they are made; the file must still be buildMdb's image.
void TestMkmdbWriter::fileIsTheImage() {
    std::string error;
    const auto image = buildMdb(mdbTestDatabase("every-value"), &error);
    QVERIFY2(image, error.c_str());
    const QByteArray file = readAll(path("every-value"));
    QCOMPARE(file.size(), qsizetype(image->size()));
    QVERIFY(file == QByteArray(reinterpret_cast<const char*>(image->data()), qsizetype(image->size())));
}

void TestMkmdbWriter::rowCounts_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("rows");
    for (const auto& db : mdbTestCorpus())
        for (const auto& t : db.schema.tables)
            if (!t.rows.empty())
                QTest::addRow("%s/%s", db.name.c_str(), t.name.c_str())
                    << path(db.name) << libmdbName(t.name) << int(t.rows.size());
    // Enough data pages for a usage map of bitmap pages, and rows made while the file is written.
    QTest::addRow("benchmark, 200000 rows") << path("benchmark") << "Orders" << 200000;
}

// mdb-export walks the data pages through the usage map, as libmdb always does, and must find every row
// without an error; -e keeps each row on one line whatever line ends its texts hold.
void TestMkmdbWriter::rowCounts() {
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(int, rows);
    if (QStandardPaths::findExecutable("mdb-export").isEmpty())
        QSKIP("mdb-export (Debian package mdbtools) is not installed");
    std::string error;
    if (!QFile::exists(file))
        QVERIFY2(writeMdb(mdbRowsBenchmarkDatabase(rows), file.toStdString(), &error), error.c_str());
    QProcess p;
    p.start("mdb-export", {"-H", "-e", "-b", "hex", file, table});
    QVERIFY(p.waitForFinished(120000));
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
             p.readAllStandardError().constData());
    QCOMPARE(p.readAllStandardError(), QByteArray());
    QCOMPARE(int(p.readAllStandardOutput().count('\n')), rows);
}

void TestMkmdbWriter::rejectsBrokenSchemas_data() {
    QTest::addColumn<QString>("json");
    QTest::addColumn<QString>("problem");
    const QString table = R"({"tables":[{"name":"T","columns":[%1],"indexes":[%2]}]})";
    const QString id = R"({"name":"ID","type":"Long"})";
    QTest::addRow("AutoNumber on Text") << table.arg(R"({"name":"A","type":"Text","autoNumber":true})", "")
                                        << "AutoNumber needs the type Long";
    QTest::addRow("Text too long") << table.arg(R"({"name":"A","type":"Text","length":256})", "")
                                   << "1 to 255 characters";
    QTest::addRow("Decimal scale over precision")
        << table.arg(R"({"name":"A","type":"Decimal","precision":4,"scale":5})", "") << "precision";
    QTest::addRow("column twice, other case")
        << table.arg(id + R"(,{"name":"id","type":"Byte"})", "") << "two columns named";
    QTest::addRow("index on a missing column")
        << table.arg(id, R"({"name":"X","columns":["Nope"]})") << "no column named \"Nope\"";
    QTest::addRow("two primary keys")
        << table.arg(
               id,
               R"({"name":"A","columns":["ID"],"primary":true},{"name":"B","columns":["ID"],"primary":true})")
        << "more than one primary key";
    QTest::addRow("Unknown with a Long's type byte")
        << table.arg(R"({"name":"A","type":"Unknown","typeByte":4})", "") << "no Jet or ACE type uses";
    QTest::addRow("calculated Memo") << table.arg(R"({"name":"A","type":"Memo","expression":"[B]"})", "")
                                     << "a calculated column's result";
    QTest::addRow("calculated, empty expression")
        << table.arg(R"({"name":"A","type":"Long","expression":""})", "") << "needs an expression";
    QTest::addRow("no columns") << table.arg("", "") << "has no columns";
    QTest::addRow("name of 65 characters")
        << table.arg(R"({"name":")" + QString(65, 'x') + R"(","type":"Long"})", "") << "longer than 64";
    QTest::addRow("catalog's own name")
        << R"({"tables":[{"name":"msysobjects","columns":[{"name":"A","type":"Long"}]}]})"
        << "is taken";
    QTest::addRow("same table twice")
        << R"({"tables":[{"name":"A","columns":[{"name":"A","type":"Long"}]},{"name":"a","columns":[{"name":"A","type":"Long"}]}]})"
        << "is taken";

    const QString rows = R"({"tables":[{"name":"T","columns":[%1],"rows":[%2]}]})";
    const QString text = R"({"name":"A","type":"Text","length":3})";
    QTest::addRow("row of too few values")
        << rows.arg(id + "," + text, "[1]") << "row 1: 1 values for 2 columns";
    QTest::addRow("row of too many values") << rows.arg(id, "[1],[2,3]") << "row 2: 2 values for 1 columns";
    QTest::addRow("text longer than its column")
        << rows.arg(text, R"(["abc"],["abcd"])") << "row 2, column \"A\": the text is longer than 3";
    QTest::addRow("emoji counts two") << rows.arg(text, R"(["a😀"],["ab😀"])") << "row 2";
    QTest::addRow("text starting with U+FEFF") << rows.arg(text, R"(["\uFEFFa"])") << "U+FEFF";
    QTest::addRow("Byte 256") << rows.arg(R"({"name":"A","type":"Byte"})", "[255],[256]") << "0 to 255";
    QTest::addRow("Byte -1") << rows.arg(R"({"name":"A","type":"Byte"})", "[-1]") << "0 to 255";
    QTest::addRow("Integer 32768") << rows.arg(R"({"name":"A","type":"Integer"})", "[32768]") << "-32768 to";
    QTest::addRow("Long 2^31") << rows.arg(id, "[2147483648]") << "-2147483648 to 2147483647";
    QTest::addRow("NULL Yes/No") << rows.arg(R"({"name":"A","type":"Yes/No"})", "[null]") << "cannot be NULL";
    QTest::addRow("Decimal past its precision")
        << rows.arg(R"({"name":"A","type":"Decimal","precision":4,"scale":2})", R"(["99.99"],["100.00"])")
        << "row 2, column \"A\": the value has more digits than precision 4";
    QTest::addRow("Decimal past its scale")
        << rows.arg(R"({"name":"A","type":"Decimal","precision":10,"scale":2})", R"(["1.005"])")
        << "more digits than";
    QTest::addRow("Binary longer than its column")
        << rows.arg(R"({"name":"A","type":"Binary","length":2})", R"(["0102"],["010203"])")
        << "longer than 2 bytes";
    QTest::addRow("value of a calculated column")
        << rows.arg(R"({"name":"A","type":"Long","expression":"1+1"})", "[null],[2]") << "not stored";
    QString wide;
    QString wideRow;
    for (int i = 0; i < 9; ++i) {
        wide += QString(R"(%1{"name":"C%2","type":"Text","length":255})").arg(i ? "," : "").arg(i);
        wideRow += QString("%1\"%2\"").arg(i ? "," : "", QString(255, 'w'));
    }
    QTest::addRow("row larger than a page") << rows.arg(wide, "[" + wideRow + "]") << "more than the 4080";
}

void TestMkmdbWriter::rejectsBrokenSchemas() {
    QFETCH(QString, json);
    QFETCH(QString, problem);
    QString parseError;
    const auto schema = parseMdbSchemaJson(json.toUtf8(), &parseError);
    QVERIFY2(schema, qPrintable(parseError));
    std::string error;
    QVERIFY(!buildMdb(*schema, &error));
    QVERIFY2(qs(error).contains(problem), error.c_str());
    QVERIFY(!writeMdb(*schema, dir_.filePath("broken.mdb").toStdString(), nullptr));
    QVERIFY(!QFile::exists(dir_.filePath("broken.mdb")));
}

void TestMkmdbWriter::bundledSampleIsCurrent() {
    const QString examples = VELTRANE_EXAMPLES_DIR;
    QString error;
    const auto schema = parseMdbSchemaJson(readAll(examples + "/sample.json"), &error);
    QVERIFY2(schema, qPrintable(error));
    std::string writeError;
    const auto image = buildMdb(*schema, &writeError);
    QVERIFY2(image, writeError.c_str());
    const auto committed = readAll(examples + "/sample.mdb");
    QVERIFY2(committed == QByteArray(reinterpret_cast<const char*>(image->data()), qsizetype(image->size())),
             "examples/sample.mdb is not what mkmdb makes of examples/sample.json: run "
             "mkmdb examples/sample.json examples/sample.mdb");
}

QTEST_GUILESS_MAIN(TestMkmdbWriter)
#include "TestMkmdbWriter.moc"
