// The VBA code of the real databases, read by the program's own reader and written by --code's writer:
// every module the catalog names has its file, a standard module starts as the VBA editor writes it, a
// project that cannot be read is said, and a few files written by hand from what the streams hold are
// compared whole.

#include "CodeExport.h"
#include "FileTestHelpers.h"
#include "ReaderProcess.h"

#include <QTemporaryDir>
#include <QTest>

class TestProjectCode : public QObject {
    Q_OBJECT
private slots:
    void everyCatalogModuleHasItsFile_data();
    void everyCatalogModuleHasItsFile();
    void wholeFiles_data();
    void wholeFiles();
    void macros_data();
    void macros();

private:
    QString unpacked(const QString& name) {
        if (QFileInfo::exists(QStringLiteral(VELTRANE_FIXTURES_DIR "/") + name))
            return QStringLiteral(VELTRANE_FIXTURES_DIR "/") + name;
        return unpackRealWorld(name, dir_.path());
    }

    QTemporaryDir dir_;
    ReaderProcess reader_;
};

void TestProjectCode::everyCatalogModuleHasItsFile_data() {
    QTest::addColumn<QString>("database");
    QTest::addColumn<int>("modules");
    QTest::addColumn<QString>("warning"); // the start of the one warning expected, or empty
    // clang-format off
    QTest::newRow("Northwind 2000") << "GabrielLogue__Northwind-Database-Example__Northwind.mdb" << 14 << "";
    QTest::newRow("ProductSales 2000") << "fxjollois__donnees__ProductSales-student.mdb" << 6 << "";
    QTest::newRow("Northwind 2000 small") << "statdata__Northwind-Databse__Northwind.mdb" << 1 << "";
    QTest::newRow("Students 2000") << "wf539__VisualBasicDotNETStepByStep__Students.mdb" << 16 << "";
    QTest::newRow("Nwind 2007") << "ManuelTeran__Tableau__Nwind_dim.accdb" << 15 << "";
    QTest::newRow("Inventory 2007") << "JDelve__birch_equipment_db__Inventory.accdb" << 3 << "";
    QTest::newRow("Northwind 2007") << "Yog964__Data_Migration_From_MAccess_To_Mysql__Northwind.accdb" << 18 << "";
    QTest::newRow("Northwind 2007 copy") << "spider-explorer__spider6__Northwind_2007.accdb" << 18 << "";
    QTest::newRow("forms without code") << "21Umair__Supermarket-database__Database1.accdb" << 0 << "";
    QTest::newRow("Access 97") << "jleefish__c-Website2__NWIND.MDB" << 15 << "";
    QTest::newRow("Access 97, one module") << "Planet-Source-Code__stephen-coleman-flexgrid-ado-excel-wrapper-classes-event-binds-for-custom-controls-ex-type__1-55036__NWIND.MDB" << 1 << "";
    QTest::newRow("Access 97, no module") << "testV1997.mdb" << 0 << "";
    // clang-format on
}

void TestProjectCode::everyCatalogModuleHasItsFile() {
    REQUIRE_FIXTURES();
    QFETCH(QString, database);
    QFETCH(int, modules);
    QFETCH(QString, warning);
    const QString path = unpacked(database);
    QVERIFY(!path.isEmpty());
    const auto answer = reader_.ReadProjectCode(path);
    QVERIFY(std::holds_alternative<ProjectCode>(answer));
    const ProjectCode& code = std::get<ProjectCode>(answer);
    QCOMPARE(code.modules.size(), modules);
    if (warning.isEmpty())
        QCOMPARE(code.warnings, QStringList());
    else
        QVERIFY2(code.warnings.size() == 1 && code.warnings.first().startsWith(warning),
                 qPrintable(code.warnings.join(QLatin1Char('\n'))));
    for (const CodeModule& module : code.modules)
        if (module.kind == CodeModuleKind::Standard)
            QVERIFY2(
                module.source.startsWith(QStringLiteral("Attribute VB_Name = \"%1\"\r\n").arg(module.name)),
                qPrintable(module.name));

    const QString folder = dir_.filePath(QStringLiteral("code-") + database);
    const CodeExportOutcome outcome = writeProjectCode(code, folder);
    QCOMPARE(outcome.unwritten, QString());
    for (const AppObject& object : code.objects) {
        if (object.kind != AppObjectKind::Module || !warning.isEmpty())
            continue;
        const bool found =
            QFileInfo::exists(folder + QLatin1Char('/') + object.name + QStringLiteral(".bas")) ||
            QFileInfo::exists(folder + QLatin1Char('/') + object.name + QStringLiteral(".cls"));
        QVERIFY2(found, qPrintable(object.name));
    }
    QVERIFY(QFileInfo::exists(folder + QStringLiteral("/objects.txt")));
}

void TestProjectCode::wholeFiles_data() {
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected"); // in tests/data/vba
    // clang-format off
    QTest::newRow("standard module, 2000") << "GabrielLogue__Northwind-Database-Example__Northwind.mdb" << "Utility Functions.bas" << "Utility Functions.bas";
    QTest::newRow("form module, 2000") << "GabrielLogue__Northwind-Database-Example__Northwind.mdb" << "Form_Customer Orders Subform1.cls" << "Form_Customer Orders Subform1.cls";
    QTest::newRow("objects, 2000") << "statdata__Northwind-Databse__Northwind.mdb" << "objects.txt" << "objects.txt";
    QTest::newRow("standard module, 97") << "jleefish__c-Website2__NWIND.MDB" << "Utility Functions.bas" << "Utility Functions 97.bas";
    QTest::newRow("form module, 97") << "jleefish__c-Website2__NWIND.MDB" << "Form_Customer Orders Subform1.cls" << "Form_Customer Orders Subform1 97.cls";
    QTest::newRow("macro, 2010") << "JDelve__birch_equipment_db__Inventory.accdb" << "Macro_AutoExec.xml" << "Macro_AutoExec 2010.xml";
    QTest::newRow("standard module, 2007") << "ManuelTeran__Tableau__Nwind_dim.accdb" << "Utility Functions.bas" << "Utility Functions 2007.bas";
    // clang-format on
}

void TestProjectCode::wholeFiles() {
    REQUIRE_FIXTURES();
    QFETCH(QString, database);
    QFETCH(QString, file);
    QFETCH(QString, expected);
    const QString path = unpacked(database);
    QVERIFY(!path.isEmpty());
    const auto answer = reader_.ReadProjectCode(path);
    QVERIFY(std::holds_alternative<ProjectCode>(answer));
    const QString folder = dir_.filePath(QStringLiteral("whole-") + database);
    QCOMPARE(writeProjectCode(std::get<ProjectCode>(answer), folder).unwritten, QString());
    const QByteArray whole = readBytes(QStringLiteral(VELTRANE_SOURCE_DIR "/tests/data/vba/") + expected);
    QVERIFY(!whole.isEmpty());
    QCOMPARE(readBytes(folder + QLatin1Char('/') + file), whole);
}

// The macros kept as XML are read, those kept only in the binary form of Access 2007 and before (UTF-16 or
// code page texts) are not, and neither gives a warning; objects.txt names each macro's file.
void TestProjectCode::macros_data() {
    QTest::addColumn<QString>("database");
    QTest::addColumn<QStringList>("macros"); // those with XML, in stored order
    // clang-format off
    QTest::newRow("2010, XML") << "JDelve__birch_equipment_db__Inventory.accdb" << QStringList{"~TMPCLPMacro", "AutoExec"};
    QTest::newRow("2007, binary") << "Yog964__Data_Migration_From_MAccess_To_Mysql__Northwind.accdb" << QStringList();
    QTest::newRow("2007, binary in the code page") << "ManuelTeran__Tableau__Nwind_dim.accdb" << QStringList();
    // clang-format on
}

void TestProjectCode::macros() {
    REQUIRE_FIXTURES();
    QFETCH(QString, database);
    QFETCH(QStringList, macros);
    const QString path = unpacked(database);
    QVERIFY(!path.isEmpty());
    const auto answer = reader_.ReadProjectCode(path);
    QVERIFY(std::holds_alternative<ProjectCode>(answer));
    const ProjectCode& code = std::get<ProjectCode>(answer);
    QCOMPARE(code.warnings, QStringList());
    QStringList read;
    for (const CodeMacro& macro : code.macros) {
        read << macro.name;
        QVERIFY2(macro.xml.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"")) &&
                     macro.xml.endsWith(QStringLiteral("</UserInterfaceMacro>")),
                 qPrintable(macro.xml));
    }
    QCOMPARE(read, macros);
    const QString folder = dir_.filePath(QStringLiteral("macros-") + database);
    QCOMPARE(writeProjectCode(code, folder).unwritten, QString());
    const QString objects = QString::fromUtf8(readBytes(folder + QStringLiteral("/objects.txt")));
    for (const QString& macro : macros)
        QVERIFY2(objects.contains(QStringLiteral("Macro\t%1\tMacro_%1.xml\r\n").arg(macro)),
                 qPrintable(objects));
}

QTEST_GUILESS_MAIN(TestProjectCode)
#include "TestProjectCode.moc"
