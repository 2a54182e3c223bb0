#pragma once
// A reader for tests of saved queries: everything from the reader process, but the saved queries the test
// gives; and the complete script with rows such a reader gives.

#include "CliWindow.h"
#include "DataScript.h"
#include "ReaderProcess.h"
#include "SchemaReader.h"
#include "TargetDialect.h"

#include <optional>
#include <string>
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

// The script with rows of the database at path in the dialect, with the queries given as its saved queries;
// nothing when it was not written.
inline std::optional<std::string> scriptWithQueries(const TargetDialect& dialect, const QString& path,
                                                    const SavedQueries& queries) {
    ReaderProcess process(QStringLiteral(VELTRANE_BIN_DIR) + "/veltrane-reader");
    QueriesReader reader(process, queries);
    ConversionOptions options;
    options.DatabasePath = path;
    options.ScriptType = dialect.scriptType;
    CliWindow window(options, false);
    std::string script;
    const DataOutcome outcome = runDataScript(dialect, options, {}, window, reader,
                                              [&script](std::string_view bytes) {
                                                  script += bytes;
                                                  return true;
                                              },
                                              {});
    if (!outcome.written)
        return std::nullopt;
    return script;
}
