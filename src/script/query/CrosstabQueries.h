#pragma once
// A crosstab query (TRANSFORM value SELECT ... GROUP BY ... PIVOT pivot [IN (...)]) as a grouped SELECT that
// the translation writes as any other: the row headings, then one column per heading, each the value's
// aggregate over the rows whose pivot is that heading (a CASE inside the aggregate), named by the heading.
// The headings are the query's fixed ones where it gives them; otherwise the distinct values of the pivot
// column, read from the file's rows when the script is written, so that the view's columns are a snapshot.

#include "AccessSqlTree.h"
#include "SavedQuery.h"

#include <QHash>
#include <variant>

struct ScriptPlan;
class SchemaReader;

// The headings of a crosstab without fixed ones, as read from the rows.
struct CrosstabHeadings {
    std::vector<Expr>
        values;     // literals in Access's order; a Null literal heads the pivot's Null values ("<>")
    QString source; // where they were read, as "Table.Column"
    QString reason; // not empty: they could not be read, and why
};

// By query name: the read headings of every visible crosstab query without fixed headings.
using CrosstabSnapshots = QHash<QString, CrosstabHeadings>;

CrosstabSnapshots readCrosstabHeadings(const SavedQueries& queries, const ScriptPlan& plan,
                                       SchemaReader& reader, const QString& path);

struct CrosstabSelect {
    AccessQuery select; // the grouped SELECT, without a crosstab part
    QString note;       // a comment for the view: where its column headings come from
};

// The crosstab as a grouped SELECT, or why it cannot be one. read: the query's entry in the snapshots, if
// any.
std::variant<QString, CrosstabSelect> crosstabSelect(const AccessQuery& query, const CrosstabHeadings* read);
