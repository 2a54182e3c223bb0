#include "SchemaSnapshot.h"

#include "ReaderAnswers.h"

std::variant<ReadFailure, SchemaSnapshot> SchemaSnapshot::read(ReaderProcess& reader, const QString& path) {
    const std::optional<readerprotocol::SchemaAnswer> answer = reader.readSchema(path);
    if (!answer)
        return reader.failedRead(path);
    if (answer->failure)
        return toReadFailure(*answer->failure);
    SchemaSnapshot snapshot;
    snapshot.path_ = path;
    for (const readerprotocol::TableSchema& table : answer->tables) {
        Table& added = snapshot.tables_.emplace_back(Table{
            QString::fromStdString(table.name), toFieldTable(table.fields), toIndexList(table.indexes)});
        snapshot.database_.tables.append(tableFromTexts(added.name, added.fields, added.indexes));
    }
    return snapshot;
}

TableList SchemaSnapshot::GetTableNames(const QString& path) {
    if (path != path_)
        return toReadFailure(readerprotocol::failureFor(readerprotocol::FileNotFound, path.toStdString()));
    QStringList names;
    for (const Table& table : tables_)
        names.append(table.name);
    return TextList(names);
}

FieldTable SchemaSnapshot::GetTableFields(const QString& path, const QString& tableName) {
    const Table* table = find(path, tableName);
    return table ? table->fields : FieldTable::unreadable();
}

IndexList SchemaSnapshot::GetTableIndexes(const QString& path, const QString& tableName) {
    const Table* table = find(path, tableName);
    return table ? table->indexes : unreadableIndexes();
}

std::variant<ReadFailure, DatabaseSchema> SchemaSnapshot::GetDatabaseSchema(const QString& path) {
    if (path != path_)
        return toReadFailure(readerprotocol::failureFor(readerprotocol::FileNotFound, path.toStdString()));
    return database_;
}

// Table names are matched without regard to case, as the reader process matches them.
const SchemaSnapshot::Table* SchemaSnapshot::find(const QString& path, const QString& tableName) const {
    if (path != path_)
        return nullptr;
    for (const Table& table : tables_) {
        if (table.name == tableName)
            return &table;
    }
    const QString folded = tableName.toCaseFolded();
    for (const Table& table : tables_) {
        if (table.name.toCaseFolded() == folded)
            return &table;
    }
    return nullptr;
}
