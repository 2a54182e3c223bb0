#include "JetLayout.h"

namespace {

// The version byte of the header: 0 is Jet 3 with 2 KB pages, every later format uses 4 KB pages.
constexpr qsizetype versionOffset = 0x14;
constexpr int jet3PageSize = 2048;
constexpr int laterPageSize = 4096;

constexpr char dataPage = 0x01;
constexpr char tableDefPage = 0x02;
// A data page names the table it belongs to at offset 4; MSysObjects is always defined on page 2.
constexpr qsizetype ownerOffset = 4;
constexpr quint32 catalogTableDef = 2;

quint32 u32At(const QByteArray& bytes, qsizetype offset) {
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value |= quint32(quint8(bytes[offset + i])) << (8 * i);
    return value;
}

void findAll(const QByteArray& file, const QByteArray& signature, QList<qsizetype>& offsets) {
    for (qsizetype at = file.indexOf(signature); at >= 0; at = file.indexOf(signature, at + 1))
        offsets.append(at);
}

} // namespace

JetLayout readJetLayout(const QByteArray& file) {
    JetLayout layout;
    if (file.size() > versionOffset && file[versionOffset] == 0)
        layout.pageSize = jet3PageSize;
    else
        layout.pageSize = laterPageSize;
    layout.pageCount = int(file.size() / layout.pageSize);
    for (int page = 1; page < layout.pageCount; ++page) {
        const qsizetype start = qsizetype(page) * layout.pageSize;
        if (file[start] == dataPage && u32At(file, start + ownerOffset) == catalogTableDef)
            layout.catalogPages.append(page);
        else if (file[start] == tableDefPage)
            layout.tableDefPages.append(page);
    }
    findAll(file, QByteArrayLiteral("MR2\0"), layout.propertyBlobs);
    findAll(file, QByteArrayLiteral("KKD\0"), layout.propertyBlobs);
    return layout;
}
