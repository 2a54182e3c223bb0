#include "RuleChecks.h"

#include "RuleRows.h"

#include "SchemaReader.h"
#include "TargetDialect.h"
#include "WindowOps.h"

#include <unordered_set>

namespace {

const TableDefinition* findTable(const QList<TableDefinition>& tables, const QString& name) {
    for (const TableDefinition& t : tables)
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

int columnIndex(const TableDefinition& table, const QString& name) {
    for (int i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool readable(const TableDefinition& table) {
    return !table.linked && table.columnsState == ReadState::Read;
}

// A column Access may hold NULLs in despite Required: neither numbered, nor a Yes/No (never NULL), nor a
// complex or calculated column, nor part of the primary key (which Access never lets hold a NULL).
bool mayLackValue(const TableDefinition& table, const ColumnDefinition& column) {
    if (!column.required || column.autoNumber || column.guidAutoNumber || column.calculated ||
        column.jetType == int(JetType::Boolean) || column.jetType == int(JetType::Complex))
        return false;
    for (const IndexDefinition& index : table.indexes)
        if (index.primaryKey)
            for (const IndexColumn& c : index.columns)
                if (c.name.compare(column.name, Qt::CaseInsensitive) == 0)
                    return false;
    return true;
}

QList<int> requiredColumns(const TableDefinition& table) {
    QList<int> columns;
    for (int i = 0; i < table.columns.size(); ++i)
        if (mayLackValue(table, table.columns[i]))
            columns << i;
    return columns;
}

// Counts the NULLs of the given columns from the table's rows.
void readMissingValues(const QString& path, const TableDefinition& table, const QList<int>& columns,
                       SchemaReader& reader, std::vector<qint64>& missing) {
    reader.ReadTableRows(path, table.name, [&](const RowBatch& batch) {
        if (batch.columns != table.columns.size())
            return false;
        for (std::size_t r = 0; r < batch.rows(); ++r) {
            const DataValue* row = batch.row(r);
            for (qsizetype k = 0; k < columns.size(); ++k)
                if (row[columns[k]].kind == ValueKind::Null)
                    ++missing[std::size_t(k)];
        }
        return true;
    });
}

// Counts the NULLs of the given columns: by the reader, where it counts them without reading the values,
// else from the rows.
void countMissingValues(const QString& path, const TableDefinition& table, const QList<int>& columns,
                        SchemaReader& reader, RowFacts& facts) {
    std::vector<qint64> missing(std::size_t(columns.size()), 0);
    if (const std::optional<QList<qint64>> counted = reader.CountMissingValues(path, table.name);
        counted && counted->size() == table.columns.size()) {
        for (qsizetype k = 0; k < columns.size(); ++k)
            missing[std::size_t(k)] = counted->at(columns[k]);
    } else {
        readMissingValues(path, table, columns, reader, missing);
    }
    for (qsizetype k = 0; k < columns.size(); ++k)
        if (missing[std::size_t(k)] > 0)
            facts.rowsWithoutValue.insert({table.name, table.columns[columns[k]].name},
                                          missing[std::size_t(k)]);
}

// The values of a key as one string that is equal for two keys exactly when the server finds them equal
// byte for byte; false when a value is NULL (a foreign key does not check such a row).
bool keyText(const DataValue* row, const QList<int>& columns, std::string& key) {
    key.clear();
    for (int c : columns) {
        const DataValue& v = row[c];
        if (v.kind == ValueKind::Null)
            return false;
        key.push_back(char(v.kind));
        switch (v.kind) {
        case ValueKind::Boolean:
        case ValueKind::Integer:
        case ValueKind::Currency:
            key.append(reinterpret_cast<const char*>(&v.integer), sizeof v.integer);
            break;
        case ValueKind::Single:
        case ValueKind::Double:
        case ValueKind::DateTime:
            key.append(reinterpret_cast<const char*>(&v.real), sizeof v.real);
            break;
        default:
            key += std::to_string(v.bytes.size());
            key.push_back(':');
            key.append(v.bytes);
            break;
        }
    }
    return true;
}

bool textKey(const TableDefinition& table, const QList<int>& columns) {
    for (int c : columns) {
        const int type = table.columns[c].jetType;
        if (type == int(JetType::Text) || type == int(JetType::Memo))
            return true;
    }
    return false;
}

// Rows of the relationship's table whose key no row of the referenced table holds exactly; 0 where the
// key holds no text (numbers compare alike everywhere) or the tables cannot be read.
qint64 rowsWithoutMatch(const QString& path, const Relationship& r, const QList<TableDefinition>& tables,
                        SchemaReader& reader) {
    const TableDefinition* from = findTable(tables, r.table);
    const TableDefinition* to = findTable(tables, r.referencedTable);
    if (!from || !to || !readable(*from) || !readable(*to) || r.columns.isEmpty())
        return 0;
    QList<int> fromColumns;
    QList<int> toColumns;
    for (const RelationshipColumn& c : r.columns) {
        fromColumns << columnIndex(*from, c.column);
        toColumns << columnIndex(*to, c.referencedColumn);
        if (fromColumns.last() < 0 || toColumns.last() < 0)
            return 0;
    }
    if (!textKey(*from, fromColumns))
        return 0;
    std::unordered_set<std::string> keys;
    std::string key;
    reader.ReadTableRows(path, to->name, [&](const RowBatch& batch) {
        if (batch.columns != to->columns.size())
            return false;
        for (std::size_t i = 0; i < batch.rows(); ++i)
            if (keyText(batch.row(i), toColumns, key))
                keys.insert(key);
        return true;
    });
    qint64 unmatched = 0;
    reader.ReadTableRows(path, from->name, [&](const RowBatch& batch) {
        if (batch.columns != from->columns.size())
            return false;
        for (std::size_t i = 0; i < batch.rows(); ++i)
            if (keyText(batch.row(i), fromColumns, key) && !keys.contains(key))
                ++unmatched;
        return true;
    });
    return unmatched;
}

} // namespace

RowFacts readRowFacts(const TargetDialect& dialect, const QString& path, const QList<TableDefinition>& tables,
                      const QList<Relationship>& relationships, SchemaReader& reader, WindowOps& window) {
    RowFacts facts;
    // A server that adds NOT NULL after the rows has the rows counted as they are written.
    facts.requiredAfterRows = dialect.notNullAfterRows != nullptr;
    for (const TableDefinition& table : facts.requiredAfterRows ? QList<TableDefinition>() : tables) {
        const QList<int> columns = readable(table) ? requiredColumns(table) : QList<int>();
        if (columns.isEmpty())
            continue;
        if (window.showsProgress())
            window.setProgress(QStringLiteral("Checking the rows of %1 against its rules").arg(table.name));
        countMissingValues(path, table, columns, reader, facts);
    }
    countRowsBreakingRules(path, tables, reader, window, facts);
    if (!dialect.exactTextKeys)
        return facts;
    for (const Relationship& r : relationships) {
        if (!r.enforced)
            continue;
        if (const qint64 rows = rowsWithoutMatch(path, r, tables, reader))
            facts.rowsWithoutMatch.insert(r.name, rows);
    }
    return facts;
}
