// The reader's own parser of property blobs against libmdb's mdb_kkd_to_props: on every catalog row of the
// real Access files and of the sample database, the eight properties it keeps must read exactly as libmdb
// reads them, block by block, the table's own nameless block included. Blobs that do not hold together must
// end the parse, never hang it or read past the blob.
#include "ColumnProperties.h"
#include "FileTestHelpers.h"

#include <QDir>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::array<const char*, columnPropertyCount> propertyNames{
    "AllowZeroLength", "Required",   "DefaultValue",   "Description",
    "Expression",      "ResultType", "ValidationRule", "ValidationText"};

struct Closer {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
using Handle = std::unique_ptr<MdbHandle, Closer>;

struct PropertiesDeleter {
    void operator()(GPtrArray* properties) const {
        for (guint i = 0; i < properties->len; ++i)
            mdb_free_props(static_cast<MdbProperties*>(g_ptr_array_index(properties, i)));
        g_ptr_array_free(properties, TRUE);
    }
};

// The LvProp blob of every catalog row that has one.
std::vector<std::string> propertyBlobs(MdbHandle* mdb) {
    std::vector<std::string> blobs;
    char name[] = "MSysObjects";
    std::unique_ptr<MdbTableDef, decltype(&mdb_free_tabledef)> table(
        mdb_read_table_by_name(mdb, name, MDB_TABLE), mdb_free_tabledef);
    if (!table || !mdb_read_columns(table.get()))
        return blobs;
    std::vector<char> value(MDB_BIND_SIZE);
    char column[] = "LvProp";
    const int number = mdb_bind_column_by_name(table.get(), column, value.data(), nullptr);
    if (number < 1)
        return blobs;
    auto* lvProp = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, number - 1));
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        if (lvProp->cur_value_len == 0)
            continue;
        size_t size = 0;
        void* blob = mdb_ole_read_full(mdb, lvProp, &size);
        if (blob)
            blobs.emplace_back(static_cast<const char*>(blob), size);
        std::free(blob);
    }
    return blobs;
}

TableProperties parsed(MdbHandle* mdb, const std::string& blob) {
    return TableProperties(mdb, reinterpret_cast<const unsigned char*>(blob.data()), blob.size());
}

// A KKD blob put together by hand: a chunk of property names, then blocks of (name number, type, value).
class BlobBuilder {
public:
    BlobBuilder() { bytes_ = std::string("MR2\0", 4); }
    BlobBuilder& names(const std::vector<std::string>& names) {
        std::string chunk;
        for (const std::string& name : names)
            chunk += u16(unsigned(name.size() * 2)) + utf16(name);
        return this->chunk(0x80, chunk);
    }
    struct Record {
        unsigned number;
        int type;
        std::string value;
        int length = -1; // the record's length as written; -1: its real length
    };
    BlobBuilder& block(const std::string& name, const std::vector<Record>& records) {
        std::string chunk = u16(0) + u16(0) + u16(unsigned(name.size() * 2)) + utf16(name);
        for (const Record& r : records) {
            const unsigned length = r.length >= 0 ? unsigned(r.length) : unsigned(8 + r.value.size());
            chunk += u16(length) + std::string(1, '\0') + std::string(1, char(r.type)) + u16(r.number) +
                     u16(unsigned(r.value.size())) + r.value;
        }
        return this->chunk(0x00, chunk);
    }
    // A chunk whose length says more than the blob holds.
    BlobBuilder& overlong() {
        bytes_ += u32(1000) + u16(0x00);
        return *this;
    }
    std::string bytes() const { return bytes_; }

    static std::string utf16(const std::string& ascii) {
        std::string out;
        for (char c : ascii)
            out += std::string(1, c) + std::string(1, '\0');
        return out;
    }

private:
    static std::string u16(unsigned v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }
    static std::string u32(unsigned v) { return u16(v & 0xFFFF) + u16(v >> 16); }
    BlobBuilder& chunk(unsigned type, const std::string& payload) {
        bytes_ += u32(unsigned(6 + payload.size())) + u16(type) + payload;
        return *this;
    }
    std::string bytes_;
};

} // namespace

class TestColumnProperties : public QObject {
    Q_OBJECT
private slots:
    void sameAsLibmdb_data();
    void sameAsLibmdb();
    void blobsThatDoNotHoldTogether_data();
    void blobsThatDoNotHoldTogether();

private:
    Handle openSample();
};

Handle TestColumnProperties::openSample() {
    const QByteArray path = QFile::encodeName(QStringLiteral(VELTRANE_SOURCE_DIR "/examples/sample.mdb"));
    return Handle(mdb_open(path.constData(), MDB_NOFLAGS));
}

void TestColumnProperties::sameAsLibmdb_data() {
    QTest::addColumn<QString>("path");
    QTest::addRow("sample") << QStringLiteral(VELTRANE_SOURCE_DIR "/examples/sample.mdb");
    const QDir fixtures(QStringLiteral(VELTRANE_FIXTURES_DIR));
    for (const QString& name : fixtures.entryList({"*.mdb", "*.accdb"}, QDir::Files, QDir::Name))
        QTest::addRow("%s", qPrintable(name)) << fixtures.filePath(name);
}

void TestColumnProperties::sameAsLibmdb() {
    QFETCH(QString, path);
    if (!path.contains(QLatin1String("/examples/")))
        REQUIRE_FIXTURES();
    const QByteArray file = QFile::encodeName(path);
    Handle mdb(mdb_open(file.constData(), MDB_NOFLAGS));
    QVERIFY(mdb);
    int compared = 0;
    for (const std::string& blob : propertyBlobs(mdb.get())) {
        std::string copy = blob; // libmdb takes a writable buffer
        std::unique_ptr<GPtrArray, PropertiesDeleter> theirs(
            mdb_kkd_to_props(mdb.get(), copy.data(), copy.size()));
        QVERIFY(theirs);
        const TableProperties ours = parsed(mdb.get(), blob);
        std::vector<std::string> seen;
        bool tableSeen = false;
        for (guint i = 0; i < theirs->len; ++i) {
            const auto* block = static_cast<const MdbProperties*>(g_ptr_array_index(theirs.get(), i));
            // A column takes the first block of its name, the table the first block without one.
            if (block->name ? std::find(seen.begin(), seen.end(), block->name) != seen.end() : tableSeen)
                continue;
            if (block->name)
                seen.emplace_back(block->name);
            tableSeen = tableSeen || !block->name;
            const ColumnPropertyValues values = block->name ? ours.column(block->name) : ours.table();
            for (std::size_t p = 0; p < columnPropertyCount; ++p) {
                const auto* expected =
                    static_cast<const char*>(g_hash_table_lookup(block->hash, propertyNames[p]));
                const std::optional<std::string_view> actual = values[p];
                QVERIFY2(bool(expected) == actual.has_value(), block->name ? block->name : "(table)");
                if (expected) {
                    QCOMPARE(QString::fromUtf8(actual->data(), qsizetype(actual->size())),
                             QString::fromUtf8(expected));
                    ++compared;
                }
            }
        }
    }
    // Files made without Access (ADOX, an empty database) may carry no column properties at all.
    if (path.contains(QLatin1String("/examples/")) || path.contains(QLatin1String("testV2007")))
        QVERIFY2(compared > 0, "no property was compared");
}

void TestColumnProperties::blobsThatDoNotHoldTogether_data() {
    QTest::addColumn<QByteArray>("blob");
    QTest::addColumn<QString>("required"); // Required of column A after the parse, "-" for none
    QTest::addColumn<QString>("description");

    const auto rows = [](const BlobBuilder& b) { return QByteArray::fromStdString(b.bytes()); };
    const std::vector<std::string> names{"Required", "Description", "Format"};
    const std::string text = BlobBuilder::utf16("Hi");
    QTest::addRow("whole") << rows(BlobBuilder().names(names).block(
                                  "A", {{0, MDB_BOOL, "\1"}, {1, MDB_TEXT, text}}))
                           << "yes"
                           << "Hi";
    // libmdb would read the record at the same place for ever.
    QTest::addRow("record of length 0")
        << rows(BlobBuilder().names(names).block("A", {{0, MDB_BOOL, "\1"}, {1, MDB_TEXT, text, 0}})) << "yes"
        << "-";
    QTest::addRow("value beyond the block")
        << rows(BlobBuilder().names(names).block("A", {{0, MDB_BOOL, "\0"}, {1, MDB_TEXT, text, 200}}))
        << "no"
        << "Hi";
    QTest::addRow("name number beyond the names")
        << rows(BlobBuilder().names(names).block("A", {{7, MDB_BOOL, "\1"}, {1, MDB_TEXT, text}})) << "-"
        << "-";
    QTest::addRow("block before the names")
        << rows(BlobBuilder().block("A", {{0, MDB_BOOL, "\1"}}).names(names)) << "-"
        << "-";
    QTest::addRow("chunk longer than the blob")
        << rows(BlobBuilder().names(names).block("A", {{0, MDB_BOOL, "\1"}}).overlong()) << "yes"
        << "-";
    QTest::addRow("the last value wins")
        << rows(BlobBuilder().names(names).block("A", {{0, MDB_BOOL, "\1"}, {0, MDB_BOOL, "\0"}})) << "no"
        << "-";
    QTest::addRow("the first block of a name wins")
        << rows(
               BlobBuilder().names(names).block("A", {{0, MDB_BOOL, "\0"}}).block("A", {{0, MDB_BOOL, "\1"}}))
        << "no"
        << "-";
    QTest::addRow("not a property blob") << QByteArray("XYZ\0whatever", 12) << "-"
                                         << "-";
    QTest::addRow("cut inside the signature") << QByteArray("MR", 2) << "-"
                                              << "-";
}

void TestColumnProperties::blobsThatDoNotHoldTogether() {
    QFETCH(QByteArray, blob);
    QFETCH(QString, required);
    QFETCH(QString, description);
    Handle mdb = openSample();
    QVERIFY(mdb);
    // Read from a copy of exactly the blob's size, so that a read past its end shows under AddressSanitizer.
    std::vector<unsigned char> bytes(blob.begin(), blob.end());
    const TableProperties properties(mdb.get(), bytes.data(), bytes.size());
    const ColumnPropertyValues values = properties.column("A");
    const auto text = [](const std::optional<std::string_view>& value) {
        return value ? QString::fromUtf8(value->data(), qsizetype(value->size())) : QStringLiteral("-");
    };
    QCOMPARE(text(valueOf(values, ColumnProperty::Required)), required);
    QCOMPARE(text(valueOf(values, ColumnProperty::Description)), description);
}

QTEST_GUILESS_MAIN(TestColumnProperties)
#include "TestColumnProperties.moc"
