#include "SyncForeignKeys.h"

#include "TargetDialect.h"

namespace {

QString heldName(const QString& table, const QString& name) {
    return table + QLatin1Char('.') + name;
}

// The foreign keys of MySQL's tables, each as "table.name".
std::variant<QString, QStringList> heldForeignKeys(LiveConnection& target) {
    auto rows =
        target.query("SELECT TABLE_NAME, CONSTRAINT_NAME FROM information_schema.REFERENTIAL_CONSTRAINTS "
                     "WHERE CONSTRAINT_SCHEMA = DATABASE()");
    if (const auto* why = std::get_if<QString>(&rows))
        return *why;
    QStringList held;
    for (const QStringList& row : std::get<QList<QStringList>>(rows))
        held << heldName(row.value(0), row.value(1));
    return held;
}

} // namespace

std::variant<QString, QStringList> foreignKeysOfMadeTables(LiveConnection& target, TargetKind kind,
                                                           const TargetDialect& dialect,
                                                           const ScriptPlan& plan, const QStringList& made) {
    if (made.isEmpty())
        return QStringList();
    QStringList held;
    if (kind == TargetKind::MySql) {
        auto asked = heldForeignKeys(target);
        if (const auto* why = std::get_if<QString>(&asked))
            return *why;
        held = std::get<QStringList>(asked);
    }
    QStringList statements;
    for (const RelationshipPlan& r : plan.relationships)
        if (!r.clause.isEmpty() && !r.inTable && (made.contains(r.table) || made.contains(r.referenced)) &&
            !held.contains(heldName(r.table, r.name), Qt::CaseInsensitive))
            statements << QStringLiteral("ALTER TABLE %1 ADD %2").arg(quoteName(dialect, r.table), r.clause);
    return statements;
}
