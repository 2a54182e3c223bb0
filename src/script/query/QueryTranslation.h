#pragma once
// A SELECT or UNION query's tree (AccessSqlTree.h) written as the SELECT of a view in one server's SQL,
// against the schema the same script creates: every table, query and column named as the script names it,
// whatever its case in the query. What the server would answer otherwise than Access does, or what Access
// alone can answer (parameters, form fields, VBA and domain functions), is not translated: the answer says
// why instead.

#include "AccessSqlTree.h"
#include "ScriptPlan.h"
#include "TargetDialect.h"

#include <QList>
#include <variant>

// What the translation knows of a value's type, enough to choose the server's operators and functions.
enum class ValueType { Unknown, Boolean, Integer, Exact, Float, Text, Date, Other };

struct ViewColumn {
    QString accessName; // as the query's output names it
    QString name;       // in the script
    ValueType type = ValueType::Unknown;
    bool notNull = false;
    bool exactText = false; // an exact number the server keeps as its text (SQLite's Currency with rows)
};

// A saved query already made a view, which later queries may read as they read a table.
struct KnownView {
    QString accessName;
    QString name; // in the script
    QList<ViewColumn> columns;
};

// A value the caller of a routine gives: a parameter of the query, or a form's control it reads.
struct QueryParameter {
    QString accessName; // as the query names it: "Start Date"; a form's control: "Forms!Orders!CustomerID"
    QString sql;        // the argument, as the routine's body refers to it
    ValueType type = ValueType::Text;
};

struct QuerySchema {
    const ScriptPlan* plan = nullptr;
    QList<KnownView> views;
    QStringList queryNames; // every saved query of the database
    // The arguments of the routine being written: a name that is no column is one of these. Empty: a view,
    // which has none, and a query with parameters is not translated.
    QList<QueryParameter> parameters;
};

struct TranslatedQuery {
    QString select; // lines joined by CR LF, without a closing ";"
    QList<ViewColumn> columns;
};

struct NotTranslated {
    QString reason;
    QString waitsFor; // a saved query it reads that is not (yet) among the views
};

std::variant<NotTranslated, TranslatedQuery>
translateQuery(const AccessQuery& query, const TargetDialect& dialect, const QuerySchema& schema);

// The parts of an action query (AccessSqlTree.h's ActionQuery), each translated against the tables of its
// FROM: a column of one table is written without its table's name.
struct TranslatedClauses {
    QString from;       // the sources, as FROM writes them
    QStringList values; // each expression given, in order
    QString where;      // the condition; empty: none
};

std::variant<NotTranslated, TranslatedClauses>
translateClauses(const std::vector<Source>& from, const std::vector<Expr>& values,
                 const std::optional<Expr>& where, const TargetDialect& dialect, const QuerySchema& schema);
