#pragma once
// The saved queries of a database, as Access shows them in SQL view: the query's name, its kind, and its
// Access SQL rebuilt from the rows of MSysQueries.

#include <QList>
#include <QString>

// The kinds of saved query, named as Access names them.
enum class QueryKind : int {
    Select = 0,
    Union,
    CrossTab,
    Append,
    Update,
    Delete,
    MakeTable,
    DataDefinition,
    PassThrough,
};

struct SavedQuery {
    QString name;
    QueryKind kind = QueryKind::Select;
    QString sql;         // the Access SQL, ending in ";", as Access shows it
    bool hidden = false; // the queries forms and reports keep for themselves ("~sq_..."), or marked hidden
    bool operator==(const SavedQuery&) const = default;
};

using SavedQueries = QList<SavedQuery>;
