#include "Translator.h"

namespace querytranslation {

// Access's TOP n gives the first n rows of the order and every row that ties with the last of them; TOP n
// PERCENT the first n percent of the rows, rounded up, with the same ties. Where the server cannot say so
// itself (FETCH FIRST ... WITH TIES), the rows are ranked in a derived table: a row is kept when fewer than n
// rows come before it (RANK), or fewer than n percent of all of them. So is TOP in the subquery of IN on
// MySQL, which takes no LIMIT there.
QStringList Translator::topRows(const SelectQuery& s, const QStringList& lines, const QStringList& orders,
                                const QList<ViewColumn>& columns) {
    QStringList out = lines;
    const bool ordered = !orders.isEmpty();
    const QString orderBy = QStringLiteral("ORDER BY ") + orders.join(QStringLiteral(", "));
    if (!s.topPercent && (!ordered || tiesImpossible(s)) && !limitless_) {
        if (ordered)
            out << orderBy;
        out << QStringLiteral("LIMIT %1").arg(s.top);
        return out;
    }
    if (!s.topPercent && d_.functions->selects.fetchWithTies) {
        out << orderBy << QStringLiteral("FETCH FIRST %1 ROWS WITH TIES").arg(s.top);
        return out;
    }
    if (lines.first().startsWith(QLatin1String("SELECT DISTINCT "))) {
        // The rank would be taken before DISTINCT, of rows that are not yet the query's.
        fail(QStringLiteral("TOP %1 of DISTINCT rows").arg(s.top));
        return {};
    }
    const QString rank = q(QStringLiteral("veltrane_rank"));
    const QString rows = q(QStringLiteral("veltrane_rows"));
    out.first() +=
        QStringLiteral(", ") +
        (ordered ? QStringLiteral("RANK() OVER (%1)").arg(orderBy) : QStringLiteral("ROW_NUMBER() OVER ()")) +
        QStringLiteral(" AS ") + rank;
    if (s.topPercent)
        out.first() += QStringLiteral(", COUNT(*) OVER () AS ") + rows;
    out.first() = QStringLiteral("FROM (") + out.first();
    out.last() += QStringLiteral(") AS ") + q(QStringLiteral("veltrane_top"));
    QStringList names;
    for (const ViewColumn& c : columns)
        names << q(c.name);
    out.prepend(QStringLiteral("SELECT ") + names.join(QStringLiteral(", ")));
    out << (s.topPercent ? QStringLiteral("WHERE (%1 - 1) * 100 < %2 * %3").arg(rank, s.top, rows)
                         : QStringLiteral("WHERE %1 <= %2").arg(rank, s.top));
    out << QStringLiteral("ORDER BY ") + rank;
    return out;
}

} // namespace querytranslation
