#pragma once
// Damaged copies of a database file, each one fully determined by a seed, so any copy of a run can be made
// again from its seed alone.

#include <QByteArray>
#include <QString>
#include <QStringList>

enum class DamageKind {
    BitFlips,         // a few single bits anywhere
    OverwrittenBytes, // a run of 0x00, 0xff, 0x7f or 0x80 anywhere
    TruncatedAtPage,  // cut at a page boundary
    TruncatedInPage,  // cut inside a page
    SwappedPages,     // two pages trade places
    ZeroedPage,       // one page filled with zeros
    Catalog,          // bytes of a data page of MSysObjects
    PropertyBlob,     // bytes of a column or table property blob
    TableDefinition,  // bytes of a table definition page
    Header,           // bytes of the database header page
};

struct DamagedCopy {
    QByteArray bytes;
    DamageKind kind = DamageKind::BitFlips;
    QString description; // what was done where, e.g. "catalog page 15: 6 x 0xff at 0xf1a3"
};

QString damageKindName(DamageKind kind);
QStringList damageKindNames();

// A damaged copy of source; a damage that does not fit the file (no property blob to hit) falls back to
// overwritten bytes, so every seed gives a copy.
DamagedCopy damageCopy(const QByteArray& source, quint64 seed);

// The seed of copy number `index` of a run started with `runSeed`.
quint64 caseSeed(quint64 runSeed, quint64 index);
