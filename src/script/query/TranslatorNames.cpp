#include "Translator.h"

namespace querytranslation {

// The sources of a FROM clause, into scopes_, in the order they are written.
void Translator::collect(const Source& s) {
    if (s.join) {
        for (const Source& side : s.sides)
            collect(side);
        return;
    }
    Scope scope;
    scope.accessName = s.name;
    scope.alias = s.alias;
    QString name;
    for (const TablePlan& t : schema_.plan->tables) {
        if (!sameName(t.table->name, s.name))
            continue;
        if (!t.written) {
            fail(QStringLiteral("reads the table %1, which this script does not write").arg(s.name));
            return;
        }
        scope.table = &t;
        name = t.name;
        for (const ColumnPlan& c : t.columns)
            if (c.written)
                scope.columns.append(
                    {c.column->name, c.name, typeOf(c.type.form), c.notNull,
                     c.type.form == ValueForm::Exact && c.type.text == QLatin1String("TEXT")});
    }
    if (!scope.table) {
        const KnownView* view = nullptr;
        for (const KnownView& v : schema_.views)
            if (sameName(v.accessName, s.name))
                view = &v;
        if (!view) {
            for (const QString& query : schema_.queryNames)
                if (sameName(query, s.name)) {
                    waitsFor_ = query;
                    fail(QStringLiteral("reads the query %1, which is not a view here").arg(query));
                    return;
                }
            fail(QStringLiteral("reads %1, which is neither a table nor a query of this script").arg(s.name));
            return;
        }
        name = view->name;
        scope.columns = view->columns;
    }
    for (const Scope& other : scopes_)
        if (sameName(other.written(), scope.written()))
            fail(QStringLiteral("%1 twice in FROM without an alias of its own").arg(s.name));
    scope.ref = q(s.alias.isEmpty() ? name : s.alias);
    scopes_.push_back(scope);
    sourceTexts_ << q(name) + (s.alias.isEmpty() ? QString() : QStringLiteral(" AS ") + q(s.alias));
}

QString Translator::fromText(const Source& s, int& next) {
    if (!s.join)
        return sourceTexts_.value(next++);
    const auto side = [&](const Source& x) {
        const QString text = fromText(x, next);
        return x.join ? QLatin1Char('(') + text + QLatin1Char(')') : text;
    };
    const QString left = side(s.sides[0]);
    const QString right = side(s.sides[1]);
    const char* kind = s.kind == JoinKind::Inner  ? " INNER JOIN "
                       : s.kind == JoinKind::Left ? " LEFT JOIN "
                                                  : " RIGHT JOIN ";
    return left + QLatin1String(kind) + right + QStringLiteral(" ON ") + condition(s.on[0]).text;
}

// A column as an operand; rawColumn_ keeps it as it is, for the SELECT list.
Sql Translator::column(int scope, const ViewColumn& c) {
    used_.insert(scope);
    lastScope_ = scope;
    lastColumn_ = c;
    rawColumn_ = scopes_.size() > 1 ? scopes_[scope].ref + QLatin1Char('.') + q(c.name) : q(c.name);
    // An exact number kept as text is compared and computed with as the number the server makes of it.
    return simpleSql(c.exactText ? QStringLiteral("CAST(%1 AS NUMERIC)").arg(rawColumn_) : rawColumn_, c.type,
                     c.notNull);
}

// A column of an enclosing query's tables, for a subquery that refers to it: always qualified.
bool Translator::outerColumn(const Expr& e, Sql& sql) const {
    const auto found = [&](int scope, const ViewColumn& c) {
        const QString ref = scopes_[scope].ref + QLatin1Char('.') + quoteName(d_, c.name);
        sql =
            simpleSql(c.exactText ? QStringLiteral("CAST(%1 AS NUMERIC)").arg(ref) : ref, c.type, c.notNull);
        return true;
    };
    if (e.parts.size() == 2) {
        const int scope = findScope(e.parts[0]);
        if (scope >= 0)
            for (const ViewColumn& c : scopes_[scope].columns)
                if (sameName(c.accessName, e.parts[1]))
                    return found(scope, c);
    } else {
        int matches = 0;
        int scope = -1;
        ViewColumn match;
        for (int i = 0; i < int(scopes_.size()); ++i)
            for (const ViewColumn& c : scopes_[i].columns)
                if (sameName(c.accessName, e.parts[0])) {
                    ++matches;
                    scope = i;
                    match = c;
                }
        if (matches == 1)
            return found(scope, match);
    }
    return outer_ && outer_->outerColumn(e, sql);
}

int Translator::findScope(const QString& name) const {
    for (int i = 0; i < int(scopes_.size()); ++i)
        if (sameName(scopes_[i].written(), name))
            return i;
    return -1;
}

Sql Translator::name(const Expr& e) {
    lastScope_ = -1;
    const QString written = e.parts.join(e.bang ? QStringLiteral("!") : QStringLiteral("."));
    if (sameName(e.parts.first(), QStringLiteral("Forms")) ||
        sameName(e.parts.first(), QStringLiteral("Reports"))) {
        if (Sql argument; parameter(e.parts.join(QStringLiteral("!")), argument))
            return argument;
        fail(QStringLiteral("refers to the form field %1").arg(e.parts.join(QStringLiteral("!"))));
        return {};
    }
    if (e.bang || e.parts.size() > 2 || e.parts.last() == QLatin1String("*")) {
        fail(QStringLiteral("refers to %1").arg(written));
        return {};
    }
    if (e.parts.size() == 2) {
        const int scope = findScope(e.parts[0]);
        Sql outside;
        if (scope < 0 && outer_ && outer_->outerColumn(e, outside))
            return outside;
        if (scope < 0) {
            fail(QStringLiteral("refers to %1, whose table is not in its FROM").arg(written));
            return {};
        }
        for (const ViewColumn& c : scopes_[scope].columns)
            if (sameName(c.accessName, e.parts[1]))
                return column(scope, c);
        if (Sql argument; parameter(written, argument))
            return argument;
        fail(QStringLiteral("asks for the parameter [%1]").arg(written));
        return {};
    }
    int found = -1;
    ViewColumn match;
    for (int i = 0; i < int(scopes_.size()); ++i)
        for (const ViewColumn& c : scopes_[i].columns)
            if (sameName(c.accessName, e.parts[0])) {
                if (found >= 0) {
                    fail(
                        QStringLiteral("refers to %1, a column of more than one of its tables").arg(written));
                    return {};
                }
                found = i;
                match = c;
            }
    if (found >= 0)
        return column(found, match);
    Sql outside;
    if (outer_ && outer_->outerColumn(e, outside))
        return outside;
    // Access lets an expression use an alias of the SELECT list, before or after the item that defines it;
    // SQL does not: the aliased expression stands in its place. An alias reached again through its own
    // expression is circular, which Access asks for as a parameter.
    for (int i = 0; aliases_ && i < int(items_->size()); ++i) {
        const SelectItem& item = (*items_)[i];
        if (item.alias.isEmpty() || !sameName(item.alias, e.parts[0]))
            continue;
        if (expanding_.contains(i))
            break;
        expanding_.append(i);
        Sql sql = expr(item.expr);
        expanding_.removeLast();
        lastScope_ = -1;
        return sql;
    }
    if (Sql argument; parameter(written, argument))
        return argument;
    fail(QStringLiteral("asks for the parameter [%1]").arg(written));
    return {};
}

bool Translator::parameter(const QString& written, Sql& sql) const {
    for (const QueryParameter& p : schema_.parameters)
        if (sameName(p.accessName, written)) {
            sql = simpleSql(p.sql, p.type, false);
            return true;
        }
    return false;
}

} // namespace querytranslation
