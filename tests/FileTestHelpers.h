#pragma once
// File helpers shared by the tests: the check that the real Access files are there, whole-file reads and
// writes, and a file or folder that refuses changes for as long as a guard lives.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

// The real Access files (the folder VELTRANE_FIXTURES_DIR, a CMake cache variable) are never part of the
// repository. A newcomer's clone without them skips the cases that read them; where they are expected
// (CI=true, or VELTRANE_REQUIRE_FIXTURES=1 as .ci/run sets it) a missing folder fails those cases instead, so
// a run that compared nothing cannot pass as a whole one.
inline bool fixturesExpected() {
    const QString ci = qEnvironmentVariable("CI").toLower();
    return ci == QLatin1String("true") || ci == QLatin1String("1") ||
           qEnvironmentVariable("VELTRANE_REQUIRE_FIXTURES") == QLatin1String("1");
}

// In a test function: skips it, or fails it where fixtures are expected, when the fixture folder is missing.
#define REQUIRE_FIXTURES()                                                                                   \
    do {                                                                                                     \
        if (!QFileInfo(QStringLiteral(VELTRANE_FIXTURES_DIR)).isDir()) {                                     \
            if (fixturesExpected())                                                                          \
                QFAIL("the fixture folder " VELTRANE_FIXTURES_DIR " is missing, and the environment "        \
                      "(CI or VELTRANE_REQUIRE_FIXTURES) expects it");                                       \
            QSKIP("the fixture folder " VELTRANE_FIXTURES_DIR                                                \
                  " is absent: the real Access files are not here");                                         \
        }                                                                                                    \
    } while (false)

// The real-world sample databases beside the fixtures (realworld/NAME.gz), by file name, in name order.
inline QStringList realWorldDatabases() {
    QStringList names;
    const QDir dir(QStringLiteral(VELTRANE_FIXTURES_DIR "/realworld"));
    for (const QString& file :
         dir.entryList({QStringLiteral("*.mdb.gz"), QStringLiteral("*.accdb.gz"), QStringLiteral("*.MDB.gz")},
                       QDir::Files, QDir::Name))
        names << file.chopped(3);
    return names;
}

// The real-world database NAME unpacked into folder (once); its path, or empty when it could not be.
inline QString unpackRealWorld(const QString& name, const QString& folder) {
    const QString path = folder + QLatin1Char('/') + name;
    if (QFileInfo::exists(path))
        return path;
    QProcess gunzip;
    gunzip.setStandardOutputFile(path);
    gunzip.start(QStringLiteral("gzip"),
                 {QStringLiteral("-dc"),
                  QStringLiteral(VELTRANE_FIXTURES_DIR "/realworld/") + name + QStringLiteral(".gz")});
    if (!gunzip.waitForFinished(60000) || gunzip.exitStatus() != QProcess::NormalExit ||
        gunzip.exitCode() != 0) {
        QFile::remove(path);
        return QString();
    }
    return path;
}

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

// Makes a file or folder refuse changes for as long as it lives: by permissions for an ordinary user, by the
// immutable flag for root (whom permissions do not stop).
class Unwritable {
public:
    explicit Unwritable(const QString& path) : path_(path), permissions_(QFile::permissions(path)) {
        if (::geteuid() == 0)
            immutable_ = setImmutable(path_, true);
        else
            QFile::setPermissions(path_, permissions_ & ~(QFile::WriteOwner | QFile::WriteUser |
                                                          QFile::WriteGroup | QFile::WriteOther));
    }
    ~Unwritable() {
        if (immutable_)
            setImmutable(path_, false);
        QFile::setPermissions(path_, permissions_);
    }
    Unwritable(const Unwritable&) = delete;
    Unwritable& operator=(const Unwritable&) = delete;

private:
    QString path_;
    QFile::Permissions permissions_;
    bool immutable_ = false;
};
