#include "ReaderAnswers.h"

#include "SchemaFromTexts.h"

#include <algorithm>
#include <limits>

namespace {

QStringList toStringList(const std::vector<std::string>& names) {
    QStringList list;
    list.reserve(qsizetype(names.size()));
    for (const std::string& name : names)
        list.append(QString::fromStdString(name));
    return list;
}

// The text of a field's type, size or attributes number. Those below 512 (nearly all of them) are made
// once and shared, so that a schema of thousands of fields does not allocate three strings a field.
QString numberText(std::uint32_t number) {
    constexpr std::uint32_t shared = 512;
    static const QList<QString> texts = [] {
        QList<QString> list;
        list.reserve(shared);
        for (std::uint32_t i = 0; i < shared; ++i)
            list.append(QString::number(i));
        return list;
    }();
    return number < shared ? texts.at(number) : QString::number(number);
}

QString qs(const std::string& text) {
    return text.empty() ? QString() : QString::fromStdString(text);
}

void addDetail(ColumnDefinition& column, const readerprotocol::ColumnDetail& detail) {
    column.jetType = int(detail.jetType);
    column.precision = int(detail.precision);
    column.scale = int(detail.scale);
    column.required = detail.required;
    column.guidAutoNumber = detail.guidAutoNumber;
    column.defaultValue = qs(detail.defaultValue);
    column.description = qs(detail.description);
    column.validationRule = qs(detail.validationRule);
    column.validationText = qs(detail.validationText);
    column.calculated = detail.calculated;
    column.expression = qs(detail.expression);
    column.resultType = int(detail.resultType);
    column.complexType =
        column.jetType == int(JetType::Complex) ? ComplexType(detail.complexType) : ComplexType::None;
    column.storageTable = qs(detail.storageTable);
}

int fitsInt(std::uint32_t value) {
    return value <= std::uint32_t(std::numeric_limits<int>::max()) ? int(value) : 0;
}

// The columns of the answer's fields, with their details where they came one for one.
QList<ColumnDefinition> columnsOf(const readerprotocol::FieldsAnswer& fields,
                                  const std::vector<readerprotocol::ColumnDetail>& details) {
    QList<ColumnDefinition> columns;
    columns.reserve(qsizetype(fields.fields.size()));
    for (const readerprotocol::Field& field : fields.fields)
        columns.append(columnFromFacts(qs(field.name), fitsInt(field.type), fitsInt(field.size),
                                       field.allowZeroLength, fitsInt(field.attributes)));
    if (details.size() == fields.fields.size())
        for (qsizetype i = 0; i < columns.size(); ++i)
            addDetail(columns[i], details[std::size_t(i)]);
    return columns;
}

void addDetail(IndexDefinition& index, const readerprotocol::IndexDetail& detail) {
    for (const readerprotocol::IndexColumnDetail& column : detail.columns)
        index.columns.append(IndexColumn{qs(column.name), column.descending});
    index.primaryKey = detail.primaryKey;
    index.unique = detail.unique;
    index.ignoreNulls = detail.ignoreNulls;
    index.required = detail.required;
    index.foreignKey = detail.foreignKey;
}

} // namespace

ReadFailure toReadFailure(const readerprotocol::Failure& failure) {
    return ReadFailure{int(failure.number), QString::fromStdString(failure.description)};
}

TableList toTableList(const readerprotocol::TablesAnswer& answer) {
    if (answer.failure)
        return toReadFailure(*answer.failure);
    return TextList(toStringList(answer.names));
}

FieldTable toFieldTable(const readerprotocol::FieldsAnswer& answer) {
    if (!answer.readable)
        return answer.notRead ? FieldTable::notRead() : FieldTable::unreadable();
    QList<FieldRow> rows;
    rows.reserve(qsizetype(answer.fields.size()));
    for (const readerprotocol::Field& field : answer.fields)
        rows.append(FieldRow{QString::fromStdString(field.name), numberText(field.type),
                             numberText(field.size),
                             field.allowZeroLength ? QStringLiteral("True") : QStringLiteral("False"),
                             numberText(field.attributes)});
    return FieldTable(rows);
}

IndexList toIndexList(const readerprotocol::IndexesAnswer& answer) {
    switch (answer.kind) {
    case readerprotocol::IndexesAnswer::Kind::List:
        return TextList(toStringList(answer.names));
    case readerprotocol::IndexesAnswer::Kind::NoIndexes:
        return NoIndexes{};
    case readerprotocol::IndexesAnswer::Kind::Unreadable:
        break;
    }
    return unreadableIndexes();
}

ReadFailure damagedDatabase(const QString& path) {
    return toReadFailure(readerprotocol::failureFor(readerprotocol::DatabaseDamaged, path.toStdString()));
}

ReadFailure readerUnavailable(const QString& program, const QString& reason) {
    return ReadFailure{
        ReaderUnavailableNumber,
        QStringLiteral("The schema reader program '%1' could not be started: %2.").arg(program, reason)};
}

TableDefinition toTableDefinition(const readerprotocol::TableSchema& table) {
    TableDefinition definition;
    definition.name = qs(table.name);
    // As tableFromTexts reads the texts toFieldTable and toIndexList make of the answer, but from the
    // numbers behind them (the same values: a number beyond the texts' int range reads back as 0).
    const readerprotocol::FieldsAnswer& fields = table.fields;
    if (!fields.readable)
        definition.columnsState = fields.notRead ? ReadState::NotRead : ReadState::Unreadable;
    else
        definition.columns = columnsOf(fields, table.details.columns);
    // A list of one index named "NONE" reads as the "NONE" of a failed read, as its texts do.
    const bool noneList = table.indexes.kind == readerprotocol::IndexesAnswer::Kind::List &&
                          table.indexes.names.size() == 1 && table.indexes.names.front() == "NONE";
    if (fields.readable || !fields.notRead) { // a table left unread on purpose has no index list either
        switch (noneList ? readerprotocol::IndexesAnswer::Kind::Unreadable : table.indexes.kind) {
        case readerprotocol::IndexesAnswer::Kind::Unreadable:
            definition.indexesState = ReadState::Unreadable;
            break;
        case readerprotocol::IndexesAnswer::Kind::NoIndexes:
            break;
        case readerprotocol::IndexesAnswer::Kind::List:
            definition.indexes.reserve(qsizetype(table.indexes.names.size()));
            for (const std::string& name : table.indexes.names) {
                IndexDefinition& index = definition.indexes.emplace_back();
                index.name = qs(name);
                // The details of the first index of that name.
                const auto& details = table.details.indexes;
                const auto found =
                    std::find_if(details.cbegin(), details.cend(),
                                 [&](const readerprotocol::IndexDetail& d) { return d.name == name; });
                if (found != details.cend())
                    addDetail(index, *found);
            }
            break;
        }
    } else {
        definition.indexesState = ReadState::NotRead;
    }
    const readerprotocol::TableCatalog& catalog = table.details.catalog;
    definition.system = catalog.system;
    definition.hidden = catalog.hidden;
    definition.linked = catalog.linked;
    definition.linkedDatabase = qs(catalog.linkedDatabase);
    definition.foreignName = qs(catalog.foreignName);
    definition.validationRule = qs(table.details.validationRule);
    definition.validationText = qs(table.details.validationText);
    // A link whose file is not at hand is left unread on purpose; only a local table can be damaged.
    if (definition.linked && definition.columnsState == ReadState::Unreadable)
        definition.columnsState = ReadState::NotRead;
    if (definition.columnsState == ReadState::NotRead)
        definition.indexesState = ReadState::NotRead;
    for (const readerprotocol::StorageTable& storage : table.storage)
        if (storage.fields.readable)
            definition.storageTables.append(
                StorageTable{qs(storage.name), columnsOf(storage.fields, storage.details.columns)});
    return definition;
}

QList<Relationship> toRelationships(const std::vector<readerprotocol::Relationship>& relationships) {
    QList<Relationship> list;
    list.reserve(qsizetype(relationships.size()));
    for (const readerprotocol::Relationship& relationship : relationships) {
        Relationship& result = list.emplace_back();
        result.name = qs(relationship.name);
        result.table = qs(relationship.table);
        result.referencedTable = qs(relationship.referencedTable);
        for (const readerprotocol::RelationshipColumn& column : relationship.columns)
            result.columns.append(RelationshipColumn{qs(column.column), qs(column.referencedColumn)});
        result.enforced = relationship.enforced;
        result.cascadeUpdate = relationship.cascadeUpdate;
        result.cascadeDelete = relationship.cascadeDelete;
        result.cascadeSetNull = relationship.cascadeSetNull;
    }
    return list;
}
