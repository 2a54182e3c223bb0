#include "Translator.h"

#include "AccessSqlParser.h"

namespace querytranslation {

namespace {

// The aggregate of Access SQL each domain function is; empty for a name that is not one.
QString aggregateOf(const QString& function) {
    static const QStringList names{QStringLiteral("DLookup"), QStringLiteral("DCount"),
                                   QStringLiteral("DSum"),    QStringLiteral("DAvg"),
                                   QStringLiteral("DMin"),    QStringLiteral("DMax")};
    for (const QString& name : names)
        if (sameName(name, function))
            return name == QLatin1String("DLookup") ? QStringLiteral("First") : name.mid(1);
    return QString();
}

} // namespace

// DLookup, DCount, DSum, DAvg, DMin and DMax read their domain, a table or query, on their own: with literal
// texts for the expression, the domain and the criteria, the call is the scalar subquery
// SELECT <aggregate>(<expression>) FROM <domain> WHERE <criteria>, whose names are the domain's alone.
// DLookup gives the expression of one row that meets the criteria, or NULL when none does.
std::optional<Sql> Translator::domainCall(const Expr& e) {
    const QString aggregate = aggregateOf(e.text);
    if (aggregate.isEmpty())
        return std::nullopt;
    bool literal = e.args.size() == 2 || e.args.size() == 3;
    for (const Expr& a : e.args)
        literal = literal && a.kind == ExprKind::Text && !a.text.trimmed().isEmpty();
    if (!literal) {
        fail(QStringLiteral("domain function %1 of arguments that are not literal texts").arg(e.text));
        return Sql();
    }
    const QString what = e.args[0].text.trimmed();
    QString domain = e.args[1].text.trimmed();
    if (!domain.startsWith(QLatin1Char('[')))
        domain = QLatin1Char('[') + domain + QLatin1Char(']');
    QString sql = aggregate == QLatin1String("First")
                      ? QStringLiteral("SELECT TOP 1 %1 FROM %2").arg(what, domain)
                      : QStringLiteral("SELECT %1(%2) FROM %3").arg(aggregate, what, domain);
    if (e.args.size() == 3)
        sql += QStringLiteral(" WHERE ") + e.args[2].text;
    const auto parsed = parseAccessSql(sql);
    const AccessQuery* query = std::get_if<AccessQuery>(&parsed);
    if (!query || query->selects.size() != 1) {
        fail(QStringLiteral("domain function %1 whose arguments this script cannot read").arg(e.text));
        return Sql();
    }
    Translator inner(d_, schema_);
    const SelectText text = inner.select(query->selects.front(), false);
    if (!inner.error_.isEmpty()) {
        waitsFor_ = inner.waitsFor_;
        fail(inner.error_);
        return Sql();
    }
    if (text.columns.size() != 1) {
        fail(QStringLiteral("domain function %1 of more than one column").arg(e.text));
        return Sql();
    }
    const bool count = aggregate == QLatin1String("Count");
    return simpleSql(QLatin1Char('(') + QString(text.text).replace(CRLF, QStringLiteral(" ")) +
                         QLatin1Char(')'),
                     text.columns.front().type, count);
}

} // namespace querytranslation
