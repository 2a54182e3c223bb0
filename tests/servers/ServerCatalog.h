#pragma once
// What a database server says it holds after a script was loaded, read from its own catalog and put in one
// shape for every server: tables with their columns in order, the primary key, the other indexes and the
// foreign keys. Types are the server's own spelling, in lower case.

#include <QList>
#include <QString>
#include <QStringList>

// Named apart from the sync's CatalogColumn (SyncStatements.h), which the server tests link beside it: one
// name for two types would leave one of their inline destructors for both.
struct CatalogTableColumn {
    QString name;
    QString type;
    bool notNull = false;
    bool operator==(const CatalogTableColumn&) const = default;
};

struct CatalogIndex {
    QString name;
    QStringList columns; // "name" or "name DESC", in key order
    bool unique = false;
};

struct CatalogForeignKey {
    QString name;
    QStringList columns;
    QString referencedTable;
    QStringList referencedColumns;
    QString onUpdate; // "CASCADE", "SET NULL" or "NO ACTION" (RESTRICT is reported as NO ACTION)
    QString onDelete;
};

struct CatalogTable {
    QString name;
    QList<CatalogTableColumn> columns;
    QStringList primaryKey;
    QList<CatalogIndex> indexes; // the primary key's own index left out
    QList<CatalogForeignKey> foreignKeys;
};

using Catalog = QList<CatalogTable>; // sorted by table name

// The table of that name, added at the end when the catalog does not hold it yet.
inline CatalogTable& catalogTable(Catalog& tables, const QString& name) {
    for (CatalogTable& table : tables)
        if (table.name == name)
            return table;
    tables.append(CatalogTable{name, {}, {}, {}, {}});
    return tables.last();
}
