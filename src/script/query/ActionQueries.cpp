#include "ActionQueries.h"

namespace {

// The SELECT of an append or make-table query, as a query of its own.
std::variant<NotTranslated, TranslatedQuery>
translatedSelect(const AccessQuery& query, const TargetDialect& d, const QuerySchema& schema) {
    AccessQuery select = query;
    select.action.reset();
    return translateQuery(select, d, schema);
}

const QString CRLF = QStringLiteral("\r\n");

bool sameName(const QString& a, const QString& b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

NotTranslated no(const QString& reason) {
    return NotTranslated{reason, QString()};
}

const TablePlan* writtenTable(const QuerySchema& schema, const QString& name) {
    for (const TablePlan& t : schema.plan->tables)
        if (t.written && sameName(t.table->name, name))
            return &t;
    return nullptr;
}

const ColumnPlan* writtenColumn(const TablePlan& table, const QString& name) {
    for (const ColumnPlan& c : table.columns)
        if (c.written && sameName(c.column->name, name))
            return &c;
    return nullptr;
}

bool oneTable(const ActionQuery& action) {
    return action.from.size() == 1 && !action.from.front().join;
}

// The tables of inner joins and of commas, in order, with the joins' conditions; false for an outer join.
bool innerSources(const Source& s, std::vector<Source>& tables, std::vector<Expr>& conditions) {
    if (!s.join) {
        tables.push_back(s);
        return true;
    }
    if (s.kind != JoinKind::Inner)
        return false;
    conditions.push_back(s.on.front());
    return innerSources(s.sides[0], tables, conditions) && innerSources(s.sides[1], tables, conditions);
}

// PostgreSQL's UPDATE of one table of several: the others in a FROM of its own, the joins' conditions in its
// WHERE, every column set one of the first table.
std::variant<NotTranslated, QString> updateFrom(const ActionQuery& action, const TargetDialect& d,
                                                const QuerySchema& schema) {
    std::vector<Source> tables;
    std::vector<Expr> conditions;
    for (const Source& s : action.from)
        if (!innerSources(s, tables, conditions))
            return no(QStringLiteral("an UPDATE of an outer join"));
    std::vector<Expr> values;
    for (const Assignment& a : action.set) {
        values.push_back(a.column);
        values.push_back(a.value);
    }
    values.insert(values.end(), conditions.begin(), conditions.end());
    const auto clauses = translateClauses(action.from, values, action.where, d, schema);
    if (const auto* failure = std::get_if<NotTranslated>(&clauses))
        return *failure;
    const TranslatedClauses& c = std::get<TranslatedClauses>(clauses);
    QStringList sources;
    for (const Source& table : tables) {
        const auto one = translateClauses({table}, {}, std::nullopt, d, schema);
        if (const auto* failure = std::get_if<NotTranslated>(&one))
            return *failure;
        sources << std::get<TranslatedClauses>(one).from;
    }
    const QString ref =
        (tables.front().alias.isEmpty() ? sources.front() : quoteName(d, tables.front().alias)) +
        QLatin1Char('.');
    QStringList set;
    const qsizetype assigned = 2 * qsizetype(action.set.size());
    for (qsizetype i = 0; i < assigned; i += 2) {
        if (!c.values[i].startsWith(ref))
            return no(QStringLiteral("an UPDATE of columns of more than one of its tables"));
        set << c.values[i].mid(ref.size()) + QStringLiteral(" = ") + c.values[i + 1];
    }
    QStringList where = c.values.mid(assigned);
    if (!c.where.isEmpty())
        where << c.where;
    for (QString& w : where)
        w = QLatin1Char('(') + w + QLatin1Char(')');
    const QString updated = sources.takeFirst();
    return QStringLiteral("UPDATE ") + updated + CRLF + QStringLiteral("SET ") +
           set.join(QStringLiteral(", ")) + CRLF + QStringLiteral("FROM ") +
           sources.join(QStringLiteral(", ")) +
           (where.isEmpty() ? QString()
                            : CRLF + QStringLiteral("WHERE ") + where.join(QStringLiteral(" AND ")));
}

std::variant<NotTranslated, QString> update(const ActionQuery& action, const TargetDialect& d,
                                            const QuerySchema& schema) {
    // PostgreSQL names the other tables of a joined UPDATE in a FROM of its own; MySQL takes Access's form.
    if (d.routines->updateFrom && !oneTable(action))
        return updateFrom(action, d, schema);
    std::vector<Expr> values;
    for (const Assignment& a : action.set) {
        values.push_back(a.column);
        values.push_back(a.value);
    }
    const auto clauses = translateClauses(action.from, values, action.where, d, schema);
    if (const auto* failure = std::get_if<NotTranslated>(&clauses))
        return *failure;
    const TranslatedClauses& c = std::get<TranslatedClauses>(clauses);
    QStringList set;
    for (qsizetype i = 0; i + 1 < c.values.size(); i += 2) {
        for (const QueryParameter& p : schema.parameters)
            if (p.sql == c.values[i])
                return no(QStringLiteral("sets %1, which is not a column").arg(p.accessName));
        set << c.values[i] + QStringLiteral(" = ") + c.values[i + 1];
    }
    return QStringLiteral("UPDATE ") + c.from + CRLF + QStringLiteral("SET ") +
           set.join(QStringLiteral(", ")) +
           (c.where.isEmpty() ? QString() : CRLF + QStringLiteral("WHERE ") + c.where);
}

std::variant<NotTranslated, QString> deletion(const ActionQuery& action, const TargetDialect& d,
                                              const QuerySchema& schema) {
    if (!oneTable(action))
        return no(QStringLiteral("a DELETE from more than one table"));
    const auto clauses = translateClauses(action.from, {}, action.where, d, schema);
    if (const auto* failure = std::get_if<NotTranslated>(&clauses))
        return *failure;
    const TranslatedClauses& c = std::get<TranslatedClauses>(clauses);
    // MariaDB takes an alias of the table only in the form that names the table to delete from.
    const QString& alias = action.from.front().alias;
    const QString target = d.routines->deleteNamesAlias && !alias.isEmpty()
                               ? QStringLiteral("DELETE %1 FROM ").arg(quoteName(d, alias))
                               : QStringLiteral("DELETE FROM ");
    return target + c.from + (c.where.isEmpty() ? QString() : CRLF + QStringLiteral("WHERE ") + c.where);
}

std::variant<NotTranslated, QString> append(const AccessQuery& query, const TargetDialect& d,
                                            const QuerySchema& schema) {
    const ActionQuery& action = *query.action;
    const TablePlan* table = writtenTable(schema, action.table);
    if (!table)
        return no(QStringLiteral("appends to %1, which this script does not write").arg(action.table));
    QStringList names = action.columns;
    QString rows;
    if (!action.values.empty()) {
        const auto clauses = translateClauses({}, action.values.front(), std::nullopt, d, schema);
        if (const auto* failure = std::get_if<NotTranslated>(&clauses))
            return *failure;
        rows = QStringLiteral("VALUES (") +
               std::get<TranslatedClauses>(clauses).values.join(QStringLiteral(", ")) + QLatin1Char(')');
        if (names.isEmpty()) // the values of every column, in order
            for (const ColumnPlan& c : table->columns) {
                if (!c.written)
                    return no(QStringLiteral(
                                  "appends to every column of %1, which this script does not write whole")
                                  .arg(action.table));
                names << c.column->name;
            }
    } else {
        const auto select = translatedSelect(query, d, schema);
        if (const auto* failure = std::get_if<NotTranslated>(&select))
            return *failure;
        const TranslatedQuery& s = std::get<TranslatedQuery>(select);
        rows = s.select;
        if (names.isEmpty()) // each column to the column of its name
            for (const ViewColumn& c : s.columns)
                names << c.accessName;
        if (names.size() != s.columns.size())
            return no(QStringLiteral("appends %1 columns to %2").arg(s.columns.size()).arg(names.size()));
    }
    QStringList columns;
    for (const QString& name : names) {
        const ColumnPlan* c = writtenColumn(*table, name);
        if (!c)
            return no(
                QStringLiteral("appends to %1.%2, which this script does not write").arg(action.table, name));
        columns << quoteName(d, c->name);
    }
    return QStringLiteral("INSERT INTO %1 (%2)")
               .arg(quoteName(d, table->name), columns.join(QStringLiteral(", "))) +
           CRLF + rows;
}

std::variant<NotTranslated, QString> makeTable(const AccessQuery& query, const TargetDialect& d,
                                               const QuerySchema& schema) {
    const auto select = translatedSelect(query, d, schema);
    if (const auto* failure = std::get_if<NotTranslated>(&select))
        return *failure;
    const TablePlan* existing = writtenTable(schema, query.action->table);
    const QString table = quoteName(d, existing ? existing->name : keptName(d, query.action->table));
    // Access replaces the table; MySQL's procedure holds one statement, so there it must not exist yet.
    return (d.routines->makeTableDrops ? QStringLiteral("DROP TABLE IF EXISTS %1;").arg(table) + CRLF
                                       : QString()) +
           QStringLiteral("CREATE TABLE %1 AS").arg(table) + CRLF + std::get<TranslatedQuery>(select).select;
}

} // namespace

std::variant<NotTranslated, QString> actionStatement(const AccessQuery& query, const TargetDialect& dialect,
                                                     const QuerySchema& schema) {
    const ActionQuery& action = *query.action;
    switch (action.kind) {
    case ActionKind::Update:
        return update(action, dialect, schema);
    case ActionKind::Delete:
        return deletion(action, dialect, schema);
    case ActionKind::Append:
        return append(query, dialect, schema);
    case ActionKind::MakeTable:
        return makeTable(query, dialect, schema);
    }
    return no(QStringLiteral("action query"));
}
