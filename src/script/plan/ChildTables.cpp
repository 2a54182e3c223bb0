// The tables of attachment, multi-valued and version history columns. Access keeps their values in a hidden
// table each, linked to the parent's row by a number the row holds; the script writes a child table in its
// place: the parent's primary key, then the values (for attachments the file's name, type and bytes), with a
// foreign key to the parent. Without a primary key of the parent in the script, no row of the child could be
// told whose it is: the column is then left out, and the script says why.
#include "Planner.h"

#include <algorithm>

namespace {

QString kindOf(ComplexType type) {
    switch (type) {
    case ComplexType::Attachment:
        return QStringLiteral("an attachment column");
    case ComplexType::VersionHistory:
        return QStringLiteral("the version history of a Memo column");
    default:
        return QStringLiteral("a multi-valued column");
    }
}

int columnNamed(const QList<ColumnDefinition>& columns, const QString& name) {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// The storage table's column with the parent row's number: the Long named "_" and the column's name, else
// the one Long that is not the table's AutoNumber.
int linkColumn(const StorageTable& storage, const QString& column) {
    const int named = columnNamed(storage.columns, QLatin1Char('_') + column);
    if (named >= 0 && storage.columns[named].jetType == int(JetType::Long))
        return named;
    for (int i = 0; i < storage.columns.size(); ++i)
        if (storage.columns[i].jetType == int(JetType::Long) && !storage.columns[i].autoNumber)
            return i;
    return -1;
}

// The storage table's columns the child keeps, in order: an attachment's file name, type and bytes; every
// value column of the others (all but the link and the table's own AutoNumber).
QList<int> valueColumns(const StorageTable& storage, ComplexType type, int link) {
    QList<int> values;
    if (type == ComplexType::Attachment) {
        for (const char* name : {"FileName", "FileType", "FileData"}) {
            const int i = columnNamed(storage.columns, QLatin1String(name));
            if (i < 0)
                return {};
            values << i;
        }
        return values;
    }
    for (int i = 0; i < storage.columns.size(); ++i)
        if (i != link && !storage.columns[i].autoNumber)
            values << i;
    return values;
}

} // namespace

void Planner::childTables(TablePlan& t) {
    for (int i = 0; i < t.columns.size(); ++i) {
        const ColumnDefinition& column = *t.columns[i].column;
        if (column.complexType == ComplexType::None && column.jetType != int(JetType::Complex))
            continue;
        QString reason;
        if (!childTable(t, i, reason))
            t.notes << QStringLiteral("Column %1 is %2; its data lives in hidden tables: not written, %3")
                           .arg(column.name, kindOf(column.complexType), reason);
    }
}

bool Planner::childTable(TablePlan& t, int column, QString& reason) {
    const ColumnDefinition& complex = *t.columns[column].column;
    const TableDefinition& parent = *t.table;
    const auto storage = std::find_if(parent.storageTables.cbegin(), parent.storageTables.cend(),
                                      [&](const StorageTable& s) { return s.name == complex.storageTable; });
    if (complex.storageTable.isEmpty() || storage == parent.storageTables.cend()) {
        reason = QStringLiteral("as the table that holds them could not be read");
        return false;
    }
    if (!t.primaryKey) {
        reason = QStringLiteral("as the table has no primary key in the script to link them to its rows");
        t.leftOutValues << LeftOutValues{.column = complex.name, .storageTable = storage->name};
        return false;
    }
    ChildRows rows;
    rows.storageTable = storage->name;
    rows.parentColumn = column;
    rows.link = linkColumn(*storage, complex.name);
    rows.values = valueColumns(*storage, complex.complexType, rows.link);
    if (rows.link < 0 || rows.values.isEmpty()) {
        reason = QStringLiteral("as the table that holds them is not laid out as Access lays it out");
        return false;
    }

    TableDefinition child;
    child.name = parent.name + QLatin1Char('_') + complex.name;
    for (const QString& key : t.primaryKey->columnNames) {
        const ColumnPlan* c = t.find(key);
        rows.parentKey << int(c - t.columns.data());
        ColumnDefinition keyColumn = *c->column;
        keyColumn.autoNumber = false;
        keyColumn.guidAutoNumber = false;
        keyColumn.required = true;
        keyColumn.defaultValue.clear();
        keyColumn.description.clear();
        child.columns << keyColumn;
    }
    for (int i : rows.values) {
        ColumnDefinition value = storage->columns[i];
        value.autoNumber = false;
        value.guidAutoNumber = false;
        value.defaultValue.clear();
        // Access names the values of a multi-valued column "value"; a version history's column has the
        // name of the Memo column it keeps the history of.
        child.columns << value;
    }
    if (complex.complexType == ComplexType::Attachment)
        rows.attachmentData = int(child.columns.size()) - 1;
    plan_.definitions.push_back(std::move(child));

    TablePlan c;
    c.table = &plan_.definitions.back();
    c.name = tableNames_.allocate(keptName(d_, c.table->name));
    globalNames_.reserve(c.name);
    constraintNames_.reserve(c.name);
    if (!columns(c)) {
        reason = QStringLiteral("as none of its values can be written here");
        return false;
    }
    for (int i = 0; i < rows.parentKey.size(); ++i)
        c.columns[i].notNull = true;
    c.written = true;
    if (d_.fitTable)
        d_.fitTable(d_, c);
    t.notes << QStringLiteral("Column %1 is %2: its values are in the table %3")
                   .arg(complex.name, kindOf(complex.complexType), c.name);
    c.notes << QStringLiteral("Table %1 holds the values of the column %2 of %3, a row for each value")
                   .arg(c.name, complex.name, parent.name);
    c.childRows = std::move(rows);
    t.children.push_back(std::move(c));
    return true;
}

// Each child table's foreign key to its parent, named after the child; a row's values go with the row.
void Planner::childForeignKeys() {
    for (TablePlan& t : plan_.tables) {
        for (TablePlan& c : t.children) {
            QStringList from;
            QStringList to;
            for (int i = 0; i < c.childRows->parentKey.size(); ++i) {
                from << q(c.columns[i].name);
                to << q(t.columns[c.childRows->parentKey[i]].name);
            }
            RelationshipPlan r;
            r.table = c.name;
            r.referenced = t.name;
            r.name = constraintNames_.allocate(keptName(d_, c.name + QStringLiteral("_fk")));
            r.clause = QStringLiteral("CONSTRAINT %1 FOREIGN KEY (%2) REFERENCES %3 (%4) ON DELETE CASCADE")
                           .arg(q(r.name), from.join(QStringLiteral(", ")), q(t.name),
                                to.join(QStringLiteral(", ")));
            r.inTable = d_.foreignKeysInTable;
            if (r.inTable)
                c.inlineForeignKeys << r.clause;
            plan_.relationships << r;
        }
    }
}
