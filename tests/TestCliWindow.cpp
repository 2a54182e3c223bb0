// The command line's window: the script is kept in UTF-8 as it is appended, and written in two parts.

#include "CliWindow.h"

#include <QTest>

class TestCliWindow : public QObject {
    Q_OBJECT
private slots:
    void piecesJoinIntoOneUtf8Text_data();
    void piecesJoinIntoOneUtf8Text();
    void settingTheTextStartsOver();
};

void TestCliWindow::piecesJoinIntoOneUtf8Text_data() {
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QByteArray>("crLf");
    QTest::addColumn<QByteArray>("lineFeeds");
    QTest::addRow("lines") << QStringList{"CREATE TABLE A (\r\n", "    B INT\r\n", ");\r\n"}
                           << QByteArray("CREATE TABLE A (\r\n    B INT\r\n);\r\n")
                           << QByteArray("CREATE TABLE A (\n    B INT\n);\n");
    // A CR LF split between two pieces is still one line end; a CR alone stays.
    QTest::addRow("split line end") << QStringList{"a\r", "\nb\rc\r", "\r\n"} << QByteArray("a\r\nb\rc\r\r\n")
                                    << QByteArray("a\nb\rc\r\n");
    // A character outside the BMP whose two halves come in two pieces.
    const QString clef = QString::fromUtf8("\xf0\x9d\x84\x9e");
    QTest::addRow("split surrogates")
        << QStringList{"K" + clef.left(1), clef.mid(1) + "ö\r\n"}
        << QByteArray("K\xf0\x9d\x84\x9e\xc3\xb6\r\n") << QByteArray("K\xf0\x9d\x84\x9e\xc3\xb6\n");
    // Megabytes, so that the buffer grows many times.
    const QStringList large(5000, QString(300, QChar(0x00e9)) + "\r\n");
    const QByteArray largeUtf8 = large.join(QString()).toUtf8();
    QTest::addRow("large") << large << largeUtf8 << QByteArray(largeUtf8).replace("\r\n", "\n");
}

void TestCliWindow::piecesJoinIntoOneUtf8Text() {
    QFETCH(QStringList, pieces);
    QFETCH(QByteArray, crLf);
    QFETCH(QByteArray, lineFeeds);
    for (const bool lf : {false, true}) {
        CliWindow window(ConversionOptions{}, false);
        window.setScriptText(QString());
        for (const QString& piece : pieces)
            window.appendScript(piece);
        window.prependScript("-- header\r\n");
        QCOMPARE(window.script(), "-- header\r\n" + QString::fromUtf8(crLf));
        QCOMPARE(window.headerUtf8(lf), QByteArray(lf ? "-- header\n" : "-- header\r\n"));
        QCOMPARE(window.bodyUtf8(lf), lf ? lineFeeds : crLf);
    }
}

void TestCliWindow::settingTheTextStartsOver() {
    CliWindow window(ConversionOptions{}, false);
    window.appendScript("old\r\n");
    window.prependScript("header\r\n");
    window.setScriptText("new");
    window.appendScript(" text");
    QCOMPARE(window.scriptText(), QString("new text"));
    QCOMPARE(window.headerUtf8(false), QByteArray());
    QCOMPARE(window.bodyUtf8(false), QByteArray("new text"));
}

QTEST_GUILESS_MAIN(TestCliWindow)
#include "TestCliWindow.moc"
