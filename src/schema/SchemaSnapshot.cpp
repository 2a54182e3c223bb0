#include "SchemaSnapshot.h"

#include "ReaderAnswers.h"
#include "ReaderProtocol.h"

#include <QFile>

// Each table is handed on while the reader process reads the next one; the decoded answer is never held
// whole.
std::variant<ReadFailure, readerprotocol::SchemaAnswer>
SchemaSnapshot::exchange(ReaderProcess& reader, const QString& path,
                         std::function<void(readerprotocol::TableSchema&&)> table) {
    using namespace readerprotocol;
    SchemaAnswerDecoder decoder(std::move(table));
    const bool answered =
        reader.exchangeFrames(reader.requestFrame(RequestKind::Schema, path), [&](std::string&& payload) {
            switch (decoder.take(payload)) {
            case SchemaAnswerDecoder::Progress::More:
                return ReaderProcess::FrameVerdict::More;
            case SchemaAnswerDecoder::Progress::Done:
                return ReaderProcess::FrameVerdict::Done;
            case SchemaAnswerDecoder::Progress::Malformed:
                break;
            }
            return ReaderProcess::FrameVerdict::Bad;
        });
    if (!answered) {
        reader.stop();
        return reader.failedRead(path);
    }
    SchemaAnswer answer = std::move(decoder).answer();
    if (answer.failure)
        return toReadFailure(*answer.failure);
    return answer;
}

std::variant<ReadFailure, SchemaSnapshot> SchemaSnapshot::read(ReaderProcess& reader, const QString& path,
                                                               Contents contents) {
    using namespace readerprotocol;
    // Each table is turned into the snapshot's types as soon as its frame arrives.
    SchemaSnapshot snapshot;
    snapshot.path_ = path;
    snapshot.contents_ = contents;
    auto answer = exchange(reader, path, [&](TableSchema&& table) {
        Table& added = snapshot.tables_.emplace_back();
        added.name = QString::fromStdString(table.name);
        const qsizetype position = snapshot.tables_.size() - 1;
        if (!snapshot.byName_.contains(added.name))
            snapshot.byName_.insert(added.name, position);
        const QString folded = added.name.toCaseFolded();
        if (!snapshot.byFoldedName_.contains(folded))
            snapshot.byFoldedName_.insert(folded, position);
        if (contents == Contents::EngineTexts) {
            added.fields = toFieldTable(table.fields);
            added.indexes = toIndexList(table.indexes);
            return;
        }
        snapshot.database_.tables.append(toTableDefinition(table));
        added.fieldsAnswer = std::move(table.fields);
        added.indexesAnswer = std::move(table.indexes);
    });
    if (const auto* failure = std::get_if<ReadFailure>(&answer))
        return *failure;
    if (contents == Contents::WholeSchema)
        snapshot.database_.relationships = toRelationships(std::get<SchemaAnswer>(answer).relationships);
    return snapshot;
}

std::variant<ReadFailure, QList<Relationship>>
SchemaSnapshot::stream(ReaderProcess& reader, const QString& path,
                       const std::function<void(TableDefinition&&)>& table) {
    const auto answer = exchange(
        reader, path, [&](readerprotocol::TableSchema&& schema) { table(toTableDefinition(schema)); });
    if (const auto* failure = std::get_if<ReadFailure>(&answer))
        return *failure;
    return toRelationships(std::get<readerprotocol::SchemaAnswer>(answer).relationships);
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
    Table* table = find(path, tableName);
    if (!table)
        return FieldTable::unreadable();
    if (!table->fields)
        table->fields = toFieldTable(table->fieldsAnswer);
    return *table->fields;
}

IndexList SchemaSnapshot::GetTableIndexes(const QString& path, const QString& tableName) {
    Table* table = find(path, tableName);
    if (!table)
        return unreadableIndexes();
    if (!table->indexes)
        table->indexes = toIndexList(table->indexesAnswer);
    return *table->indexes;
}

std::variant<ReadFailure, DatabaseSchema> SchemaSnapshot::GetDatabaseSchema(const QString& path) {
    if (path != path_)
        return toReadFailure(readerprotocol::failureFor(readerprotocol::FileNotFound, path.toStdString()));
    return database_;
}

// Table names are matched without regard to case, as the reader process matches them.
SchemaSnapshot::Table* SchemaSnapshot::find(const QString& path, const QString& tableName) {
    if (path != path_)
        return nullptr;
    auto found = byName_.constFind(tableName);
    if (found == byName_.constEnd()) {
        found = byFoldedName_.constFind(tableName.toCaseFolded());
        if (found == byFoldedName_.constEnd())
            return nullptr;
    }
    return &tables_[*found];
}
