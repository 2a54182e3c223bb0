// The decompression of a VBA module's source ([MS-OVBA] 2.4.1), on a container of several chunks: a source
// that compresses to more than 4 KB comes back whole (libgsf's own gsf_vba_inflate garbles it), a damaged
// container gives the chunks before the damage, and bytes that are no container give nothing. And the
// project of an Access 97 database, from the values of its MSysModules2 rows made here: whole, and damaged
// in each part, read as far as it goes with a warning. And a macro's definition kept as XML in the pieces of
// its rows' comments, whole and damaged, and the list of macros.

#include "Access97Project.h"
#include "FileTestHelpers.h"
#include "MacroDefinition.h"
#include "VbaProject.h"

#include <QTest>

class TestVbaProject : public QObject {
    Q_OBJECT
private slots:
    void decompress_data();
    void decompress();
    void access97Project_data();
    void access97Project();
    void macroXml_data();
    void macroXml();
    void macroDirectory();
};

namespace {

QByteArray le16(quint16 value) {
    return QByteArray(1, char(value & 0xFF)) + char(value >> 8);
}

QByteArray le32(quint32 value) {
    return le16(quint16(value & 0xFFFF)) + le16(quint16(value >> 16));
}

// A compressed container of one chunk kept uncompressed.
QByteArray container(const QByteArray& bytes) {
    return QByteArray(1, '\x01') + le16(quint16(0x3000 | (bytes.size() - 1))) + bytes;
}

QByteArray dirRecord(quint16 id, const QByteArray& data) {
    return le16(id) + le32(quint32(data.size())) + data;
}

// A row's Module value: the header, then each stream's name size, UTF-16 name with its NUL, length, bytes.
QByteArray moduleValue(const QList<std::pair<QString, QByteArray>>& streams) {
    QByteArray value = QByteArray::fromHex("6912040001000000");
    for (const auto& [name, bytes] : streams) {
        QByteArray utf16(reinterpret_cast<const char*>(name.utf16()), name.size() * 2);
        utf16.append(2, '\0');
        value += char(utf16.size()) + utf16 + le32(quint32(bytes.size())) + bytes;
    }
    return value;
}

constexpr int sourceOffset = 6; // where each module stream's source starts, after its compiled code

// The dir stream of a project with a standard module "Tools" and the module behind the form "Orders".
QByteArray access97Dir() {
    QByteArray dir = dirRecord(0x0003, le16(1252));
    for (const auto& [name, id] : {std::pair<QByteArray, quint16>{"Tools", 0x0021}, {"Form_Orders", 0x0022}})
        dir += dirRecord(0x0019, name) + dirRecord(0x001A, "_VBA_MODULE") +
               dirRecord(0x0031, le32(sourceOffset)) + dirRecord(id, {}) + dirRecord(0x002B, {});
    return container(dir + dirRecord(0x0010, {}));
}

QByteArray moduleStream(const QByteArray& source) {
    return QByteArray(sourceOffset, '\xFF') + container(source);
}

QByteArray utf16z(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2) + QByteArray(2, '\0');
}

// A macro row: its action and number (but for the version row), the 14 field offsets, the texts.
QByteArray macroRow(bool versionRow, quint16 action, const QList<std::pair<int, QByteArray>>& fields) {
    QByteArray row = versionRow ? QByteArray() : le16(action) + le16(1);
    QList<quint16> offsets(14, 0xFFFF);
    QByteArray texts;
    for (const auto& [field, text] : fields) {
        offsets[field] = quint16(texts.size());
        texts += text;
    }
    for (const quint16 offset : offsets)
        row += le16(offset);
    return row + le16(quint16(texts.size())) + texts + le16(0);
}

QByteArray macroBlob(const QByteArray& format, const QStringList& xmlPieces) {
    QByteArray blob = le32(0) + macroRow(true, 0, {{4, QByteArray("3", 2)}, {5, format + '\0'}});
    blob += macroRow(false, 23, {{4, utf16z("Orders")}, {5, utf16z("0")}});
    for (const QString& piece : xmlPieces)
        blob += macroRow(false, 0, {{1, utf16z("_AXL:" + piece)}});
    return blob;
}

} // namespace

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

void TestVbaProject::access97Project_data() {
    const QByteArray tools = "Attribute VB_Name = \"Tools\"\r\nOption Compare Database\r\n";
    const QByteArray orders = "Attribute VB_Name = \"Form_Orders\"\r\n";
    const QByteArray project = moduleValue({{"_VBA_PROJECT", QByteArray(8, '\0')}, {"dir", access97Dir()}});
    const QByteArray toolsValue = moduleValue({{"_VBA_MODULE", moduleStream(tools)}, {"__SRP_2", "xy"}});
    const QByteArray ordersValue = moduleValue({{"_VBA_MODULE", moduleStream(orders)}});
    QTest::addColumn<QByteArray>("projectValue");
    QTest::addColumn<QByteArray>("toolsValue");
    QTest::addColumn<QString>("modules"); // name:kind:source length, by a space
    QTest::addColumn<QString>("warning"); // the start of the first warning, or empty for none
    QTest::addRow("whole") << project << toolsValue
                           << QString("Tools:0:%1 Form_Orders:2:%2").arg(tools.size()).arg(orders.size())
                           << "";
    QTest::addRow("module value cut in its source")
        << project << toolsValue.left(toolsValue.indexOf("Option"))
        << QString("Tools:0:%1 Form_Orders:2:%2").arg(tools.indexOf("Option")).arg(orders.size())
        << "module Tools: its row of MSysModules2 is damaged";
    QTest::addRow("module value without a stream")
        << project << toolsValue.left(8) << QString("Form_Orders:2:%1").arg(orders.size())
        << "module Tools: its stream is not in the VBA project";
    QTest::addRow("stream name too long") << project << toolsValue.left(8) + char(0xFF) + toolsValue.mid(9)
                                          << QString("Form_Orders:2:%1").arg(orders.size())
                                          << "module Tools: its stream is not in the VBA project";
    QTest::addRow("project value cut in the dir stream")
        << project.left(project.size() - 20) << toolsValue << QString("Tools:0:%1").arg(tools.size())
        << "the VBA project's row of MSysModules2 is damaged";
    QTest::addRow("project without a dir stream")
        << moduleValue({{"_VBA_PROJECT", QByteArray(8, '\0')}}) << toolsValue << QString()
        << "the VBA project has no dir stream";
    QTest::addRow("no project") << QByteArray() << toolsValue << QString()
                                << "MSysModules2 holds no VBA project";
}

// The Type of the rows behind forms.
constexpr std::int32_t formModuleType = 32768;
constexpr std::int32_t standardModuleType = 32775;

void TestVbaProject::access97Project() {
    QFETCH(QByteArray, projectValue);
    QFETCH(QByteArray, toolsValue);
    QFETCH(QString, modules);
    QFETCH(QString, warning);
    const QByteArray orders = "Attribute VB_Name = \"Form_Orders\"\r\n";
    const std::vector<Access97ModuleRow> rows = {
        {"Lock", 0, {}},
        {"Tools", standardModuleType, toolsValue.toStdString()},
        {"Form_Orders", formModuleType, moduleValue({{"_VBA_MODULE", moduleStream(orders)}}).toStdString()},
        {"MSysDb", 2, projectValue.toStdString()},
    };
    const VbaProjectRead read = readAccess97Project(rows);
    QStringList found;
    for (const readerprotocol::ProjectModule& module : read.modules)
        found << QStringLiteral("%1:%2:%3")
                     .arg(QString::fromStdString(module.name))
                     .arg(int(module.kind))
                     .arg(module.source.size());
    QCOMPARE(found.join(QLatin1Char(' ')), modules);
    if (warning.isEmpty())
        QVERIFY(read.warnings.empty());
    else
        QVERIFY2(!read.warnings.empty() && QString::fromStdString(read.warnings.front()).startsWith(warning),
                 read.warnings.empty() ? "no warning" : read.warnings.front().c_str());
}

void TestVbaProject::macroXml_data() {
    // The second piece ends between the two halves of a surrogate pair.
    const QStringList pieces = {
        "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\r\n<UserInterfa",
        QString::fromUtf8("ceMacro><Statements><Comment>Grüße ") + QChar(0xD83D),
        QChar(0xDE00) + QStringLiteral("</Comment></Statements></UserInterfaceMacro>")};
    const QByteArray whole = macroBlob("3", pieces);
    QTest::addColumn<QByteArray>("blob");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QString>("xml"); // empty for none
    QTest::addRow("pieces joined") << whole << true
                                   << QString::fromUtf8(
                                          "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\r\n"
                                          "<UserInterfaceMacro><Statements><Comment>Grüße \xF0\x9F\x98\x80"
                                          "</Comment></Statements></UserInterfaceMacro>");
    QTest::addRow("binary alone") << macroBlob("3", {}) << true << QString();
    QTest::addRow("texts in the code page") << macroBlob("2", pieces) << true << QString();
    QTest::addRow("last row cut: half a character") << whole.left(whole.size() - 6) << false << QString();
    QTest::addRow("nothing") << QByteArray() << false << QString();
}

void TestVbaProject::macroXml() {
    QFETCH(QByteArray, blob);
    QFETCH(bool, complete);
    QFETCH(QString, xml);
    const MacroBlobRead read = readMacroBlob(std::string_view(blob.constData(), blob.size()));
    QCOMPARE(read.complete, complete);
    QCOMPARE(QString::fromStdString(read.xml.value_or(std::string())), xml);
}

// The list of macros: each name with its number, and a list cut short read to its last whole entry.
void TestVbaProject::macroDirectory() {
    QByteArray dirData = le32(0);
    for (const auto& [name, number] : {std::pair<QString, quint32>{"AutoExec", 1}, {"Delete All", 0}}) {
        const QByteArray utf16(reinterpret_cast<const char*>(name.utf16()), name.size() * 2);
        dirData += char(4) + QByteArray(1, char(utf16.size() + 4)) + utf16 + le32(number);
    }
    for (const int cut : {0, 3}) {
        const MacroDirectory directory =
            readMacroDirectory(std::string_view(dirData.constData(), dirData.size() - cut));
        QCOMPARE(directory.complete, cut == 0);
        QCOMPARE(directory.macros.size(), cut == 0 ? 2u : 1u);
        QCOMPARE(directory.macros[0].name, std::string("AutoExec"));
        QCOMPARE(directory.macros[0].number, 1u);
    }
}

QTEST_GUILESS_MAIN(TestVbaProject)
#include "TestVbaProject.moc"
