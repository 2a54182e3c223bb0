#include "SyncOrphans.h"

#include "RowFacts.h"
#include "TargetDialect.h"

namespace {

struct ForeignKey {
    QString name{};
    QString table{};
    QString referencedSchema{}; // MySQL: the referenced table's database
    QString referenced{};
    QStringList columns{};
    QStringList referencedColumns{};
};

bool named(const QStringList& tables, const QString& name) {
    return tables.contains(name, Qt::CaseInsensitive);
}

// The tables whose keys are checked.
struct Checked {
    const QStringList& changed;
    const QStringList& synchronized;
    bool operator()(const QString& table, const QString& referenced) const {
        return named(changed, referenced) && !named(synchronized, table);
    }
};

QString orphans(const ForeignKey& key, const QString& rows) {
    const QString text =
        QStringLiteral("%1: %2 would reference no row of %3").arg(key.table, rows, key.referenced);
    return key.name.isEmpty() ? text : text + QStringLiteral(" (foreign key %1)").arg(key.name);
}

// The catalogue's foreign keys, one row a column in the key's order; each checked by a query for the rows
// whose columns are all set and match no referenced row, as InnoDB matches them.
Failure mysqlOrphans(LiveConnection& target, const Checked& checked) {
    auto rows = target.query(
        "SELECT CONSTRAINT_NAME, TABLE_NAME, REFERENCED_TABLE_SCHEMA, REFERENCED_TABLE_NAME, COLUMN_NAME, "
        "REFERENCED_COLUMN_NAME FROM information_schema.KEY_COLUMN_USAGE WHERE TABLE_SCHEMA = DATABASE() AND "
        "REFERENCED_TABLE_NAME IS NOT NULL ORDER BY TABLE_NAME, CONSTRAINT_NAME, ORDINAL_POSITION");
    if (const auto* why = std::get_if<QString>(&rows))
        return *why;
    QList<ForeignKey> keys;
    for (const QStringList& r : std::get<QList<QStringList>>(rows)) {
        if (keys.isEmpty() || keys.last().name != r.value(0) || keys.last().table != r.value(1))
            keys << ForeignKey{.name = r.value(0),
                               .table = r.value(1),
                               .referencedSchema = r.value(2),
                               .referenced = r.value(3)};
        keys.last().columns << r.value(4);
        keys.last().referencedColumns << r.value(5);
    }
    const auto tick = [](const QString& name) { return quoteName(targetDialect(TargetKind::MySql), name); };
    for (const ForeignKey& key : keys) {
        if (!checked(key.table, key.referenced))
            continue;
        QStringList set;
        QStringList match;
        for (qsizetype i = 0; i < key.columns.size(); ++i) {
            set << QStringLiteral("c.%1 IS NOT NULL").arg(tick(key.columns[i]));
            match << QStringLiteral("p.%1 = c.%2").arg(tick(key.referencedColumns[i]), tick(key.columns[i]));
        }
        const QString count =
            QStringLiteral(
                "SELECT COUNT(*) FROM %1 c WHERE %2 AND NOT EXISTS (SELECT 1 FROM %3.%4 p WHERE %5)")
                .arg(tick(key.table), set.join(QStringLiteral(" AND ")), tick(key.referencedSchema),
                     tick(key.referenced), match.join(QStringLiteral(" AND ")));
        auto counted = target.query(count.toStdString());
        if (const auto* why = std::get_if<QString>(&counted))
            return *why;
        const qint64 left = std::get<QList<QStringList>>(counted).value(0).value(0).toLongLong();
        if (left > 0)
            return orphans(key, rowCount(left));
    }
    return std::nullopt;
}

// SQLite's own check of every foreign key (they have no names), counted by referencing table and key.
Failure sqliteOrphans(LiveConnection& target, const Checked& checked) {
    auto rows = target.query("SELECT \"table\", parent, fkid, COUNT(*) FROM pragma_foreign_key_check "
                             "GROUP BY 1, 2, 3 ORDER BY 1, 3");
    if (const auto* why = std::get_if<QString>(&rows))
        return *why;
    for (const QStringList& r : std::get<QList<QStringList>>(rows))
        if (checked(r.value(0), r.value(1)))
            return orphans(ForeignKey{.table = r.value(0), .referenced = r.value(1)},
                           rowCount(r.value(3).toLongLong()));
    return std::nullopt;
}

} // namespace

Failure orphanedRows(LiveConnection& target, TargetKind kind, const QStringList& changed,
                     const QStringList& synchronized) {
    if (changed.isEmpty())
        return std::nullopt;
    const Checked checked{changed, synchronized};
    switch (kind) {
    case TargetKind::MySql:
        return mysqlOrphans(target, checked);
    case TargetKind::Sqlite:
        return sqliteOrphans(target, checked);
    case TargetKind::PostgreSql:
        break;
    }
    return std::nullopt;
}
