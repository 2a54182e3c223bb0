// What a batch migration is given and what it names: the databases found in folders, and the namespaces
// named after their files, safe on every server and each used once.

#include "DatabaseFiles.h"
#include "SpaceNames.h"

#include <QtTest>

class TestBatchNames : public QObject {
    Q_OBJECT
private slots:
    void spaceNamesAreSafeAndUnique_data();
    void spaceNamesAreSafeAndUnique();
    void foldersAreSearched();
};

void TestBatchNames::spaceNamesAreSafeAndUnique_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("plain") << QStringList{"/a/Northwind.mdb"} << QStringList{"northwind"};
    QTest::newRow("spaces and dots") << QStringList{"Sales 2020.v2.accdb"} << QStringList{"sales_2020_v2"};
    QTest::newRow("accents") << QStringList{"Bücher-Liste.mdb"} << QStringList{"bucher_liste"};
    QTest::newRow("digit first") << QStringList{"2020.mdb"} << QStringList{"db_2020"};
    QTest::newRow("nothing usable") << QStringList{"数据.mdb"} << QStringList{"db"};
    QTest::newRow("quotes") << QStringList{"x\"; DROP TABLE y; --.mdb"} << QStringList{"x_drop_table_y"};
    QTest::newRow("same name twice") << QStringList{"a/Shop.mdb", "b/shop.accdb", "shop_2.mdb"}
                                     << QStringList{"shop", "shop_2", "shop_2_2"};
    QTest::newRow("long") << QStringList{QString(80, 'x') + ".mdb"} << QStringList{QString(56, 'x')};
}

void TestBatchNames::spaceNamesAreSafeAndUnique() {
    QFETCH(QStringList, files);
    QFETCH(QStringList, names);
    QCOMPARE(spaceNames(files), names);
}

// Files given as they are; in folders and theirs, .mdb and .accdb in any case, each folder's in name order.
void TestBatchNames::foldersAreSearched() {
    QTemporaryDir dir;
    const QDir root(dir.path());
    QVERIFY(root.mkpath("b/inner") && root.mkpath("a"));
    for (const char* name : {"z.MDB", "m.accdb", "notes.txt", "b/inner/deep.mdb", "b/c.ACCDB", "a/x.mdb"}) {
        QFile file(root.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QStringList notFound;
    const QString p = dir.path() + '/';
    QCOMPARE(databaseFiles({p + "notes.txt", dir.path(), p + "gone.mdb"}, notFound),
             QStringList({p + "notes.txt", p + "m.accdb", p + "z.MDB", p + "a/x.mdb", p + "b/c.ACCDB",
                          p + "b/inner/deep.mdb"}));
    QCOMPARE(notFound, QStringList({p + "gone.mdb"}));
}

QTEST_GUILESS_MAIN(TestBatchNames)
#include "TestBatchNames.moc"
