#pragma once
// The whole schema of one database, read in a single request to the reader process and answered from
// memory afterwards, for a caller that wants every table at once. It answers exactly as ReaderProcess
// would for the path it was read from; any other path is answered as a file that does not exist. A snapshot
// read for the engine's texts alone answers GetDatabaseSchema with a schema of no tables.

#include "ReaderProcess.h"
#include "ReaderProtocol.h"
#include "SchemaReader.h"

#include <QHash>
#include <QList>
#include <optional>
#include <variant>

class SchemaSnapshot : public SchemaReader {
public:
    // What a snapshot keeps of the answer: the engine's texts of each table (GetTableNames, GetTableFields,
    // GetTableIndexes), or those and every stored fact (GetDatabaseSchema too). Building the whole schema
    // costs about as much again, so a run that asks only for the texts does not pay for it.
    enum class Contents { EngineTexts, WholeSchema };

    static std::variant<ReadFailure, SchemaSnapshot> read(ReaderProcess& reader, const QString& path,
                                                          Contents contents = Contents::WholeSchema);
    bool holdsWholeSchema() const { return contents_ == Contents::WholeSchema; }
    // The whole schema in the same single request, kept nowhere: each table is handed on as its part of the
    // answer arrives (see SchemaReader::ReadDatabaseSchema).
    static std::variant<ReadFailure, QList<Relationship>>
    stream(ReaderProcess& reader, const QString& path, const std::function<void(TableDefinition&&)>& table);

    TableList GetTableNames(const QString& path) override;
    FieldTable GetTableFields(const QString& path, const QString& tableName) override;
    IndexList GetTableIndexes(const QString& path, const QString& tableName) override;
    std::variant<ReadFailure, DatabaseSchema> GetDatabaseSchema(const QString& path) override;

    const DatabaseSchema& database() const { return database_; }

private:
    // A table's engine texts are made when the snapshot is read for them. A snapshot read for the whole
    // schema keeps the answer's fields and indexes instead, and makes the texts when first asked for them:
    // a complete script never asks, and the texts of a large schema take megabytes.
    struct Table {
        QString name;
        std::optional<FieldTable> fields;
        std::optional<IndexList> indexes;
        readerprotocol::FieldsAnswer fieldsAnswer;
        readerprotocol::IndexesAnswer indexesAnswer;
    };
    Table* find(const QString& path, const QString& tableName);
    // Asks the reader process for the whole schema and hands each table of the answer on as soon as its
    // frame arrives; returns the rest of the answer, or why there is none.
    static std::variant<ReadFailure, readerprotocol::SchemaAnswer>
    exchange(ReaderProcess& reader, const QString& path,
             std::function<void(readerprotocol::TableSchema&&)> table);

    QString path_;
    QList<Table> tables_;
    // Positions in tables_ by exact name and by case-folded name; the first table of a name wins.
    QHash<QString, qsizetype> byName_;
    QHash<QString, qsizetype> byFoldedName_;
    DatabaseSchema database_;
    Contents contents_ = Contents::WholeSchema;
};
