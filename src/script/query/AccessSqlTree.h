#pragma once
// A saved query's Access SQL as a tree of plain values: the parser (AccessSqlParser.h) makes it, the
// translation (QueryTranslation.h) writes it out in a server's SQL. Names keep the spelling the query gives
// them; nothing here knows the schema.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

enum class ExprKind {
    Number,  // text: the digits as written ("12", "1.5", "2E3")
    Text,    // text: the string's value, quotes undone
    Date,    // text: what stands between the #s
    Boolean, // truth: True, Yes, On / False, No, Off
    Null,
    Name,    // parts: "Orders", "ID"; a last part "*" for Orders.*; bang: a part came after "!"
    Star,    // a lone *, as in Count(*) or SELECT *
    Unary,   // text: "-", "+", "NOT"; args: the operand
    Binary,  // text: the operator in capitals ("+", "&", "MOD", "\\", "AND", "LIKE", "<>"); args: both sides
    Between, // args: the value, the low and the high end; negated: NOT BETWEEN
    In,      // args: the value, then the list; negated: NOT IN
    IsNull,  // args: the value; negated: IS NOT NULL
    Call,    // text: the function's name as written; args: its arguments
    Subquery // a SELECT in parentheses: a value, or with text "EXISTS" a condition
};

struct SelectQuery;

struct Expr {
    ExprKind kind = ExprKind::Null;
    QString text;
    QStringList parts;
    bool truth = false;
    bool bang = false;
    bool negated = false;
    std::vector<Expr> args;
    std::vector<SelectQuery> subquery; // Subquery, and In over a subquery: the one SELECT
};

struct SelectItem {
    Expr expr;
    QString alias; // empty: none given
};

struct OrderItem {
    Expr expr;
    bool descending = false;
};

enum class JoinKind { Inner, Left, Right };

// One source of a FROM clause: a table or query by name, or a join of two sources.
struct Source {
    bool join = false;
    QString name;  // a table or saved query
    QString alias; // empty: none given
    JoinKind kind = JoinKind::Inner;
    std::vector<Source> sides; // a join's left and right source
    std::vector<Expr> on;      // a join's condition
};

struct SelectQuery {
    bool distinct = false;
    bool distinctRow = false;
    QString top; // TOP n: n as written; empty: none
    bool topPercent = false;
    std::vector<SelectItem> items;
    std::vector<Source> from; // the comma-separated sources
    std::optional<Expr> where;
    std::vector<Expr> groupBy;
    std::optional<Expr> having;
    std::vector<OrderItem> orderBy;
};

// What an action query does, beside the SELECT of an append or make-table query (AccessQuery::selects).
enum class ActionKind { Update, Delete, Append, MakeTable };

struct Assignment {
    Expr column; // a Name
    Expr value;
};

struct ActionQuery {
    ActionKind kind = ActionKind::Update;
    QString table;                         // Append, MakeTable: the table written to
    QStringList columns;                   // Append: the columns named, in order; empty: none named
    std::vector<std::vector<Expr>> values; // Append ... VALUES: the one row of values
    std::vector<Source> from;              // Update: its tables; Delete: its FROM
    std::vector<Assignment> set;           // Update
    std::optional<Expr> where;             // Update, Delete
};

// What a crosstab adds to its SELECT: TRANSFORM value ... PIVOT pivot [IN (headings)].
struct Crosstab {
    Expr value;                 // the aggregate each cell holds
    QString alias;              // its AS name, which names no column of the result
    Expr pivot;                 // whose values head the columns
    std::vector<Expr> headings; // the fixed column headings of IN (...); empty: none given
};

struct AccessQuery {
    QStringList parameters;           // PARAMETERS declarations as written
    std::vector<SelectQuery> selects; // more than one: a union
    std::vector<bool> unionAll;       // between selects[i] and selects[i + 1]: UNION ALL
    std::vector<OrderItem> orderBy;   // of a union as a whole (the last SELECT's ORDER BY)

    std::optional<ActionQuery> action; // an action query; selects: its append's or make-table's SELECT
    std::optional<Crosstab> crosstab;  // TRANSFORM ... PIVOT around the one SELECT
};
