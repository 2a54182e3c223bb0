#include "Planner.h"

#include "DefaultExpressions.h"
#include "DefaultValues.h"
#include "TextCase.h"
#include "ValidationChecks.h"

#include <algorithm>

namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Why a table, column or index has another name in the script: characters the server's names cannot hold,
// or a length it does not keep.
QString renamed(const TargetDialect& d, const QString& what, const QString& from, const QString& to) {
    if (keptName(d, from) != from)
        return QStringLiteral("%1 %2 is named %3 here: %4 names cannot hold characters outside the Basic "
                              "Multilingual Plane")
            .arg(what, from, to, d.scriptType);
    return QStringLiteral("%1 %2 is named %3 here: the server keeps no longer names").arg(what, from, to);
}

} // namespace

Planner::Planner(const TargetDialect& dialect, const ConversionOptions& options, ScriptContents contents,
                 ScriptPlan& plan)
    : d_(dialect), options_(options), contents_(contents), plan_(plan),
      globalNames_(dialect.nameLimit, dialect.limitInBytes),
      constraintNames_(dialect.nameLimit, dialect.limitInBytes),
      tableNames_(dialect.nameLimit, dialect.limitInBytes) {}

void Planner::finish(const QList<Relationship>& relationships) {
    nameIndexes();
    planRelationships(d_, plan_, constraintNames_, relationships);
    leaveOutChecksOnCascadedColumns(d_, plan_, relationships);
    childForeignKeys();
}

// The names of indexes that share the database's namespace, given once every table has its name (a table may
// take the name an index of an earlier table asks for), in the order of the tables.
void Planner::nameIndexes() {
    if (!d_.databaseWideIndexNames)
        return;
    for (TablePlan& t : plan_.tables)
        for (KeyPlan& k : t.indexes)
            if (k.index)
                k.name = globalNames_.allocate(keptName(d_, k.index->name));
}

void Planner::table(const TableDefinition& table) {
    TablePlan& t = plan_.tables.emplace_back();
    t.table = &table;
    // A name longer than the server keeps is cut (and made unique) here rather than by the server, so that
    // the script says so and two long names cannot become one. Tables and indexes share a namespace in some
    // servers: every table's name is taken before any such index is named.
    t.name = tableNames_.allocate(keptName(d_, table.name));
    globalNames_.reserve(t.name);
    constraintNames_.reserve(t.name);
    if (!d_.primaryKeySuffix.isEmpty())
        globalNames_.reserve(t.name + d_.primaryKeySuffix);
    if (t.name != table.name) {
        t.notes << renamed(d_, QStringLiteral("Table"), table.name, t.name);
        if (d_.nameComments)
            t.comment = table.name;
    }
    if (table.linked) {
        const QString where =
            QStringLiteral("linked table: %1 in %2").arg(table.foreignName, table.linkedDatabase);
        if (table.columnsState != ReadState::Read) {
            t.notes << QStringLiteral("Table %1 is a %2, whose file is not here: not written")
                           .arg(table.name, where);
            return;
        }
        t.notes << QStringLiteral("Table %1 is a %2; written as a table of its own").arg(table.name, where);
    }
    if (table.columnsState == ReadState::NotRead) {
        t.notes << QStringLiteral("Table %1 is a linked table whose table could not be reached: not written")
                       .arg(table.name);
        return;
    }
    if (table.columnsState != ReadState::Read) {
        t.notes << QStringLiteral("Table %1: its columns could not be read: not written").arg(table.name);
        return;
    }
    if (!columns(t)) {
        t.notes << QStringLiteral("Table %1 has no column this script can hold: not written").arg(table.name);
        return;
    }
    t.written = true;
    keys(t);
    if (d_.fitTable)
        d_.fitTable(d_, t);
    autoNumbers(t);
    childTables(t);
    applyTextCase(d_, options_.CaseOfTexts, t);
    planValidationRules(d_, plan_, t, constraintNames_);
}

// The table's columns with their names in the script; false when none can be written.
bool Planner::columns(TablePlan& t) {
    const TableDefinition& table = *t.table;
    // Nearly every table's column names are kept as they are; an allocator is made only for the others.
    std::optional<NameAllocator> columnNames;
    if (!NameAllocator::keepsAsTheyAre(d_.nameLimit, d_.limitInBytes, table.columns))
        columnNames.emplace(d_.nameLimit, d_.limitInBytes, table.columns.size());
    t.columns.reserve(table.columns.size());
    for (const ColumnDefinition& column : table.columns) {
        t.columns.append(columnPlan(t, column));
        ColumnPlan& c = t.columns.last();
        if (!c.written)
            continue;
        c.name = columnNames ? columnNames->allocate(keptName(d_, column.name)) : column.name;
        if (c.name != column.name) {
            t.notes << renamed(d_, QStringLiteral("Column"), column.name, c.name);
            if (d_.nameComments)
                c.comment = column.name;
        }
        if (!column.description.isEmpty())
            describe(t, c.name, column.description);
    }
    return std::any_of(t.columns.cbegin(), t.columns.cend(), [](const ColumnPlan& c) { return c.written; });
}

void Planner::describe(TablePlan& t, const QString& column, const QString& text) {
    if (d_.descriptionStatements) {
        t.descriptions
            << (column.isEmpty()
                    ? QStringLiteral("COMMENT ON TABLE %1 IS %2").arg(q(t.name), stringLiteral(d_, text))
                    : QStringLiteral("COMMENT ON COLUMN %1.%2 IS %3")
                          .arg(q(t.name), q(column), stringLiteral(d_, text)));
        return;
    }
    t.notes << (column.isEmpty() ? QStringLiteral("Description of %1: %2").arg(t.table->name, text)
                                 : QStringLiteral("Description of %1: %2").arg(column, text));
}

ColumnPlan Planner::columnPlan(TablePlan& t, const ColumnDefinition& column) {
    ColumnPlan c;
    c.column = &column;
    // A calculated column's values are of its result type, a Jet type byte as the file stores it.
    c.jetType = column.calculated && column.resultType != 0 ? column.resultType : column.jetType;
    const std::optional<TargetType> type = targetType(d_, c.jetType, column);
    if (!type)
        return c; // a complex column: its values go into a table of their own (childTables)
    c.type = *type;
    c.written = true;
    if (contents_ == ScriptContents::SchemaAndRows && d_.timestampWithRows &&
        c.jetType == int(JetType::DateTime))
        c.type.text = QString::fromLatin1(d_.timestampWithRows);
    if (contents_ == ScriptContents::SchemaAndRows && d_.exactDigits > 0 && c.type.form == ValueForm::Exact) {
        const int digits = c.jetType == int(JetType::Currency) ? 19
                           : column.precision > 0              ? column.precision
                                                               : 28;
        if (digits > d_.exactDigits) {
            c.type.text = QStringLiteral("TEXT");
            t.notes << QStringLiteral(
                           "Column %1 is kept as TEXT: %2 keeps %3 digits of a number exactly only "
                           "in a text")
                           .arg(column.name, d_.scriptType)
                           .arg(digits);
        }
    }
    if (!c.type.knownType)
        t.notes << QStringLiteral(
                       "Column %1 has the Access type code %2, which is not known here: written as "
                       "binary")
                       .arg(column.name)
                       .arg(column.typeCode);
    if (column.calculated) {
        t.notes
            << QStringLiteral("Column %1 is calculated in Access: %2").arg(column.name, column.expression);
        if (c.jetType == int(JetType::Decimal) && column.precision <= 0)
            t.notes << QStringLiteral(
                           "Column %1: the file does not give its result's precision: written as %2")
                           .arg(column.name, c.type.text);
    }
    c.identity = column.autoNumber && c.jetType == int(JetType::Long);
    c.notNull = column.required || c.identity || c.jetType == int(JetType::Boolean);
    if (c.notNull && !c.identity && c.jetType != int(JetType::Boolean)) {
        if (plan_.rowFacts.requiredAfterRows) {
            c.notNull = false;
            c.notNullAfterRows = true;
        } else if (const qint64 rows = plan_.rowFacts.rowsWithoutValue.value({t.table->name, column.name})) {
            c.notNull = false;
            t.notes << requiredNotWrittenNote(column.name, rows);
            plan_.brokenRules << requiredNotWrittenWarning(t.table->name, column.name, rows);
        }
    }
    if (column.guidAutoNumber && c.jetType == int(JetType::Guid)) {
        c.notNull = true;
        if (!d_.uuidDefault.isEmpty())
            c.defaultValue = d_.uuidDefault;
        else
            t.notes << QStringLiteral("Column %1 is a GUID AutoNumber; this server has no UUID generator")
                           .arg(column.name);
    }
    if (!column.defaultValue.isEmpty() && c.defaultValue.isEmpty()) {
        if (const auto literal = literalDefault(d_, c.jetType, c.type, column.defaultValue))
            c.defaultValue = *literal;
        else if (const auto expression = expressionDefault(d_, c, column.defaultValue);
                 const auto* sql = std::get_if<QString>(&expression))
            c.defaultValue = *sql;
        else
            t.notes << QStringLiteral("Column %1 has the Access default %2, not written: %3")
                           .arg(column.name, column.defaultValue,
                                std::get<DefaultRefused>(expression).reason);
    }
    if (c.defaultValue.isEmpty() && c.jetType == int(JetType::Boolean))
        c.defaultValue = d_.falseLiteral; // Access stores No in a Yes/No column that is not given a value
    return c;
}

// The columns of an index, or the reason it cannot be written.
std::optional<KeyPlan> Planner::keyPlan(const TablePlan& t, const IndexDefinition& index,
                                        QString& reason) const {
    KeyPlan k;
    k.index = &index;
    k.unique = index.unique || index.primaryKey;
    if (index.columns.isEmpty()) {
        reason = QStringLiteral("its columns are not known");
        return std::nullopt;
    }
    k.columnNames.reserve(index.columns.size());
    k.keyParts.reserve(index.columns.size());
    for (const IndexColumn& ic : index.columns) {
        const ColumnPlan* c = t.find(ic.name);
        if (!c || !c->written) {
            reason = QStringLiteral("its column %1 is not in the script").arg(ic.name);
            return std::nullopt;
        }
        if (!d_.longValueKeys && c->type.longValue) {
            reason = QStringLiteral("its column %1 is too long to be a key").arg(ic.name);
            return std::nullopt;
        }
        k.columnNames << c->column->name;
        QString part = q(c->name);
        if (ic.descending && !index.primaryKey)
            part += QLatin1String(" DESC");
        k.keyParts << std::move(part);
    }
    return k;
}

void Planner::keys(TablePlan& t) {
    NameAllocator tableNames(d_.nameLimit, d_.limitInBytes,
                             d_.databaseWideIndexNames ? 0 : t.table->indexes.size() + 1);
    if (!d_.reservedIndexName.isEmpty())
        tableNames.reserve(d_.reservedIndexName);
    // Names shared with the whole database are given once every table is named (nameIndexes).
    for (const IndexDefinition& index : t.table->indexes) {
        QString reason;
        if (index.primaryKey) {
            if (!options_.CreatePrimaryKey)
                continue;
            if (auto k = keyPlan(t, index, reason)) {
                t.primaryKey = *k;
                for (const QString& name : k->columnNames)
                    t.find(name)->notNull = true;
            } else {
                t.notes << QStringLiteral("Primary key %1 not written: %2").arg(index.name, reason);
            }
            continue;
        }
        if (!options_.CreateIndexes)
            continue;
        if (auto k = keyPlan(t, index, reason)) {
            if (!d_.databaseWideIndexNames) {
                k->name = tableNames.allocate(keptName(d_, index.name));
                if (keptName(d_, index.name) != index.name)
                    t.indexNotes << renamed(d_, QStringLiteral("Index"), index.name, k->name);
            }
            t.indexes << std::move(*k);
        } else {
            t.indexNotes << QStringLiteral("Index %1 not written: %2").arg(index.name, reason);
        }
    }
}

// An AutoNumber needs a key where the server numbers only keys; without one it stays a plain integer.
// The server numbers only a column that begins a key of CREATE TABLE itself: the primary key, else an index
// that begins with the column goes into CREATE TABLE (the unique one first), else the column gets a KEY of
// its own, so that its AutoNumbers are kept whatever the table's keys.
void Planner::keyInTable(TablePlan& t, const ColumnPlan& c) {
    if (t.primaryKey && sameName(t.primaryKey->columnNames.first(), c.column->name))
        return;
    KeyPlan* found = nullptr;
    for (KeyPlan& k : t.indexes)
        if (sameName(k.columnNames.first(), c.column->name) && (!found || (k.unique && !found->unique)))
            found = &k;
    if (found) {
        found->inTable = true;
        return;
    }
    KeyPlan key;
    key.columnNames << c.column->name;
    key.keyParts << q(c.name);
    key.inTable = true;
    t.indexes << key;
    t.notes << QStringLiteral("Column %1 is an AutoNumber without an index; %2 numbers only a key column: it "
                              "gets a KEY of its own")
                   .arg(c.column->name, d_.scriptType);
}

void Planner::autoNumbers(TablePlan& t) {
    for (ColumnPlan& c : t.columns) {
        if (!c.written || !c.identity)
            continue;
        switch (d_.autoNumbering) {
        case AutoNumbering::Clause:
            break;
        case AutoNumbering::KeyedClause:
            keyInTable(t, c);
            break;
        case AutoNumbering::IntegerPrimaryKey:
            c.identity = false;
            if (t.primaryKey && t.primaryKey->columnNames.size() == 1 &&
                sameName(t.primaryKey->columnNames.first(), c.column->name)) {
                c.inlineKey = true;
                c.type.text = QStringLiteral("INTEGER");
            } else {
                t.notes << QStringLiteral("Column %1 is an AutoNumber; %2 numbers only a one-column integer "
                                          "primary key")
                               .arg(c.column->name, d_.scriptType);
            }
            break;
        }
    }
}
