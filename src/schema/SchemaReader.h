#pragma once
// The questions the conversion run and the writers ask of a database. Every call stands alone: the file is
// opened, read and let go before the answer returns, and no answer is ever an exception.

#include "DatabaseSchema.h"
#include "SavedQuery.h"
#include "SchemaFromTexts.h"
#include "SchemaTypes.h"
#include "TableRows.h"

#include <functional>
#include <optional>
#include <variant>

class SchemaReader {
public:
    virtual ~SchemaReader() = default;
    virtual TableList GetTableNames(const QString& path) = 0;
    virtual FieldTable GetTableFields(const QString& path, const QString& tableName) = 0;
    virtual IndexList GetTableIndexes(const QString& path, const QString& tableName) = 0;

    // The whole schema at once, for the writers of complete scripts. A reader that knows only the engine's
    // texts answers from them (see SchemaFromTexts.h); the reader process answers with every stored fact.
    virtual std::variant<ReadFailure, DatabaseSchema> GetDatabaseSchema(const QString& path) {
        const TableList tables = GetTableNames(path);
        if (const auto* failure = std::get_if<ReadFailure>(&tables))
            return *failure;
        DatabaseSchema schema;
        for (const QString& name : std::get<TextList>(tables).items())
            schema.tables.append(
                tableFromTexts(name, GetTableFields(path, name), GetTableIndexes(path, name)));
        return schema;
    }

    // The same schema a table at a time: each table is handed to `table` in the order of the table list,
    // and the relationships are returned after the last one. A reader that reads the tables one after the
    // other hands each on as soon as it is read, so the caller's work on it overlaps the reading of the
    // next. On a failure, the tables handed on before it are no schema and are to be dropped.
    virtual std::variant<ReadFailure, QList<Relationship>>
    ReadDatabaseSchema(const QString& path, const std::function<void(TableDefinition&&)>& table) {
        auto answer = GetDatabaseSchema(path);
        if (auto* failure = std::get_if<ReadFailure>(&answer))
            return *failure;
        DatabaseSchema& schema = std::get<DatabaseSchema>(answer);
        for (TableDefinition& definition : schema.tables)
            table(std::move(definition));
        return std::move(schema.relationships);
    }

    // The saved queries of the database, in name order. A reader that knows only the engine's texts has
    // none.
    virtual std::variant<ReadFailure, SavedQueries> GetSavedQueries(const QString& path) {
        (void)path;
        return SavedQueries{};
    }

    // How many rows of the table hold NULL in each of its columns (in column order), counted without the
    // values read; nothing where this reader cannot count them, or the rows could not all be read.
    virtual std::optional<QList<qint64>> CountMissingValues(const QString& path, const QString& tableName) {
        (void)path;
        (void)tableName;
        return std::nullopt;
    }

    // The rows of one table, a batch at a time in the order the file keeps them; batch answers false to stop
    // reading. A reader that cannot read rows says so as a failure.
    virtual RowsRead ReadTableRows(const QString& path, const QString& tableName,
                                   const std::function<bool(const RowBatch& batch)>& batch) {
        (void)path;
        (void)tableName;
        (void)batch;
        return {0, false,
                ReadFailure{3251, QStringLiteral("Operation is not supported for this type of object.")}};
    }
};
