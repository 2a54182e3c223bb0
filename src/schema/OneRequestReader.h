#pragma once
// A schema reader that reads the whole schema of a database in one request to the reader process when a
// run asks for the table list, and answers the run's questions about each table from memory. It answers
// exactly as the reader process would answer them one by one, in a fraction of the time: one request
// instead of two per table, each of which would open the file again. Every table list is read afresh, so
// a run always sees the file as it is when the run starts. It remembers why the last table list could not
// be read, so a caller can tell a missing file from a damaged one. A table list keeps only the engine's
// texts; the stored facts beyond them are kept when the whole schema is asked for.

#include "ReaderProcess.h"
#include "SchemaSnapshot.h"

#include <optional>

class OneRequestReader : public SchemaReader {
public:
    explicit OneRequestReader(ReaderProcess& engine) : engine_(engine) {}

    TableList GetTableNames(const QString& path) override;
    FieldTable GetTableFields(const QString& path, const QString& table) override;
    IndexList GetTableIndexes(const QString& path, const QString& table) override;
    std::variant<ReadFailure, DatabaseSchema> GetDatabaseSchema(const QString& path) override;
    // Reads the whole schema afresh and keeps none of it: questions about single tables are answered as
    // before any table list was read, until the next one is.
    std::variant<ReadFailure, QList<Relationship>>
    ReadDatabaseSchema(const QString& path, const std::function<void(TableDefinition&&)>& table) override;

    // Asked of the reader process each time: the queries are no part of the schema kept here.
    std::variant<ReadFailure, SavedQueries> GetSavedQueries(const QString& path) override {
        return engine_.GetSavedQueries(path);
    }
    // Rows, too, are read by the reader process (a crosstab's headings, in a script without rows).
    RowsRead ReadTableRows(const QString& path, const QString& table,
                           const std::function<bool(const RowBatch& batch)>& batch) override {
        return engine_.ReadTableRows(path, table, batch);
    }

    // Why the last table list could not be read; nothing after a list that was read.
    const std::optional<ReadFailure>& failure() const { return failure_; }
    // Lets go of the schema read last (a large database's schema takes megabytes).
    void forget() { snapshot_.reset(); }

private:
    TableList readSnapshot(const QString& path, SchemaSnapshot::Contents contents);

    ReaderProcess& engine_;
    std::optional<SchemaSnapshot> snapshot_;
    std::optional<ReadFailure> failure_;
};
