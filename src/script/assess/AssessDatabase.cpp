#include "AssessDatabase.h"

#include "AssessCode.h"
#include "AssessValues.h"
#include "CompleteScript.h"
#include "CrosstabQueries.h"
#include "FileHeader.h"
#include "QueryViews.h"
#include "ReaderProcess.h"
#include "TargetDialect.h"

#include <QFileInfo>
#include <QSet>

namespace {

QString complexName(ComplexType type) {
    switch (type) {
    case ComplexType::None:
        break;
    case ComplexType::VersionHistory:
        return QStringLiteral("version history");
    case ComplexType::Attachment:
        return QStringLiteral("attachment");
    case ComplexType::MultiValuedByte:
    case ComplexType::MultiValuedInteger:
    case ComplexType::MultiValuedLong:
    case ComplexType::MultiValuedSingle:
    case ComplexType::MultiValuedDouble:
    case ComplexType::MultiValuedGuid:
    case ComplexType::MultiValuedDecimal:
    case ComplexType::MultiValuedText:
        return QStringLiteral("multi-valued");
    }
    return QStringLiteral("complex");
}

// The type names Access shows in a table's design view.
QString typeName(const ColumnDefinition& column) {
    if (column.autoNumber)
        return QStringLiteral("AutoNumber");
    switch (JetType(column.jetType)) {
    case JetType::Boolean:
        return QStringLiteral("Yes/No");
    case JetType::Byte:
        return QStringLiteral("Byte");
    case JetType::Integer:
        return QStringLiteral("Integer");
    case JetType::Long:
        return QStringLiteral("Long Integer");
    case JetType::Currency:
        return QStringLiteral("Currency");
    case JetType::Single:
        return QStringLiteral("Single");
    case JetType::Double:
        return QStringLiteral("Double");
    case JetType::DateTime:
        return QStringLiteral("Date/Time");
    case JetType::Binary:
        return QStringLiteral("Binary");
    case JetType::Text:
        return QStringLiteral("Short Text");
    case JetType::OleObject:
        return QStringLiteral("OLE Object");
    case JetType::Memo:
        return QStringLiteral("Long Text");
    case JetType::Guid:
        return column.guidAutoNumber ? QStringLiteral("Replication ID AutoNumber")
                                     : QStringLiteral("Replication ID");
    case JetType::Decimal:
        return QStringLiteral("Decimal");
    case JetType::Complex: {
        QString kind = complexName(column.complexType);
        kind[0] = kind[0].toUpper();
        return kind;
    }
    case JetType::BigInt:
        return QStringLiteral("Large Number");
    case JetType::DateTimeExtended:
        return QStringLiteral("Date/Time Extended");
    case JetType::LongBinary0D:
    case JetType::LongBinary11:
        break;
    }
    return QStringLiteral("type 0x%1").arg(column.jetType, 2, 16, QLatin1Char('0'));
}

QString kindName(QueryKind kind) {
    switch (kind) {
    case QueryKind::Select:
        return QStringLiteral("Select");
    case QueryKind::Union:
        return QStringLiteral("Union");
    case QueryKind::CrossTab:
        return QStringLiteral("Crosstab");
    case QueryKind::Append:
        return QStringLiteral("Append");
    case QueryKind::Update:
        return QStringLiteral("Update");
    case QueryKind::Delete:
        return QStringLiteral("Delete");
    case QueryKind::MakeTable:
        return QStringLiteral("Make-table");
    case QueryKind::DataDefinition:
        return QStringLiteral("Data-definition");
    case QueryKind::PassThrough:
        return QStringLiteral("Pass-through");
    }
    return QStringLiteral("Select");
}

void tableFacts(DatabaseFacts& facts, const TableDefinition& table, ReaderProcess& reader) {
    TableFacts t;
    t.name = table.name;
    t.linked = table.linked;
    t.linkedDatabase = table.linkedDatabase;
    for (const ColumnDefinition& column : table.columns) {
        ++facts.columnTypes[typeName(column)];
        if (column.complexType != ComplexType::None)
            facts.complexColumns
                << QStringLiteral("%1.%2 (%3)").arg(table.name, column.name, complexName(column.complexType));
    }
    if (table.columnsState == ReadState::Unreadable)
        t.unreadable = QStringLiteral("its columns could not be read");
    else if (table.indexesState == ReadState::Unreadable)
        t.unreadable = QStringLiteral("its indexes could not be read");
    // A linked table's rows belong to the other file's assessment.
    if (!table.linked && table.columnsState == ReadState::Read) {
        const auto count = reader.CountRows(facts.path, table.name);
        if (const auto* failure = std::get_if<ReadFailure>(&count)) {
            t.unreadable = failure->description;
        } else {
            t.rows = std::get<RowCount>(count).rows;
            if (!std::get<RowCount>(count).complete && t.unreadable.isEmpty())
                t.unreadable = QStringLiteral("only %1 rows could be read").arg(t.rows);
        }
    }
    facts.tables << t;
}

// What each target's complete script makes of the visible queries, planned as that script plans the
// tables. The headings of crosstabs are read once, for all targets.
void targetQueries(DatabaseFacts& facts, const DatabaseSchema& schema, const SavedQueries& queries,
                   ReaderProcess& reader) {
    ConversionOptions options;
    options.DatabasePath = facts.path;
    const TargetDialect* dialects[] = {&postgreSqlDialect(), &mySqlDialect(), &sqliteDialect(),
                                       &sqlServerDialect()};
    std::optional<CrosstabSnapshots> crosstabs;
    for (const TargetDialect* dialect : dialects) {
        const CompleteScript script(*dialect, schema, options);
        if (!crosstabs)
            crosstabs = readCrosstabHeadings(queries, script.plan(), reader, facts.path);
        const ViewsScript views = viewsScript(*dialect, options, script.plan(), queries, *crosstabs);
        facts.targets << TargetQueries{dialect->scriptType, views.views, views.functions, views.procedures,
                                       views.left};
    }
}

} // namespace

DatabaseFacts missingDatabase(const QString& path) {
    DatabaseFacts facts;
    facts.path = path;
    facts.failure = QStringLiteral("No such file or folder.");
    return facts;
}

DatabaseFacts assessDatabase(const QString& path, ReaderProcess& reader, const QString& codeFolder,
                             bool values) {
    DatabaseFacts facts;
    facts.path = path;
    const QFileInfo info(path);
    if (!info.exists())
        return missingDatabase(path);
    facts.size = info.size();
    const FileHeader header = readFileHeader(path);
    facts.version = header.version;
    facts.encrypted = header.encrypted;
    facts.passwordGiven = reader.hasPassword();

    const auto answer = reader.GetDatabaseSchema(path);
    if (const auto* failure = std::get_if<ReadFailure>(&answer)) {
        facts.failure = failure->description;
        // The reader names a missing or wrong password for the encryption it found.
        if (failure->number == 3031)
            facts.encrypted = true;
        return facts;
    }
    const DatabaseSchema& schema = std::get<DatabaseSchema>(answer);
    for (const TableDefinition& table : schema.tables)
        if (!table.system)
            tableFacts(facts, table, reader);
    // The engine's own relationships between its system tables are no part of the database's design.
    QSet<QString> userTables;
    for (const TableFacts& t : facts.tables)
        userTables << t.name;
    for (const Relationship& r : schema.relationships)
        if (userTables.contains(r.table) && userTables.contains(r.referencedTable)) {
            ++facts.relationships;
            facts.enforcedRelationships += r.enforced ? 1 : 0;
        }
    if (values)
        assessValues(facts, schema, reader);
    facts.code = assessCode(path, reader, codeFolder);

    const auto queries = reader.ReadSavedQueries(path);
    if (const auto* failure = std::get_if<ReadFailure>(&queries)) {
        facts.queriesFailure = failure->description;
        return facts;
    }
    const SavedQueriesRead& read = std::get<SavedQueriesRead>(queries);
    for (const SavedQuery& query : read.queries) {
        if (query.hidden)
            ++facts.hiddenQueries;
        else
            ++facts.queryKinds[kindName(query.kind)];
    }
    for (const UnreadSavedQuery& query : read.unread)
        facts.unreadQueries << QStringLiteral("%1: %2").arg(query.name, query.reason);
    targetQueries(facts, schema, read.queries, reader);
    return facts;
}
