#pragma once
// The whole schema of one database, read in a single request to the reader process and answered from
// memory afterwards, for a caller that wants every table at once. It answers exactly as ReaderProcess
// would for the path it was read from; any other path is answered as a file that does not exist.

#include "ReaderProcess.h"
#include "SchemaReader.h"

#include <QHash>
#include <QList>
#include <variant>

class SchemaSnapshot : public SchemaReader {
public:
    static std::variant<ReadFailure, SchemaSnapshot> read(ReaderProcess& reader, const QString& path);

    TableList GetTableNames(const QString& path) override;
    FieldTable GetTableFields(const QString& path, const QString& tableName) override;
    IndexList GetTableIndexes(const QString& path, const QString& tableName) override;
    std::variant<ReadFailure, DatabaseSchema> GetDatabaseSchema(const QString& path) override;

    const DatabaseSchema& database() const { return database_; }

private:
    struct Table {
        QString name;
        FieldTable fields;
        IndexList indexes;
    };
    const Table* find(const QString& path, const QString& tableName) const;

    QString path_;
    QList<Table> tables_;
    // Positions in tables_ by exact name and by case-folded name; the first table of a name wins.
    QHash<QString, qsizetype> byName_;
    QHash<QString, qsizetype> byFoldedName_;
    DatabaseSchema database_;
};
