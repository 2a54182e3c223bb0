#include "RemoveSpace.h"
#include <QTest>

class TestRemoveSpace : public QObject {
    Q_OBJECT
private slots:
    void cleans_data();
    void cleans();
    void rewritesItsArgument();
};

void TestRemoveSpace::cleans_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("strip");
    QTest::addColumn<bool>("illegal");
    QTest::addColumn<QString>("expected");

    QTest::addRow("Order Date, change") << "Order Date" << false << false << "Order_Date";
    QTest::addRow("Order Date, change, illegal") << "Order Date" << false << true << "Order_Date";
    QTest::addRow("Order Date, strip") << "Order Date" << true << false << "OrderDate";
    QTest::addRow("Order Date, strip, illegal") << "Order Date" << true << true << "OrderDate";
    QTest::addRow("Unit Price ($), change") << "Unit Price ($)" << false << false << "Unit_Price_($)";
    QTest::addRow("Unit Price ($), change, illegal") << "Unit Price ($)" << false << true << "Unit_Price____";
    QTest::addRow("Unit Price ($), strip") << "Unit Price ($)" << true << false << "UnitPrice($)";
    QTest::addRow("Unit Price ($), strip, illegal") << "Unit Price ($)" << true << true << "UnitPrice";
    QTest::addRow("E-mail, change, illegal") << "E-mail" << false << true << "E_mail";
    QTest::addRow("Part#_No1, change, illegal") << "Part#_No1" << false << true << "Part#_No1";
    QTest::addRow("Part#_No1, strip, illegal") << "Part#_No1" << true << true << "Part#_No1";
    QTest::addRow("Café, change, illegal") << "Café" << false << true << "Caf_";
    QTest::addRow("Café, strip, illegal") << "Café" << true << true << "Caf";
    QTest::addRow("Café kept without illegal") << "Café" << false << false << "Café";
    QTest::addRow("spaces in a row, strip") << "a   b" << true << false << "ab";
    QTest::addRow("spaces in a row, change") << "a   b" << false << false << "a___b";
    QTest::addRow("leading and trailing, change") << " a " << false << false << "_a_";
    QTest::addRow("leading and trailing, strip") << "  a  " << true << false << "a";
    QTest::addRow("only illegal, strip") << "$%&" << true << true << "";
    QTest::addRow("empty") << "" << false << true << "";
    QTest::addRow("NONE marker") << "NONE" << false << true << "NONE";
    // An emoji is one character although it takes two UTF-16 units.
    QTest::addRow("emoji, change") << QString::fromUtf8("a\xF0\x9F\x98\x80"
                                                        "b")
                                   << false << true << "a_b";
    QTest::addRow("emoji, strip") << QString::fromUtf8("a\xF0\x9F\x98\x80"
                                                       "b")
                                  << true << true << "ab";
    QTest::addRow("emoji kept without illegal") << QString::fromUtf8("a \xF0\x9F\x98\x80") << false << false
                                                << QString::fromUtf8("a_\xF0\x9F\x98\x80");
    // Counted in code points, a lone surrogate is the replacement character.
    QTest::addRow("lone surrogate, change")
        << QString(QChar(0xD800)) + QStringLiteral("b c") << false << false
        << QString(QChar(QChar::ReplacementCharacter)) + QStringLiteral("b_c");
    QTest::addRow("lone surrogate, no space")
        << QString(QChar(0xDC00)) << true << false << QString(QChar(QChar::ReplacementCharacter));
    QTest::addRow("brackets and backslash") << "[a]\\^`{|}~" << false << true << "_a________";
    QTest::addRow("digits and at sign") << "@x09Z" << true << true << "@x09Z";
    QTest::addRow("tab is illegal, not a space") << "a\tb" << true << false << "a\tb";
}

void TestRemoveSpace::cleans() {
    QFETCH(QString, name);
    QFETCH(bool, strip);
    QFETCH(bool, illegal);
    QFETCH(QString, expected);
    ConversionOptions options;
    options.StripSpaces = strip;
    options.ModifyIllegalCharacters = illegal;
    QCOMPARE(RemoveSpace(name, options), expected);
}

void TestRemoveSpace::rewritesItsArgument() {
    ConversionOptions options;
    QString name = QStringLiteral("Unit Price ($)");
    const QString result = RemoveSpace(name, options);
    QCOMPARE(name, result);
    QCOMPARE(name, QStringLiteral("Unit_Price____"));
}

QTEST_GUILESS_MAIN(TestRemoveSpace)
#include "TestRemoveSpace.moc"
