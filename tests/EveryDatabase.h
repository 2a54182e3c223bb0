#pragma once
// Every database the data tests take: the fixtures that hold rows (encrypted copies without a password
// among them), the mkmdb test corpus ("corpus:NAME", written into a folder once) and the real-world samples
// ("realworld:NAME", unpacked into that folder when first asked for).

#include "FileTestHelpers.h"
#include "MdbTestCorpus.h"
#include "MdbWriter.h"

#include <QString>
#include <QStringList>

inline QStringList everyDatabase() {
    QStringList databases;
    for (const char* f :
         {"dataTypesV2010.accdb", "dataTypesV2003.mdb", "testV1997.mdb", "testV2007.accdb",
          "indexTestV2000.mdb", "compIndexTestV2003.mdb", "test2V2003.mdb", "calcFieldTestV2010.accdb",
          "complexDataTestV2010.accdb", "linkerTestV2007.accdb", "db-enc.mdb", "db97-enc.mdb"})
        databases << QStringLiteral(VELTRANE_FIXTURES_DIR "/") + QLatin1String(f);
    for (const MdbTestDatabase& db : mdbTestCorpus())
        databases << QStringLiteral("corpus:") + QString::fromStdString(db.name);
    for (const QString& name : realWorldDatabases())
        databases << QStringLiteral("realworld:") + name;
    return databases;
}

// Writes the mkmdb corpus into folder; the first error, if any.
inline QString writeCorpus(const QString& folder) {
    for (const MdbTestDatabase& db : mdbTestCorpus()) {
        std::string error;
        const QString path =
            folder + QLatin1Char('/') + QString::fromStdString(db.name) + QStringLiteral(".mdb");
        if (!writeMdb(db.schema, path.toStdString(), &error))
            return QString::fromStdString(error);
    }
    return QString();
}

// The file of one of everyDatabase(); empty when a real-world sample could not be unpacked.
inline QString databasePath(const QString& database, const QString& folder) {
    if (database.startsWith(QLatin1String("corpus:")))
        return folder + QLatin1Char('/') + database.mid(7) + QStringLiteral(".mdb");
    if (database.startsWith(QLatin1String("realworld:")))
        return unpackRealWorld(database.mid(10), folder);
    return database;
}
