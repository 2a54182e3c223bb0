#include "SchemaSnapshot.h"

#include "ReaderAnswers.h"
#include "ReaderProtocol.h"

#include <QFile>

std::variant<ReadFailure, SchemaSnapshot> SchemaSnapshot::read(ReaderProcess& reader, const QString& path,
                                                               Contents contents) {
    using namespace readerprotocol;
    // Each table is turned into the snapshot's types as soon as its frame arrives, while the reader process
    // reads the next one; the decoded answer is never held whole.
    SchemaSnapshot snapshot;
    snapshot.path_ = path;
    snapshot.contents_ = contents;
    SchemaAnswerDecoder decoder([&](TableSchema&& table) {
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
    const bool answered =
        reader.exchangeFrames(encode(Request{RequestKind::Schema, QFile::encodeName(path).toStdString(), {}}),
                              [&](std::string&& payload) {
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
    const SchemaAnswer answer = std::move(decoder).answer();
    if (answer.failure)
        return toReadFailure(*answer.failure);
    if (contents == Contents::WholeSchema) {
        for (const readerprotocol::Relationship& relationship : answer.relationships)
            snapshot.database_.relationships.append(toRelationship(relationship));
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
