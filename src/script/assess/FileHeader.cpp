#include "FileHeader.h"

#include <QFile>

namespace {

// The signature at offset 4, the version byte at 0x14, and in ACE files the length of the encryption info
// at 0x299 (0 when the file is not encrypted), as the reader itself tells them apart. The version byte names
// the file format, which later versions of Access keep writing (a file of Access 2013 may say 2010).
constexpr qsizetype signatureOffset = 4;
constexpr qsizetype versionOffset = 0x14;
constexpr qsizetype encryptionInfoOffset = 0x299;

QString versionName(int version) {
    switch (version) {
    case 0:
        return QStringLiteral("Jet 3 (Access 97)");
    case 1:
        return QStringLiteral("Jet 4 (Access 2000-2003)");
    case 2:
        return QStringLiteral("ACE 12 (Access 2007 format)");
    case 3:
        return QStringLiteral("ACE 14 (Access 2010 format)");
    case 4:
        return QStringLiteral("ACE 15 (Access 2013 format)");
    case 5:
        return QStringLiteral("ACE 16 (Access 2016 format)");
    case 6:
        return QStringLiteral("ACE 17 (Access 2019 format)");
    }
    return QStringLiteral("unknown version %1").arg(version);
}

} // namespace

FileHeader readFileHeader(const QString& path) {
    FileHeader header;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return header;
    const QByteArray page = file.read(4096);
    if (page.size() <= versionOffset)
        return header;
    const QByteArray signature = page.mid(signatureOffset, 15);
    if (signature != "Standard Jet DB" && signature != "Standard ACE DB")
        return header;
    header.access = true;
    const int version = static_cast<unsigned char>(page[versionOffset]);
    header.version = versionName(version);
    header.encrypted = version >= 2 && page.size() > encryptionInfoOffset + 1 &&
                       (page[encryptionInfoOffset] != 0 || page[encryptionInfoOffset + 1] != 0);
    return header;
}
