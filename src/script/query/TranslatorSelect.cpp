#include "Translator.h"

#include "NameAllocator.h"

#include <algorithm>

namespace querytranslation {

// Whether ORDER BY gives every row a place of its own: it holds every column of the only table's primary
// key, so TOP n has no ties to add.
bool Translator::tiesImpossible(const SelectQuery& s) const {
    if (scopes_.size() != 1 || !scopes_[0].table)
        return false;
    for (const IndexDefinition& index : scopes_[0].table->table->indexes) {
        if (!index.primaryKey || index.columns.isEmpty())
            continue;
        for (const IndexColumn& k : index.columns) {
            bool ordered = false;
            for (const OrderItem& o : s.orderBy)
                ordered = ordered || (o.expr.kind == ExprKind::Name && o.expr.parts.size() <= 2 &&
                                      sameName(o.expr.parts.last(), k.name));
            if (!ordered)
                return false;
        }
        return true;
    }
    return false;
}

// DISTINCTROW gives each row of the tables it selects from once: nothing more where it selects from every
// table, DISTINCT where the columns selected hold the primary key of each table it selects from.
bool Translator::distinctRows(const QSet<int>& selected, const QList<Output>& outputs) const {
    for (int scope : selected) {
        const TablePlan* t = scopes_[scope].table;
        bool keyed = false;
        for (const IndexDefinition& index : t ? t->table->indexes : QList<IndexDefinition>()) {
            if (!index.primaryKey)
                continue;
            keyed = true;
            for (const IndexColumn& k : index.columns) {
                const ColumnPlan* c = t->find(k.name);
                bool chosen = false;
                for (const Output& o : outputs)
                    chosen = chosen || (c && o.scope == scope && o.columnName == c->name);
                keyed = keyed && chosen;
            }
        }
        if (!keyed)
            return false;
    }
    return true;
}

QStringList Translator::keyColumns(const QSet<int>& selected) const {
    QList<int> scopes(selected.cbegin(), selected.cend());
    std::sort(scopes.begin(), scopes.end());
    QStringList keys;
    for (int scope : scopes) {
        const TablePlan* t = scopes_[scope].table;
        const IndexDefinition* key = nullptr;
        for (const IndexDefinition& index : t ? t->table->indexes : QList<IndexDefinition>())
            if (index.primaryKey && !index.columns.isEmpty())
                key = &index;
        if (!key)
            return {};
        for (const IndexColumn& k : key->columns) {
            const ColumnPlan* c = t->find(k.name);
            if (!c || !c->written)
                return {};
            keys << (scopes_.size() > 1 ? scopes_[scope].ref + QLatin1Char('.') : QString()) + q(c->name);
        }
    }
    return keys;
}

QList<Output> Translator::outputs(const SelectQuery& s) {
    QList<Output> outputs;
    int expressions = 0;
    const auto expand = [&](int scope) {
        for (const ViewColumn& c : scopes_[scope].columns) {
            Output o;
            o.sql = column(scope, c);
            o.sql.text = rawColumn_;
            o.exactText = c.exactText;
            o.accessName = c.accessName;
            o.scope = scope;
            o.columnName = c.name;
            outputs << o;
        }
    };
    for (int i = 0; i < int(s.items.size()) && error_.isEmpty(); ++i) {
        const SelectItem& item = s.items[i];
        expanding_ = {i};
        if (item.expr.kind == ExprKind::Star) {
            for (int scope = 0; scope < int(scopes_.size()); ++scope)
                expand(scope);
            continue;
        }
        if (item.expr.kind == ExprKind::Name && item.expr.parts.size() == 2 &&
            item.expr.parts[1] == QLatin1String("*")) {
            const int scope = findScope(item.expr.parts[0]);
            if (scope < 0)
                fail(QStringLiteral("%1.*, whose table is not in its FROM").arg(item.expr.parts[0]));
            else
                expand(scope);
            continue;
        }
        Output o;
        o.sql = value(item.expr);
        if (item.expr.kind == ExprKind::Name && lastScope_ >= 0) {
            o.sql.text = rawColumn_;
            o.exactText = lastColumn_.exactText;
            o.scope = lastScope_;
            o.columnName = lastColumn_.name;
            o.accessName = lastColumn_.accessName;
        }
        if (!item.alias.isEmpty()) {
            o.accessName = item.alias;
            o.aliased = true;
        } else if (o.scope < 0) {
            o.accessName = QStringLiteral("Expr%1").arg(1000 + expressions++);
        }
        outputs << o;
    }
    expanding_.clear();
    // Two columns of one name (the IDs of two tables of a join) are named after their tables, as Access
    // names them.
    for (Output& o : outputs) {
        if (o.aliased || o.scope < 0)
            continue;
        int same = 0;
        for (const Output& other : outputs)
            same += sameName(other.accessName, o.accessName) ? 1 : 0;
        if (same > 1)
            o.accessName = scopes_[o.scope].written() + QLatin1Char('.') + o.accessName;
    }
    QSet<QString> seen;
    for (const Output& o : outputs)
        seen.insert(o.accessName.toLower());
    if (seen.size() != outputs.size())
        fail(QStringLiteral("two columns of the same name"));
    return outputs;
}

// A SELECT inside this one, on one line; its names may refer to this query's tables.
SelectText Translator::subselect(const SelectQuery& s, bool inIn) {
    Translator inner(d_, schema_, this);
    inner.limitless_ = inIn && !d_.functions->selects.limitInInSubquery;
    SelectText text = inner.select(s, false);
    if (!inner.error_.isEmpty()) {
        waitsFor_ = inner.waitsFor_;
        fail(inner.error_);
        return {};
    }
    text.text.replace(CRLF, QStringLiteral(" "));
    return text;
}

SelectText Translator::select(const SelectQuery& s, bool inUnion) {
    scopes_.clear();
    sourceTexts_.clear();
    items_ = &s.items;
    aliases_ = false;
    for (const Source& source : s.from)
        collect(source);
    if (!error_.isEmpty())
        return {};
    QStringList from;
    int next = 0;
    for (const Source& source : s.from)
        from << fromText(source, next);
    if (inUnion && (!s.top.isEmpty() || !s.orderBy.empty()))
        fail(QStringLiteral("TOP or ORDER BY in a part of a union"));

    used_.clear();
    aliases_ = true;
    const QList<Output> columns = outputs(s);
    const QSet<int> selected = used_;
    if (!error_.isEmpty())
        return {};
    SelectText out;
    NameAllocator names(d_.nameLimit, d_.limitInBytes);
    QStringList items;
    for (const Output& o : columns) {
        const QString name = names.allocate(keptName(d_, o.accessName));
        const bool asItIs = o.scope >= 0 && o.columnName == name && !o.aliased &&
                            !(d_.namesJoinedViewColumns && scopes_.size() > 1);
        items << (asItIs ? o.sql.text : o.sql.text + QStringLiteral(" AS ") + q(name));
        out.columns.append({o.accessName, name, o.sql.type, o.sql.notNull, o.exactText});
    }

    QString distinct;
    QStringList rowKeys; // DISTINCTROW's: the keys of the tables it selects from, chosen with the columns
    if (s.distinct) {
        distinct = QStringLiteral("DISTINCT ");
    } else if (s.distinctRow && s.groupBy.empty() && selected.size() < qsizetype(scopes_.size())) {
        // (Grouped, the rows are the groups whatever DISTINCTROW says.)
        distinct = QStringLiteral("DISTINCT ");
        if (!distinctRows(selected, columns)) {
            rowKeys = keyColumns(selected);
            if (rowKeys.isEmpty()) {
                fail(QStringLiteral("DISTINCTROW over a join, selecting from some of its tables only"));
                return {};
            }
        }
    }

    QString where, having;
    QStringList groups, orders;
    if (s.where) {
        aliases_ = false; // Access asks for an alias in WHERE as a parameter
        where = condition(*s.where).text;
        aliases_ = true;
    }
    for (const Expr& g : s.groupBy)
        groups << value(g).text;
    if (s.having)
        having = condition(*s.having).text;
    QStringList orderValues;
    used_.clear();
    for (const OrderItem& o : s.orderBy) {
        orderValues << value(o.expr).text;
        orders << orderValues.last() + (o.descending ? QStringLiteral(" DESC") : QString());
    }
    if (!error_.isEmpty())
        return {};
    if (!rowKeys.isEmpty() && !selected.contains(used_)) {
        fail(QStringLiteral("DISTINCTROW over a join, ordered by a table it does not select from"));
        return {};
    }

    const SelectSpellings& spellings = d_.functions->selects;
    QString top;
    if (!s.top.isEmpty() && spellings.topClause)
        top = QStringLiteral("TOP %1%2%3 ")
                  .arg(s.top, s.topPercent ? QStringLiteral(" PERCENT") : QString(),
                       s.orderBy.empty() ? QString() : QStringLiteral(" WITH TIES"));
    // SQL Server keeps an ORDER BY in a view only with TOP.
    if (!spellings.orderedViews && top.isEmpty()) {
        orders.clear();
        orderValues.clear();
    }

    // DISTINCTROW of some tables of a join: the distinct rows of the columns with those tables' keys, then
    // the columns alone, ordered by what the rows chose.
    QStringList hidden;
    for (int i = 0; i < rowKeys.size(); ++i)
        hidden << rowKeys[i] + QStringLiteral(" AS ") + q(QStringLiteral("veltrane_key%1").arg(i + 1));
    for (int i = 0; !rowKeys.isEmpty() && i < orderValues.size(); ++i) {
        const QString name = q(QStringLiteral("veltrane_order%1").arg(i + 1));
        hidden << orderValues[i] + QStringLiteral(" AS ") + name;
        orders[i] = name + (s.orderBy[i].descending ? QStringLiteral(" DESC") : QString());
    }

    QStringList lines;
    lines << QStringLiteral("SELECT ") + distinct + (rowKeys.isEmpty() ? top : QString()) +
                 (items + hidden).join(QStringLiteral(", "));
    if (!from.isEmpty())
        lines << QStringLiteral("FROM ") + from.join(QStringLiteral(", "));
    if (!where.isEmpty())
        lines << QStringLiteral("WHERE ") + where;
    if (!groups.isEmpty())
        lines << QStringLiteral("GROUP BY ") + groups.join(QStringLiteral(", "));
    if (!having.isEmpty())
        lines << QStringLiteral("HAVING ") + having;
    if (!rowKeys.isEmpty()) {
        QStringList chosen;
        for (const ViewColumn& c : out.columns)
            chosen << q(c.name);
        lines.first() = QStringLiteral("FROM (") + lines.first();
        lines.last() += QStringLiteral(") AS ") + q(QStringLiteral("veltrane_rows"));
        lines.prepend(QStringLiteral("SELECT ") + top + chosen.join(QStringLiteral(", ")));
    }
    if (!s.top.isEmpty() && !spellings.topClause)
        lines = topRows(s, lines, orders, out.columns);
    else if (!orders.isEmpty())
        lines << QStringLiteral("ORDER BY ") + orders.join(QStringLiteral(", "));
    out.text = lines.join(CRLF);
    return out;
}

} // namespace querytranslation
