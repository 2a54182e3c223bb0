#include "SyncStatements.h"

namespace {

std::string utf8(const QString& text) {
    return text.toStdString();
}

// The written columns of t, quoted, in their order in the table.
QStringList writtenColumns(const TargetDialect& d, const TablePlan& t) {
    QStringList names;
    for (const ColumnPlan& c : t.columns)
        if (c.written)
            names << quoteName(d, c.name);
    return names;
}

// The key's columns of t, quoted, by their names in the script.
QStringList keyColumns(const TargetDialect& d, const TablePlan& t) {
    QStringList names;
    for (const QString& name : t.primaryKey->columnNames)
        if (const ColumnPlan* c = t.find(name))
            names << quoteName(d, c->name);
    return names;
}

// "a.k = b.k AND ..." over the key's columns.
QString joined(const QStringList& key, const QString& a, const QString& b) {
    QStringList parts;
    for (const QString& k : key)
        parts << QStringLiteral("%1.%3 = %2.%3").arg(a, b, k);
    return parts.join(QStringLiteral(" AND "));
}

QList<QStringList> rowsOf(const std::variant<QString, QList<QStringList>>& answer) {
    return std::get<QList<QStringList>>(answer);
}

} // namespace

std::variant<QString, QStringList> baseTableNames(LiveConnection& target, TargetKind kind) {
    const char* sql = nullptr;
    switch (kind) {
    case TargetKind::PostgreSql:
        sql = "SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
              "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'p') ORDER BY 1";
        break;
    case TargetKind::MySql:
        sql = "SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() "
              "AND TABLE_TYPE = 'BASE TABLE' ORDER BY 1";
        break;
    case TargetKind::Sqlite:
        sql = "SELECT name FROM main.sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
              "ESCAPE '\\' ORDER BY 1";
        break;
    }
    auto rows = target.query(sql);
    if (auto* why = std::get_if<QString>(&rows))
        return *why;
    QStringList names;
    for (const QStringList& row : rowsOf(rows))
        names << row.value(0);
    return names;
}

std::string stagingTable(TargetKind kind, const TargetDialect& d, const TablePlan& t, const QString& staged) {
    QStringList columns;
    for (const ColumnPlan& c : t.columns)
        if (c.written)
            columns << quoteName(d, c.name) + QLatin1Char(' ') + c.type.text;
    // PostgreSQL joins the two tables by hashing them; the others by the key's index.
    if (kind != TargetKind::PostgreSql && t.primaryKey)
        columns << QStringLiteral("PRIMARY KEY (%1)").arg(t.primaryKey->keyParts.join(QStringLiteral(", ")));
    const QString create = kind == TargetKind::MySql ? QStringLiteral("CREATE TEMPORARY TABLE")
                                                     : QStringLiteral("CREATE TEMP TABLE");
    return utf8(
        QStringLiteral("%1 %2 (%3)").arg(create, quoteName(d, staged), columns.join(QStringLiteral(", "))));
}

std::variant<QString, QList<TargetColumn>> catalogColumns(LiveConnection& target, TargetKind kind,
                                                          const TargetDialect& d, const QString& table,
                                                          bool staged) {
    QString sql;
    switch (kind) {
    case TargetKind::PostgreSql: {
        // The temporary table by the temporary schema, the target's own by the current one.
        QString literal = quoteName(d, table);
        literal.replace(QLatin1Char('\''), QLatin1String("''"));
        const QString schema =
            staged ? QStringLiteral("'pg_temp'") : QStringLiteral("quote_ident(current_schema())");
        sql = QStringLiteral("SELECT a.attname, format_type(a.atttypid, a.atttypmod) FROM pg_attribute a "
                             "WHERE a.attrelid = to_regclass(%1 || '.' || '%2') AND a.attnum > 0 "
                             "AND NOT a.attisdropped ORDER BY a.attnum")
                  .arg(schema, literal);
        break;
    }
    case TargetKind::MySql:
        sql = QStringLiteral("SHOW COLUMNS FROM %1").arg(quoteName(d, table));
        break;
    case TargetKind::Sqlite:
        sql = QStringLiteral("SELECT name, type FROM pragma_table_info(%1, %2)")
                  .arg(stringLiteral(d, table), staged ? QStringLiteral("'temp'") : QStringLiteral("'main'"));
        break;
    }
    auto rows = target.query(utf8(sql));
    if (auto* why = std::get_if<QString>(&rows))
        return *why;
    QList<TargetColumn> columns;
    for (const QStringList& row : rowsOf(rows))
        columns << TargetColumn{row.value(0),
                                kind == TargetKind::Sqlite ? row.value(1).toUpper() : row.value(1)};
    return columns;
}

QStringList columnDifferences(const QList<TargetColumn>& target, const QList<TargetColumn>& staged,
                              bool namesKeepCase) {
    const Qt::CaseSensitivity cs = namesKeepCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QStringList differences;
    for (const TargetColumn& ours : staged) {
        bool found = false;
        for (const TargetColumn& theirs : target) {
            if (theirs.name.compare(ours.name, cs) != 0)
                continue;
            found = true;
            if (theirs.type != ours.type)
                differences << QStringLiteral("column %1 is %2 in the target and %3 in the file")
                                   .arg(ours.name, theirs.type, ours.type);
        }
        if (!found)
            differences << QStringLiteral("column %1 is not in the target").arg(ours.name);
    }
    for (const TargetColumn& theirs : target) {
        bool found = false;
        for (const TargetColumn& ours : staged)
            found = found || ours.name.compare(theirs.name, cs) == 0;
        if (!found)
            differences << QStringLiteral("column %1 is only in the target").arg(theirs.name);
    }
    return differences;
}

KeyedChanges keyedChanges(TargetKind kind, const TargetDialect& d, const TablePlan& t, const QString& staged,
                          const QString& kept) {
    const QString table = quoteName(d, t.name);
    const QString stagedName = quoteName(d, staged);
    const QString keptName = quoteName(d, kept);
    const QStringList columns = writtenColumns(d, t);
    const QStringList key = keyColumns(d, t);
    const QString list = columns.join(QStringLiteral(", "));
    QStringList sourceList;
    for (const QString& c : columns)
        sourceList << QStringLiteral("s.") + c;
    // The values compared exactly: MySQL's texts as bytes (its collations take 'a' for 'A' and ignore
    // trailing spaces), SQLite's by the binary collation whatever the column's own.
    QStringList sets;
    QStringList differ;
    for (const ColumnPlan& c : t.columns) {
        if (!c.written)
            continue;
        const QString n = quoteName(d, c.name);
        if (key.contains(n))
            continue;
        sets << (kind == TargetKind::MySql ? QStringLiteral("t.%1 = s.%1") : QStringLiteral("%1 = s.%1"))
                    .arg(n);
        switch (kind) {
        case TargetKind::PostgreSql:
            differ << QStringLiteral("t.%1 IS DISTINCT FROM s.%1").arg(n);
            break;
        case TargetKind::MySql:
            differ << (c.type.characters ? QStringLiteral("NOT (BINARY t.%1 <=> BINARY s.%1)")
                                         : QStringLiteral("NOT (t.%1 <=> s.%1)"))
                          .arg(n);
            break;
        case TargetKind::Sqlite:
            differ << QStringLiteral("t.%1 IS NOT s.%1 COLLATE BINARY").arg(n);
            break;
        }
    }
    const QString on = joined(key, QStringLiteral("s"), QStringLiteral("t"));
    const QString anyDiffers = differ.join(QStringLiteral(" OR "));
    KeyedChanges changes;
    changes.collect = utf8(
        QStringLiteral(
            "INSERT INTO %1 (%2) SELECT %3 FROM %4 AS s LEFT JOIN %5 AS t ON %6 WHERE t.%7 IS NULL")
            .arg(keptName, list, sourceList.join(QStringLiteral(", ")), stagedName, table, on, key.first()) +
        (differ.isEmpty() ? QString() : QStringLiteral(" OR (%1)").arg(anyDiffers)));
    changes.counts =
        utf8(QStringLiteral("SELECT COUNT(*), COUNT(t.%1), (SELECT COUNT(*) FROM %2) FROM %3 AS s "
                            "LEFT JOIN %2 AS t ON %4")
                 .arg(key.first(), table, keptName, on));
    if (kind == TargetKind::MySql) {
        changes.deleteGone =
            utf8(QStringLiteral("DELETE t FROM %1 AS t LEFT JOIN %2 AS s ON %3 WHERE s.%4 IS NULL")
                     .arg(table, stagedName, on, key.first()));
        if (!sets.isEmpty())
            changes.update = utf8(QStringLiteral("UPDATE %1 AS t JOIN %2 AS s ON %3 SET %4 WHERE %5")
                                      .arg(table, keptName, on, sets.join(QStringLiteral(", ")), anyDiffers));
        changes.insert =
            utf8(QStringLiteral(
                     "INSERT INTO %1 (%2) SELECT %3 FROM %4 AS s LEFT JOIN %1 AS t ON %5 WHERE t.%6 IS NULL")
                     .arg(table, list, sourceList.join(QStringLiteral(", ")), keptName, on, key.first()));
        return changes;
    }
    changes.deleteGone =
        utf8(QStringLiteral("DELETE FROM %1 AS t WHERE NOT EXISTS (SELECT 1 FROM %2 AS s WHERE %3)")
                 .arg(table, stagedName, on));
    if (!sets.isEmpty())
        changes.update = utf8(QStringLiteral("UPDATE %1 AS t SET %2 FROM %3 AS s WHERE %4 AND (%5)")
                                  .arg(table, sets.join(QStringLiteral(", ")), keptName, on, anyDiffers));
    changes.insert = utf8(
        QStringLiteral(
            "INSERT INTO %1 (%2) SELECT %3 FROM %4 AS s WHERE NOT EXISTS (SELECT 1 FROM %1 AS t WHERE %5)")
            .arg(table, list, sourceList.join(QStringLiteral(", ")), keptName, on));
    return changes;
}

std::string copyStaged(const TargetDialect& d, const TablePlan& t, const QString& staged) {
    const QString list = writtenColumns(d, t).join(QStringLiteral(", "));
    return utf8(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3")
                    .arg(quoteName(d, t.name), list, quoteName(d, staged)));
}

std::variant<QString, qint64> changedRows(LiveConnection& target, TargetKind kind, const std::string& sql) {
    if (kind == TargetKind::PostgreSql) {
        auto rows = target.query("WITH changed AS (" + sql + " RETURNING 1) SELECT count(*) FROM changed");
        if (auto* why = std::get_if<QString>(&rows))
            return *why;
        return rowsOf(rows).value(0).value(0).toLongLong();
    }
    if (Failure f = target.execute(sql))
        return *f;
    auto rows = target.query(kind == TargetKind::MySql ? "SELECT ROW_COUNT()" : "SELECT changes()");
    if (auto* why = std::get_if<QString>(&rows))
        return *why;
    return rowsOf(rows).value(0).value(0).toLongLong();
}
