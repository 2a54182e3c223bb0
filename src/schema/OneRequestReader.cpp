#include "OneRequestReader.h"

TableList OneRequestReader::GetTableNames(const QString& path) {
    return readSnapshot(path, SchemaSnapshot::Contents::EngineTexts);
}

TableList OneRequestReader::readSnapshot(const QString& path, SchemaSnapshot::Contents contents) {
    snapshot_.reset();
    failure_.reset();
    auto snapshot = SchemaSnapshot::read(engine_, path, contents);
    if (auto* failure = std::get_if<ReadFailure>(&snapshot)) {
        failure_ = *failure;
        return *failure;
    }
    snapshot_ = std::move(std::get<SchemaSnapshot>(snapshot));
    return snapshot_->GetTableNames(path);
}

FieldTable OneRequestReader::GetTableFields(const QString& path, const QString& table) {
    return snapshot_ ? snapshot_->GetTableFields(path, table) : FieldTable::unreadable();
}

IndexList OneRequestReader::GetTableIndexes(const QString& path, const QString& table) {
    return snapshot_ ? snapshot_->GetTableIndexes(path, table) : unreadableIndexes();
}

std::variant<ReadFailure, DatabaseSchema> OneRequestReader::GetDatabaseSchema(const QString& path) {
    if (!snapshot_ || !snapshot_->holdsWholeSchema()) {
        const TableList tables = readSnapshot(path, SchemaSnapshot::Contents::WholeSchema);
        if (const auto* failure = std::get_if<ReadFailure>(&tables))
            return *failure;
    }
    return snapshot_->GetDatabaseSchema(path);
}

std::variant<ReadFailure, QList<Relationship>>
OneRequestReader::ReadDatabaseSchema(const QString& path,
                                     const std::function<void(TableDefinition&&)>& table) {
    snapshot_.reset();
    failure_.reset();
    auto relationships = SchemaSnapshot::stream(engine_, path, table);
    if (const auto* failure = std::get_if<ReadFailure>(&relationships))
        failure_ = *failure;
    return relationships;
}
