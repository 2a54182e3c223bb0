#include "QueryTranslation.h"

#include "NameAllocator.h"
#include "QuerySql.h"

#include <QSet>

namespace {

const QString CRLF = QStringLiteral("\r\n");

bool sameName(const QString& a, const QString& b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

ValueType typeOf(ValueForm form) {
    switch (form) {
    case ValueForm::Boolean:
        return ValueType::Boolean;
    case ValueForm::Integer:
        return ValueType::Integer;
    case ValueForm::Exact:
        return ValueType::Exact;
    case ValueForm::Float:
        return ValueType::Float;
    case ValueForm::Timestamp:
        return ValueType::Date;
    case ValueForm::Text:
        return ValueType::Text;
    default:
        return ValueType::Other;
    }
}

// A table or view of a FROM clause, as the query's names find it.
struct Scope {
    QString accessName;
    QString alias;
    QString ref; // the quoted qualifier of its columns
    const TablePlan* table = nullptr;
    QList<ViewColumn> columns;
    QString written() const { return alias.isEmpty() ? accessName : alias; }
};

// One column of the SELECT list.
struct Output {
    QString accessName;
    Sql sql;
    int scope = -1;     // a column of a source as it is: which
    QString columnName; // and its name in the script
    bool aliased = false;
    bool exactText = false;
};

struct SelectText {
    QString text;
    QList<ViewColumn> columns;
};

// An Access LIKE pattern as the server's: * and ? become % and _; empty where the pattern holds what has no
// plain equivalent (a # for a digit, a character list, a % or _ of its own, an escape character).
QString likePattern(const QString& access) {
    QString pattern;
    for (qsizetype i = 0; i < access.size(); ++i) {
        const QChar c = access[i];
        if (c == QLatin1Char('*')) {
            pattern += QLatin1Char('%');
        } else if (c == QLatin1Char('?')) {
            pattern += QLatin1Char('_');
        } else if (c == QLatin1Char('[') && i + 2 < access.size() && access[i + 2] == QLatin1Char(']') &&
                   QStringLiteral("*?#").contains(access[i + 1])) {
            pattern += access[i + 1]; // [*] [?] [#]: the character itself
            i += 2;
        } else if (QStringLiteral("#[]%_\\").contains(c)) {
            return QString();
        } else {
            pattern += c;
        }
    }
    return pattern;
}

Sql made(QString text, ValueType type, bool notNull, bool predicate = false) {
    Sql sql;
    sql.text = std::move(text);
    sql.type = type;
    sql.notNull = notNull;
    sql.predicate = predicate;
    return sql;
}

Sql simpleSql(QString text, ValueType type, bool notNull) {
    Sql sql = made(std::move(text), type, notNull);
    sql.simple = true;
    return sql;
}

class Translator {
public:
    Translator(const TargetDialect& d, const QuerySchema& schema, const Translator* outer = nullptr)
        : d_(d), schema_(schema), outer_(outer) {}

    std::variant<NotTranslated, TranslatedQuery> run(const AccessQuery& query) {
        if (query.action)
            return NotTranslated{QStringLiteral("action query"), QString()};
        if (!query.parameters.isEmpty() && schema_.parameters.isEmpty())
            return NotTranslated{QStringLiteral("parameter query"), QString()};
        TranslatedQuery out;
        QStringList parts;
        for (std::size_t i = 0; i < query.selects.size() && error_.isEmpty(); ++i) {
            const SelectText s = select(query.selects[i], query.selects.size() > 1);
            if (!error_.isEmpty())
                break;
            if (i == 0) {
                out.columns = s.columns;
            } else if (s.columns.size() != out.columns.size()) {
                fail(QStringLiteral("a union of SELECTs of different numbers of columns"));
            } else {
                for (int c = 0; c < s.columns.size(); ++c) {
                    if (!sameKind(out.columns[c].type, s.columns[c].type))
                        fail(QStringLiteral("a union of columns of two types (%1)")
                                 .arg(out.columns[c].accessName));
                    if (out.columns[c].type == ValueType::Unknown)
                        out.columns[c].type = s.columns[c].type;
                    out.columns[c].notNull = out.columns[c].notNull && s.columns[c].notNull;
                }
            }
            if (i > 0)
                parts << (query.unionAll[i - 1] ? QStringLiteral("UNION ALL") : QStringLiteral("UNION"));
            parts << s.text;
        }
        if (error_.isEmpty() && !query.orderBy.empty() && d_.target != Target::SqlServer) {
            QStringList keys;
            for (const OrderItem& o : query.orderBy) {
                const ViewColumn* column = nullptr;
                if (o.expr.kind == ExprKind::Name && o.expr.parts.size() <= 2)
                    for (const ViewColumn& c : out.columns)
                        if (sameName(c.accessName, o.expr.parts.last()))
                            column = &c;
                if (!column) {
                    fail(QStringLiteral("an ORDER BY of a union by what is not one of its columns"));
                    break;
                }
                keys << q(column->name) + (o.descending ? QStringLiteral(" DESC") : QString());
            }
            parts << QStringLiteral("ORDER BY ") + keys.join(QStringLiteral(", "));
        }
        if (!error_.isEmpty())
            return NotTranslated{error_, waitsFor_};
        out.select = parts.join(CRLF);
        return out;
    }

    std::variant<NotTranslated, TranslatedClauses> clauses(const std::vector<Source>& from,
                                                           const std::vector<Expr>& values,
                                                           const std::optional<Expr>& where) {
        static const std::vector<SelectItem> noItems;
        items_ = &noItems;
        for (const Source& source : from)
            collect(source);
        TranslatedClauses out;
        QStringList sources;
        int next = 0;
        if (error_.isEmpty())
            for (const Source& source : from)
                sources << fromText(source, next);
        out.from = sources.join(QStringLiteral(", "));
        for (const Expr& v : values)
            out.values << value(v).text;
        if (where)
            out.where = condition(*where).text;
        if (!error_.isEmpty())
            return NotTranslated{error_, waitsFor_};
        return out;
    }

private:
    QString q(const QString& name) const { return quoteName(d_, name); }
    void fail(const QString& reason) {
        if (error_.isEmpty())
            error_ = reason;
    }

    // The sources of a FROM clause, into scopes_, in the order they are written.
    void collect(const Source& s) {
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
                fail(QStringLiteral("reads %1, which is neither a table nor a query of this script")
                         .arg(s.name));
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

    QString fromText(const Source& s, int& next) {
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
    Sql column(int scope, const ViewColumn& c) {
        used_.insert(scope);
        lastScope_ = scope;
        lastColumn_ = c;
        rawColumn_ = scopes_.size() > 1 ? scopes_[scope].ref + QLatin1Char('.') + q(c.name) : q(c.name);
        // An exact number kept as text is compared and computed with as the number the server makes of it.
        return simpleSql(c.exactText ? QStringLiteral("CAST(%1 AS NUMERIC)").arg(rawColumn_) : rawColumn_,
                         c.type, c.notNull);
    }

    // A column of an enclosing query's tables, for a subquery that refers to it: always qualified.
    bool outerColumn(const Expr& e, Sql& sql) const {
        const auto found = [&](int scope, const ViewColumn& c) {
            const QString ref = scopes_[scope].ref + QLatin1Char('.') + quoteName(d_, c.name);
            sql = simpleSql(c.exactText ? QStringLiteral("CAST(%1 AS NUMERIC)").arg(ref) : ref, c.type,
                            c.notNull);
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

    int findScope(const QString& name) const {
        for (int i = 0; i < int(scopes_.size()); ++i)
            if (sameName(scopes_[i].written(), name))
                return i;
        return -1;
    }

    Sql name(const Expr& e) {
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
                        fail(QStringLiteral("refers to %1, a column of more than one of its tables")
                                 .arg(written));
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
        for (int i = aliasLimit_ - 1; i >= 0; --i) {
            const SelectItem& item = (*items_)[i];
            if (!item.alias.isEmpty() && sameName(item.alias, e.parts[0])) {
                // Access lets a later expression use an alias of the SELECT list; SQL does not: the
                // aliased expression stands in its place.
                const int saved = aliasLimit_;
                aliasLimit_ = i;
                Sql sql = expr(item.expr);
                aliasLimit_ = saved;
                lastScope_ = -1;
                return sql;
            }
        }
        if (Sql argument; parameter(written, argument))
            return argument;
        fail(QStringLiteral("asks for the parameter [%1]").arg(written));
        return {};
    }

    // A name that is no column, as the argument of the routine that asks for it.
    bool parameter(const QString& written, Sql& sql) const {
        for (const QueryParameter& p : schema_.parameters)
            if (sameName(p.accessName, written)) {
                sql = simpleSql(p.sql, p.type, false);
                return true;
            }
        return false;
    }

    Sql value(const Expr& e) { return valueOf(d_, expr(e)); }
    Sql condition(const Expr& e) {
        const Sql x = expr(e);
        if (!error_.isEmpty())
            return {};
        const SqlOrReason c = conditionOf(d_, x);
        if (const QString* why = std::get_if<QString>(&c)) {
            fail(*why);
            return {};
        }
        return std::get<Sql>(c);
    }

    Sql concatenation(const Sql& a, const Sql& b) {
        for (const Sql* x : {&a, &b})
            if (x->type != ValueType::Text && x->type != ValueType::Integer &&
                x->type != ValueType::Unknown) {
                fail(QStringLiteral("& of a value that is neither text nor a whole number"));
                return {};
            }
        // & takes NULL for an empty text, and gives NULL only when both sides are NULL.
        const auto side = [&](const Sql& x) {
            const QString text = x.type == ValueType::Integer ? castToText(d_, x) : x.text;
            if (x.notNull)
                return x.type == ValueType::Integer ? text : operand(x);
            return QStringLiteral("COALESCE(%1, %2)").arg(text, textLiteral(d_, QString()));
        };
        const QString joined = concatenated(d_, {side(a), side(b)});
        if (a.notNull || b.notNull)
            return made(joined, ValueType::Text, true);
        return simpleSql(QStringLiteral("CASE WHEN %1 IS NULL AND %2 IS NULL THEN NULL ELSE %3 END")
                             .arg(operand(a), operand(b), joined),
                         ValueType::Text, false);
    }

    QString asDouble(const Sql& x) {
        Expr cast;
        cast.kind = ExprKind::Call;
        cast.text = QStringLiteral("CDbl");
        const SqlOrReason r = translateCall(d_, cast, {x});
        return std::holds_alternative<Sql>(r) ? std::get<Sql>(r).text : x.text;
    }

    // Two texts compared for equality without regard to case, as Access compares them: SQL Server's and
    // MySQL's default collations do so already; SQLite's NOCASE does for ASCII letters.
    QString textComparison(const Sql& a, const QString& op, const Sql& b) const {
        switch (d_.target) {
        case Target::PostgreSql:
            return QStringLiteral("LOWER(%1)%2LOWER(%3)").arg(a.text, op, b.text);
        case Target::Sqlite:
            return operand(a) + op + operand(b) + QStringLiteral(" COLLATE NOCASE");
        default:
            return operand(a) + op + operand(b);
        }
    }

    // A date and a whole number of days, as Access adds them: DateAdd("d", ...).
    Sql daysAdded(const Sql& date, const Sql& days, bool subtracted) {
        Expr call;
        call.kind = ExprKind::Call;
        call.text = QStringLiteral("DateAdd");
        call.args.resize(3);
        call.args[0].kind = ExprKind::Text;
        call.args[0].text = QStringLiteral("d");
        Sql count = days;
        if (subtracted) {
            count.text = QStringLiteral("-") + operand(days);
            count.simple = false;
        }
        const SqlOrReason r =
            translateCall(d_, call, {simpleSql(QStringLiteral("'d'"), ValueType::Text, true), count, date});
        if (const QString* why = std::get_if<QString>(&r)) {
            fail(*why);
            return {};
        }
        Sql sql = std::get<Sql>(r);
        sql.notNull = date.notNull && days.notNull;
        return sql;
    }

    // Whether two values can be compared as Access compares them. A Yes/No value is -1 or 0 in Access: the
    // literal numbers -1 and 0 beside one become the server's truth values.
    bool comparable(Sql& a, const Expr& ea, Sql& b, const Expr& eb) {
        const auto truth = [&](Sql& number, const Expr& e) {
            const bool negative = e.kind == ExprKind::Unary && e.text == QLatin1String("-") &&
                                  e.args[0].kind == ExprKind::Number && e.args[0].text == QLatin1String("1");
            const bool zero = e.kind == ExprKind::Number && e.text == QLatin1String("0");
            if (!negative && !zero)
                return false;
            number = simpleSql(negative ? d_.trueLiteral : d_.falseLiteral, ValueType::Boolean, true);
            return true;
        };
        if (a.type == ValueType::Boolean && numeric(b.type) && truth(b, eb))
            return true;
        if (b.type == ValueType::Boolean && numeric(a.type) && truth(a, ea))
            return true;
        if (sameKind(a.type, b.type) && a.type != ValueType::Other && b.type != ValueType::Other)
            return true;
        fail(QStringLiteral("compares values of two types"));
        return false;
    }

    Sql binary(const Expr& e) {
        const QString& op = e.text;
        if (op == QLatin1String("AND") || op == QLatin1String("OR")) {
            const Sql a = condition(e.args[0]);
            const Sql b = condition(e.args[1]);
            return made(operand(a) + QLatin1Char(' ') + op + QLatin1Char(' ') + operand(b),
                        ValueType::Boolean, a.notNull && b.notNull, true);
        }
        if (op == QLatin1String("XOR") || op == QLatin1String("EQV") || op == QLatin1String("IMP")) {
            fail(QStringLiteral("the operator %1").arg(op));
            return {};
        }
        if (op == QLatin1String("LIKE")) {
            const Sql a = value(e.args[0]);
            const Expr& p = e.args[1];
            if (!error_.isEmpty())
                return {};
            if (a.type != ValueType::Text) {
                fail(QStringLiteral("LIKE on a value that is not text"));
                return {};
            }
            if (p.kind != ExprKind::Text) {
                fail(QStringLiteral("a LIKE pattern that is not a literal text"));
                return {};
            }
            const QString pattern = likePattern(p.text);
            if (pattern.isEmpty() && !p.text.isEmpty()) {
                fail(QStringLiteral("the LIKE pattern \"%1\"").arg(p.text));
                return {};
            }
            // Access compares without regard to case, as PostgreSQL's ILIKE does.
            const QString like =
                d_.target == Target::PostgreSql ? QStringLiteral(" ILIKE ") : QStringLiteral(" LIKE ");
            return made(operand(a) + like + textLiteral(d_, pattern), ValueType::Boolean, a.notNull, true);
        }
        const Sql a = value(e.args[0]);
        const Sql b = value(e.args[1]);
        if (!error_.isEmpty())
            return {};
        if (op == QLatin1String("&"))
            return concatenation(a, b);
        const QString spaced = QLatin1Char(' ') + op + QLatin1Char(' ');
        const bool comparison = op == QLatin1String("=") || op == QLatin1String("<>") ||
                                op == QLatin1String("<") || op == QLatin1String(">") ||
                                op == QLatin1String("<=") || op == QLatin1String(">=");
        if (comparison) {
            Sql left = a;
            Sql right = b;
            if (!comparable(left, e.args[0], right, e.args[1]))
                return {};
            if (a.type == ValueType::Text && b.type == ValueType::Text &&
                (op == QLatin1String("=") || op == QLatin1String("<>")))
                return made(textComparison(a, spaced, b), ValueType::Boolean, a.notNull && b.notNull, true);
            return made(operand(left) + spaced + operand(right), ValueType::Boolean, a.notNull && b.notNull,
                        true);
        }
        const bool notNull = a.notNull && b.notNull;
        if (op == QLatin1String("+") && a.type == ValueType::Text && b.type == ValueType::Text)
            return made(concatenated(d_, {operand(a), operand(b)}), ValueType::Text, notNull);
        if ((op == QLatin1String("+") || op == QLatin1String("-")) &&
            ((a.type == ValueType::Date && b.type == ValueType::Integer) ||
             (op == QLatin1String("+") && a.type == ValueType::Integer && b.type == ValueType::Date)))
            return daysAdded(a.type == ValueType::Date ? a : b, a.type == ValueType::Date ? b : a,
                             op == QLatin1String("-"));
        if (!numeric(a.type) || !numeric(b.type)) {
            fail(QStringLiteral("%1 of values that are not both numbers").arg(op));
            return {};
        }
        const bool whole = a.type == ValueType::Integer && b.type == ValueType::Integer;
        const ValueType type = whole                                                      ? ValueType::Integer
                               : a.type == ValueType::Float || b.type == ValueType::Float ? ValueType::Float
                                                                                          : ValueType::Exact;
        if (op == QLatin1String("+") || op == QLatin1String("-") || op == QLatin1String("*"))
            return made(operand(a) + spaced + operand(b), type, notNull);
        if (op == QLatin1String("/")) // Access divides as doubles whatever the operands
            return made(asDouble(a) + QStringLiteral(" / ") + operand(b), ValueType::Float, notNull);
        if (op == QLatin1String("^"))
            return simpleSql(QStringLiteral("POWER(%1, %2)").arg(asDouble(a), b.text), ValueType::Float,
                             notNull);
        if (!whole) {
            fail(QStringLiteral("%1 of values that are not whole numbers").arg(op));
            return {};
        }
        if (op == QLatin1String("\\"))
            return made(operand(a) +
                            (d_.target == Target::MySql ? QStringLiteral(" DIV ") : QStringLiteral(" / ")) +
                            operand(b),
                        ValueType::Integer, notNull);
        return made(operand(a) + QStringLiteral(" % ") + operand(b), ValueType::Integer, notNull);
    }

    Sql expr(const Expr& e) {
        if (!error_.isEmpty())
            return {};
        if (depth_ > 200) {
            fail(QStringLiteral("an expression nested too deeply"));
            return {};
        }
        ++depth_;
        Sql sql = exprAtDepth(e);
        --depth_;
        return sql;
    }

    Sql exprAtDepth(const Expr& e) {
        switch (e.kind) {
        case ExprKind::Number: {
            const bool real =
                e.text.contains(QLatin1Char('.')) || e.text.contains(QLatin1Char('E'), Qt::CaseInsensitive);
            return simpleSql(e.text, real ? ValueType::Float : ValueType::Integer, true);
        }
        case ExprKind::Text:
            return simpleSql(textLiteral(d_, e.text), ValueType::Text, true);
        case ExprKind::Date: {
            const QString literal = dateLiteral(d_, e.text);
            if (literal.isEmpty())
                fail(QStringLiteral("the date #%1#").arg(e.text));
            return simpleSql(literal, ValueType::Date, true);
        }
        case ExprKind::Boolean:
            return simpleSql(e.truth ? d_.trueLiteral : d_.falseLiteral, ValueType::Boolean, true);
        case ExprKind::Null:
            return simpleSql(QStringLiteral("NULL"), ValueType::Unknown, false);
        case ExprKind::Star:
            fail(QStringLiteral("* where a value is expected"));
            return {};
        case ExprKind::Subquery: {
            const SelectText inner = subselect(e.subquery.front());
            if (!error_.isEmpty())
                return {};
            if (e.text == QLatin1String("EXISTS"))
                return made(QStringLiteral("EXISTS (%1)").arg(inner.text), ValueType::Boolean, true, true);
            if (inner.columns.size() != 1)
                fail(QStringLiteral("a subquery of more than one column"));
            return simpleSql(QLatin1Char('(') + inner.text + QLatin1Char(')'), inner.columns.value(0).type,
                             false);
        }
        case ExprKind::Name:
            return name(e);
        case ExprKind::Unary: {
            if (e.text == QLatin1String("NOT")) {
                const Sql x = condition(e.args[0]);
                return made(QStringLiteral("NOT ") + operand(x), ValueType::Boolean, x.notNull, true);
            }
            const Sql x = value(e.args[0]);
            if (error_.isEmpty() && !numeric(x.type))
                fail(QStringLiteral("%1 of a value that is not a number").arg(e.text));
            return made(e.text + operand(x), x.type, x.notNull);
        }
        case ExprKind::Binary:
            return binary(e);
        case ExprKind::Between: {
            const Sql x = value(e.args[0]);
            const Sql low = value(e.args[1]);
            const Sql high = value(e.args[2]);
            if (error_.isEmpty() && (!sameKind(x.type, low.type) || !sameKind(x.type, high.type)))
                fail(QStringLiteral("compares values of two types"));
            return made(QStringLiteral("%1 %2BETWEEN %3 AND %4")
                            .arg(operand(x), e.negated ? QStringLiteral("NOT ") : QString(), operand(low),
                                 operand(high)),
                        ValueType::Boolean, x.notNull && low.notNull && high.notNull, true);
        }
        case ExprKind::In: {
            const Sql x = value(e.args[0]);
            if (!e.subquery.empty()) {
                if (d_.target == Target::MySql && !e.subquery.front().top.isEmpty())
                    fail(QStringLiteral("TOP in a subquery of IN, which MySQL cannot select"));
                const SelectText inner = subselect(e.subquery.front());
                if (error_.isEmpty() && inner.columns.size() != 1)
                    fail(QStringLiteral("a subquery of more than one column"));
                return made(QStringLiteral("%1 %2IN (%3)")
                                .arg(operand(x), e.negated ? QStringLiteral("NOT ") : QString(), inner.text),
                            ValueType::Boolean, false, true);
            }
            QList<Sql> values;
            bool texts = x.type == ValueType::Text;
            for (std::size_t i = 1; i < e.args.size(); ++i) {
                values << value(e.args[i]);
                texts = texts && values.last().type == ValueType::Text;
                if (error_.isEmpty() && !sameKind(x.type, values.last().type))
                    fail(QStringLiteral("compares values of two types"));
            }
            // Texts are found without regard to case, as Access finds them (see textComparison).
            const bool lower = texts && d_.target == Target::PostgreSql;
            QStringList items;
            for (const Sql& v : values)
                items << (lower ? QStringLiteral("LOWER(%1)").arg(v.text) : v.text);
            const QString left = lower ? QStringLiteral("LOWER(%1)").arg(x.text)
                                 : texts && d_.target == Target::Sqlite
                                     ? operand(x) + QStringLiteral(" COLLATE NOCASE")
                                     : operand(x);
            return made(QStringLiteral("%1 %2IN (%3)")
                            .arg(left, e.negated ? QStringLiteral("NOT ") : QString(),
                                 items.join(QStringLiteral(", "))),
                        ValueType::Boolean, false, true);
        }
        case ExprKind::IsNull: {
            const Sql x = value(e.args[0]);
            return made(operand(x) +
                            (e.negated ? QStringLiteral(" IS NOT NULL") : QStringLiteral(" IS NULL")),
                        ValueType::Boolean, true, true);
        }
        case ExprKind::Call: {
            QList<Sql> args;
            for (const Expr& a : e.args)
                args << (a.kind == ExprKind::Star ? simpleSql(QStringLiteral("*"), ValueType::Unknown, true)
                                                  : expr(a));
            if (!error_.isEmpty())
                return {};
            const SqlOrReason r = translateCall(d_, e, args);
            if (const QString* why = std::get_if<QString>(&r)) {
                fail(*why);
                return {};
            }
            return std::get<Sql>(r);
        }
        }
        return {};
    }

    // Whether ORDER BY gives every row a place of its own: it holds every column of the only table's primary
    // key, so TOP n has no ties to add.
    bool tiesImpossible(const SelectQuery& s) const {
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
    bool distinctRows(const QSet<int>& selected, const QList<Output>& outputs) const {
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

    QList<Output> outputs(const SelectQuery& s) {
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
            aliasLimit_ = i;
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
        aliasLimit_ = int(s.items.size());
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
    SelectText subselect(const SelectQuery& s) {
        Translator inner(d_, schema_, this);
        SelectText text = inner.select(s, false);
        if (!inner.error_.isEmpty()) {
            waitsFor_ = inner.waitsFor_;
            fail(inner.error_);
            return {};
        }
        text.text.replace(CRLF, QStringLiteral(" "));
        return text;
    }

    SelectText select(const SelectQuery& s, bool inUnion) {
        scopes_.clear();
        sourceTexts_.clear();
        items_ = &s.items;
        aliasLimit_ = 0;
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
        if (s.distinct) {
            distinct = QStringLiteral("DISTINCT ");
        } else if (s.distinctRow && selected.size() < qsizetype(scopes_.size())) {
            if (!distinctRows(selected, columns)) {
                fail(QStringLiteral("DISTINCTROW over a join, selecting from some of its tables only"));
                return {};
            }
            distinct = QStringLiteral("DISTINCT ");
        }

        QString where, having;
        QStringList groups, orders;
        if (s.where) {
            aliasLimit_ = 0; // Access asks for an alias in WHERE as a parameter
            where = condition(*s.where).text;
            aliasLimit_ = int(s.items.size());
        }
        for (const Expr& g : s.groupBy)
            groups << value(g).text;
        if (s.having)
            having = condition(*s.having).text;
        for (const OrderItem& o : s.orderBy)
            orders << value(o.expr).text + (o.descending ? QStringLiteral(" DESC") : QString());
        if (!error_.isEmpty())
            return {};

        QString top, limit;
        if (!s.top.isEmpty()) {
            const bool ordered = !s.orderBy.empty();
            if (d_.target == Target::SqlServer)
                top = QStringLiteral("TOP %1%2%3 ")
                          .arg(s.top, s.topPercent ? QStringLiteral(" PERCENT") : QString(),
                               ordered ? QStringLiteral(" WITH TIES") : QString());
            else if (s.topPercent)
                fail(QStringLiteral("TOP %1 PERCENT").arg(s.top));
            else if (ordered && d_.target == Target::PostgreSql)
                limit = QStringLiteral("FETCH FIRST %1 ROWS WITH TIES").arg(s.top);
            else if (ordered && !tiesImpossible(s))
                fail(QStringLiteral(
                         "TOP %1 of an order that may tie: Access gives the ties too, this server cannot")
                         .arg(s.top));
            else
                limit = QStringLiteral("LIMIT %1").arg(s.top);
        }
        // SQL Server keeps an ORDER BY in a view only with TOP.
        if (d_.target == Target::SqlServer && top.isEmpty())
            orders.clear();

        QStringList lines;
        lines << QStringLiteral("SELECT ") + distinct + top + items.join(QStringLiteral(", "));
        if (!from.isEmpty())
            lines << QStringLiteral("FROM ") + from.join(QStringLiteral(", "));
        if (!where.isEmpty())
            lines << QStringLiteral("WHERE ") + where;
        if (!groups.isEmpty())
            lines << QStringLiteral("GROUP BY ") + groups.join(QStringLiteral(", "));
        if (!having.isEmpty())
            lines << QStringLiteral("HAVING ") + having;
        if (!orders.isEmpty())
            lines << QStringLiteral("ORDER BY ") + orders.join(QStringLiteral(", "));
        if (!limit.isEmpty())
            lines << limit;
        out.text = lines.join(CRLF);
        return out;
    }

    const TargetDialect& d_;
    const QuerySchema& schema_;
    const Translator* outer_; // the query this one is a subquery of
    std::vector<Scope> scopes_;
    QStringList sourceTexts_;
    QSet<int> used_; // the scopes whose columns were read
    const std::vector<SelectItem>* items_ = nullptr;
    int aliasLimit_ = 0; // the SELECT list's aliases before this one may be used
    int lastScope_ = -1; // the column the last name found
    ViewColumn lastColumn_;
    QString rawColumn_;
    int depth_ = 0;
    QString error_;
    QString waitsFor_;
};

} // namespace

std::variant<NotTranslated, TranslatedQuery>
translateQuery(const AccessQuery& query, const TargetDialect& dialect, const QuerySchema& schema) {
    return Translator(dialect, schema).run(query);
}

std::variant<NotTranslated, TranslatedClauses>
translateClauses(const std::vector<Source>& from, const std::vector<Expr>& values,
                 const std::optional<Expr>& where, const TargetDialect& dialect, const QuerySchema& schema) {
    return Translator(dialect, schema).clauses(from, values, where);
}
