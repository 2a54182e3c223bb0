#pragma once
// A reader for tests of saved queries: everything from the reader process, but the saved queries the test
// gives.

#include "SchemaReader.h"

#include <utility>

class QueriesReader : public SchemaReader {
public:
    QueriesReader(SchemaReader& inner, SavedQueries queries) : inner_(inner), queries_(std::move(queries)) {}
    TableList GetTableNames(const QString& p) override { return inner_.GetTableNames(p); }
    FieldTable GetTableFields(const QString& p, const QString& t) override {
        return inner_.GetTableFields(p, t);
    }
    IndexList GetTableIndexes(const QString& p, const QString& t) override {
        return inner_.GetTableIndexes(p, t);
    }
    std::variant<ReadFailure, DatabaseSchema> GetDatabaseSchema(const QString& p) override {
        return inner_.GetDatabaseSchema(p);
    }
    std::variant<ReadFailure, QList<Relationship>>
    ReadDatabaseSchema(const QString& p, const std::function<void(TableDefinition&&)>& table) override {
        return inner_.ReadDatabaseSchema(p, table);
    }
    std::variant<ReadFailure, SavedQueries> GetSavedQueries(const QString&) override { return queries_; }
    RowsRead ReadTableRows(const QString& p, const QString& t,
                           const std::function<bool(const RowBatch&)>& batch) override {
        return inner_.ReadTableRows(p, t, batch);
    }

private:
    SchemaReader& inner_;
    SavedQueries queries_;
};
