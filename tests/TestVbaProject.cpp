// The decompression of a VBA module's source ([MS-OVBA] 2.4.1), on a container of several chunks: a source
// that compresses to more than 4 KB comes back whole (libgsf's own gsf_vba_inflate garbles it), a damaged
// container gives the chunks before the damage, and bytes that are no container give nothing.

#include "FileTestHelpers.h"
#include "VbaProject.h"

#include <QTest>

class TestVbaProject : public QObject {
    Q_OBJECT
private slots:
    void decompress_data();
    void decompress();
};

void TestVbaProject::decompress_data() {
    const QByteArray container =
        readBytes(QStringLiteral(VELTRANE_SOURCE_DIR "/tests/data/vba/large-module.bin"));
    const QByteArray text = readBytes(QStringLiteral(VELTRANE_SOURCE_DIR "/tests/data/vba/large-module.txt"));
    QVERIFY(!container.isEmpty() && text.size() > 2 * 4096);
    // The first chunk's size, from its header after the signature byte.
    const int firstChunk = ((quint8(container[1]) | quint8(container[2]) << 8) & 0x0FFF) + 3;
    QTest::addColumn<QByteArray>("container");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QByteArray>("expected");
    QTest::addRow("three chunks") << container << true << text;
    QTest::addRow("second chunk's header damaged")
        << container.left(1 + firstChunk) + QByteArray("\xFF\x0F", 2) + container.mid(3 + firstChunk) << true
        << text.left(4096);
    QTest::addRow("no signature") << container.mid(1) << false << QByteArray();
    QTest::addRow("empty") << QByteArray() << false << QByteArray();
}

void TestVbaProject::decompress() {
    QFETCH(QByteArray, container);
    QFETCH(bool, read);
    QFETCH(QByteArray, expected);
    const std::optional<std::string> text =
        decompressVba(std::string_view(container.constData(), container.size()));
    QCOMPARE(text.has_value(), read);
    if (text)
        QCOMPARE(QByteArray::fromStdString(*text), expected);
}

QTEST_GUILESS_MAIN(TestVbaProject)
#include "TestVbaProject.moc"
