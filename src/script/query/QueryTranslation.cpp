#include "QueryTranslation.h"

#include "Translator.h"

namespace querytranslation {

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

Sql made(QString text, ValueType type, bool notNull, bool predicate) {
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

std::variant<NotTranslated, TranslatedQuery> Translator::run(const AccessQuery& query) {
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
    if (error_.isEmpty() && !query.orderBy.empty() && d_.functions->selects.orderedViews) {
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

} // namespace querytranslation

std::variant<NotTranslated, TranslatedQuery>
translateQuery(const AccessQuery& query, const TargetDialect& dialect, const QuerySchema& schema) {
    return querytranslation::Translator(dialect, schema).run(query);
}

namespace querytranslation {

std::variant<NotTranslated, TranslatedClauses> Translator::clauses(const std::vector<Source>& from,
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

} // namespace querytranslation

std::variant<NotTranslated, TranslatedClauses>
translateClauses(const std::vector<Source>& from, const std::vector<Expr>& values,
                 const std::optional<Expr>& where, const TargetDialect& dialect, const QuerySchema& schema) {
    return querytranslation::Translator(dialect, schema).clauses(from, values, where);
}
