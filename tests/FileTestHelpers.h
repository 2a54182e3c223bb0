#pragma once
// File helpers shared by the settings tests: whole-file reads and writes, and a file or folder that
// refuses changes for as long as a guard lives.

#include <QFile>
#include <QTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

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
