// The heap that veltrane-cli asks the kernel to back with huge pages.

#include "HugePages.h"

#include <QFile>
#include <QTest>

#include <cstdlib>
#include <cstring>

class TestHugePages : public QObject {
    Q_OBJECT
private slots:
    void heapAheadIsAdvised();
};

void TestHugePages::heapAheadIsAdvised() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the sanitizer's allocator takes no advice");
#endif
    QFile setting("/sys/kernel/mm/transparent_hugepage/enabled");
    if (!setting.open(QIODevice::ReadOnly) || setting.readAll().contains("[never]"))
        QSKIP("this kernel gives no huge pages");
    preferHugePages();
    // A large block now comes from the advised heap, and writing it works as ever.
    const std::size_t size = std::size_t(8) << 20;
    char* block = static_cast<char*>(std::malloc(size));
    QVERIFY(block);
    std::memset(block, 7, size);
    QCOMPARE(block[size - 1], char(7));

    // /proc/self/smaps: a heap region of at least 60 MiB whose flags include "hg" (MADV_HUGEPAGE).
    QFile maps("/proc/self/smaps");
    QVERIFY(maps.open(QIODevice::ReadOnly | QIODevice::Text));
    bool heap = false;
    qulonglong bytes = 0;
    bool advised = false;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QByteArray first = line.left(line.indexOf(' '));
        if (first.contains('-')) { // a region's first line: "start-end perms offset dev inode [name]"
            heap = line.endsWith("[heap]");
            const QList<QByteArray> range = first.split('-');
            bytes = range.at(1).toULongLong(nullptr, 16) - range.at(0).toULongLong(nullptr, 16);
        } else if (heap && first == "VmFlags:" && line.split(' ').contains("hg")) {
            advised = advised || bytes >= (qulonglong(60) << 20);
        }
    }
    std::free(block);
    QVERIFY(advised);
}

QTEST_GUILESS_MAIN(TestHugePages)
#include "TestHugePages.moc"
