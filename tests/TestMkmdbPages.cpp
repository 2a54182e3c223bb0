// The page-level pieces of the database writer, checked against the layout readers expect: rows (offset
// table, null mask), data pages, usage maps (inline up to 512 pages, then bitmap pages), the property blob,
// the definition chain, the AutoNumber a table with rows carries on, and the UCS-2 and RC4 helpers. These
// paths matter most in files too large for the corpus tests to reach.

#include "JetBytes.h"
#include "JetPages.h"
#include "JetProperties.h"
#include "JetTableDef.h"
#include "MdbWriter.h"

#include <QtTest>

using namespace jet;

namespace {

std::uint32_t get16(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}
std::uint32_t get32(const Bytes& b, std::size_t at) {
    return get16(b, at) | get16(b, at + 2) << 16;
}

// The pages a usage map names, read the way libmdb and mdb-reader read it.
std::vector<std::uint32_t> mapPages(const Bytes& map, const std::vector<Page>& bitmapPages) {
    std::vector<std::uint32_t> out;
    if (map[0] == 0) {
        for (std::uint32_t bit = 0; bit < (map.size() - 5) * 8; ++bit)
            if (map[5 + bit / 8] & (1u << (bit % 8)))
                out.push_back(get32(map, 1) + bit);
        return out;
    }
    for (std::size_t k = 0; k < bitmapPages.size(); ++k) {
        QTEST_ASSERT(get32(map, 1 + 4 * k) != 0);
        const auto& page = bitmapPages[k];
        for (std::uint32_t bit = 0; bit < bitmapPagePages; ++bit)
            if (page[4 + bit / 8] & (1u << (bit % 8)))
                out.push_back(std::uint32_t(k) * bitmapPagePages + bit);
    }
    return out;
}

Column col(std::uint8_t code, std::uint16_t length, bool fixed) {
    Column c;
    c.name = *toUcs2("c");
    c.code = code;
    c.length = length;
    c.flags = columnUpdatable | (fixed ? columnFixed : 0);
    return c;
}

} // namespace

class TestMkmdbPages : public QObject {
    Q_OBJECT

private slots:
    void ucs2_data();
    void ucs2();
    void rc4KnownAnswer();
    void rowLayout();
    void packRowsRespectsPageAndRowLimits();
    void usageMaps_data();
    void usageMaps();
    void propertyBlobLayout();
    void definitionChain();
    void autoNumberPastTheLargest();
};

void TestMkmdbPages::ucs2_data() {
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QByteArray>("expected"); // empty: rejected
    QTest::addRow("ASCII") << QByteArray("Ab") << QByteArray("A\0b\0", 4);
    QTest::addRow("accented") << QByteArray("\xC3\xA9") << QByteArray("\xE9\0", 2);
    QTest::addRow("CJK") << QByteArray("\xE5\x90\x8D") << QByteArray("\x0D\x54", 2);
    QTest::addRow("outside the BMP") << QByteArray("\xF0\x9F\x98\x80") << QByteArray("\x3D\xD8\x00\xDE", 4);
    QTest::addRow("cut short") << QByteArray("\xC3") << QByteArray();
    QTest::addRow("overlong") << QByteArray("\xC0\xAF") << QByteArray();
    QTest::addRow("surrogate") << QByteArray("\xED\xA0\x80") << QByteArray();
    QTest::addRow("stray continuation") << QByteArray("a\x80") << QByteArray();
}

void TestMkmdbPages::ucs2() {
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, expected);
    const auto out = toUcs2(utf8.toStdString());
    if (expected.isEmpty()) {
        QVERIFY(!out);
        QCOMPARE(ucs2Length(utf8.toStdString()), -1);
        return;
    }
    QVERIFY(out);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(out->data()), qsizetype(out->size())), expected);
}

void TestMkmdbPages::rc4KnownAnswer() {
    // The published test vector: key "Key", plaintext "Plaintext".
    Bytes data{'P', 'l', 'a', 'i', 'n', 't', 'e', 'x', 't'};
    rc4({'K', 'e', 'y'}, data.data(), data.size());
    QCOMPARE(data, (Bytes{0xBB, 0xF3, 0x16, 0xE8, 0xD9, 0x40, 0xAF, 0x0A, 0xD3}));
}

void TestMkmdbPages::rowLayout() {
    Table t;
    t.columns = {col(CodeLong, 4, true), col(CodeText, 20, false), col(CodeBoolean, 1, true),
                 col(CodeInteger, 2, true), col(CodeMemo, 0, false)};
    const Bytes text{'h', 0, 'i', 0};
    const auto row = encodeRow(t, {Bytes{1, 2, 3, 4}, text, Bytes{}, std::nullopt, std::nullopt});
    QCOMPARE(get16(row, 0), 5u); // column count
    QCOMPARE(Bytes(row.begin() + 2, row.begin() + 6), (Bytes{1, 2, 3, 4}));
    QCOMPARE(get16(row, 6), 0u);                              // the null Integer's slot, after the Long
    QCOMPARE(Bytes(row.begin() + 8, row.begin() + 12), text); // variable data after the fixed area
    const std::size_t end = row.size();
    QCOMPARE(row[end - 1], std::uint8_t(0b00111)); // null mask: Long, Text, Yes/No (true) present
    QCOMPARE(get16(row, end - 3), 2u);             // two variable columns
    QCOMPARE(get16(row, end - 5), 8u);             // Text starts at 8
    QCOMPARE(get16(row, end - 7), 12u);            // the null Memo: empty, at the end of the data
    QCOMPARE(get16(row, end - 9), 12u);            // end of the variable data
}

void TestMkmdbPages::packRowsRespectsPageAndRowLimits() {
    const auto big = packRows(std::vector<Bytes>(5, Bytes(1500, 1)));
    QCOMPARE(big.size(), std::size_t(3)); // two 1500-byte rows per 4 KB page
    const auto page = dataPage(7, big[0]);
    QCOMPARE(get16(page, 2), std::uint32_t(pageSize - dataPageHeader - 2 * (2 + 1500)));
    QCOMPARE(get32(page, 4), 7u);
    QCOMPARE(get16(page, 14), std::uint32_t(pageSize - 1500)); // row 0 ends the page
    QCOMPARE(get16(page, 16), std::uint32_t(pageSize - 3000));
    const auto many = packRows(std::vector<Bytes>(300, Bytes(1, 1)));
    QCOMPARE(many.front().size(), maxRowsPerPage); // a row pointer keeps the row number in one byte
}

void TestMkmdbPages::usageMaps_data() {
    QTest::addColumn<std::vector<std::uint32_t>>("pages");
    QTest::addColumn<bool>("inlineMap");
    QTest::addRow("none") << std::vector<std::uint32_t>{} << true;
    QTest::addRow("one") << std::vector<std::uint32_t>{9} << true;
    QTest::addRow("511 apart") << std::vector<std::uint32_t>{100, 611} << true;
    QTest::addRow("512 apart") << std::vector<std::uint32_t>{100, 612} << false;
    QTest::addRow("two bitmap pages") << std::vector<std::uint32_t>{5, 32735, 32736, 40000} << false;
}

void TestMkmdbPages::usageMaps() {
    QFETCH(std::vector<std::uint32_t>, pages);
    QFETCH(bool, inlineMap);
    auto map = inlineUsageMap(pages);
    QCOMPARE(bool(map), inlineMap);
    std::vector<Page> bitmaps;
    if (!map) {
        std::vector<std::uint32_t> numbers;
        for (std::uint32_t block = 0; block <= pages.back() / bitmapPagePages; ++block) {
            bitmaps.push_back(usageBitmapPage(pages, block));
            numbers.push_back(1000 + block);
            QCOMPARE(bitmaps.back()[0], std::uint8_t(0x05));
        }
        map = referenceUsageMap(numbers);
    }
    QCOMPARE(map->size(), usageMapRowSize);
    QCOMPARE(mapPages(*map, bitmaps), pages);
}

void TestMkmdbPages::propertyBlobLayout() {
    const auto blob = propertyBlob({{*toUcs2("A"), {{"Required", false, {}}, {"AllowZeroLength", true, {}}}},
                                    {*toUcs2("B"), {}},
                                    {*toUcs2("C"), {{"AllowZeroLength", false, {}}}}});
    QCOMPARE(Bytes(blob.begin(), blob.begin() + 4), (Bytes{'M', 'R', '2', 0}));
    // Names block: each name once, in order of first use.
    const auto namesLength = get32(blob, 4);
    QCOMPARE(get16(blob, 8), 0x80u);
    QCOMPARE(namesLength, 4u + 2 + (2 + 16) + (2 + 30));
    // Column "A": block header, its name, then entries of 9 bytes: flag 1, Yes/No type, name index, value.
    std::size_t at = 4 + namesLength;
    QCOMPARE(get16(blob, at + 4), 1u);
    QCOMPARE(get32(blob, at + 6), 8u); // the name part: length field, size, "A"
    const Bytes required{9, 0, 1, 1, 0, 0, 1, 0, 0};
    const Bytes allowZeroLength{9, 0, 1, 1, 1, 0, 1, 0, 1};
    QCOMPARE(Bytes(blob.begin() + std::ptrdiff_t(at + 14), blob.begin() + std::ptrdiff_t(at + 23)), required);
    QCOMPARE(Bytes(blob.begin() + std::ptrdiff_t(at + 23), blob.begin() + std::ptrdiff_t(at + 32)),
             allowZeroLength);
    // "B" has no values and no block; "C" follows directly.
    at += get32(blob, at);
    QCOMPARE(get16(blob, at + 12), std::uint32_t('C'));
    QCOMPARE(at + get32(blob, at), blob.size());
    QVERIFY(propertyBlob({{*toUcs2("A"), {}}}).empty());
}

void TestMkmdbPages::definitionChain() {
    Table t;
    for (int i = 0; i < 255; ++i)
        t.columns.push_back(col(CodeText, 100, false));
    TablePlacement p;
    p.usedPagesMap = pageRow(3, 0);
    const auto def = encodeTableDef(t, p);
    QCOMPARE(get32(def, 8), std::uint32_t(def.size()));
    QCOMPARE(get16(def, 43), 255u); // variable columns
    const auto count = tableDefPageCount(t);
    QVERIFY(count >= 2);
    std::vector<std::uint32_t> numbers;
    for (std::uint32_t k = 0; k < count; ++k)
        numbers.push_back(10 + 3 * k);
    const auto pages = tableDefPages(def, numbers);
    Bytes joined(def.begin(), def.begin() + 8);
    for (std::size_t k = 0; k < pages.size(); ++k) {
        QCOMPARE(pages[k][0], std::uint8_t(0x02));
        QCOMPARE(get32(pages[k], 4), k + 1 < pages.size() ? numbers[k + 1] : 0u);
        joined.insert(joined.end(), pages[k].begin() + 8, pages[k].end());
    }
    joined.resize(def.size());
    QCOMPARE(joined, def);
    QCOMPARE(get16(pages.back(), 2), std::uint32_t(pageSize - 8 - (def.size() - 8) % (pageSize - 8) - 8));
}

// The definition's next AutoNumber must be past every value the rows hold, whatever their order, so that
// Access never hands out one of them again.
void TestMkmdbPages::autoNumberPastTheLargest() {
    MdbColumn id;
    id.name = "ID";
    id.type = MdbColumnType::Long;
    id.autoNumber = true;
    MdbTable t;
    t.name = "Counters";
    t.columns = {id};
    t.rows = {{MdbValue{std::int64_t(7)}}, {MdbValue{std::int64_t(1000)}}, {MdbValue{std::int64_t(3)}}};
    std::string error;
    const auto image = buildMdb(MdbSchema{{t}, {}, {}}, &error);
    QVERIFY2(image, error.c_str());
    constexpr std::size_t rowCountAt = 16;
    constexpr std::size_t nextAutoNumberAt = 20;
    int definitions = 0;
    for (std::size_t at = 0; at < image->size(); at += pageSize) {
        const Bytes page(image->begin() + std::ptrdiff_t(at), image->begin() + std::ptrdiff_t(at + pageSize));
        if (page[0] != 0x02 || get32(page, rowCountAt) != 3)
            continue;
        ++definitions;
        QCOMPARE(get32(page, nextAutoNumberAt), 1001u);
    }
    QCOMPARE(definitions, 1);
}

QTEST_GUILESS_MAIN(TestMkmdbPages)
#include "TestMkmdbPages.moc"
