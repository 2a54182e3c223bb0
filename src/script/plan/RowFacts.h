#pragma once
// What a file's rows say about the rules its tables declare. Access lets a column be made Required after
// rows exist without checking them, and compares texts without regard to case or trailing spaces where a
// server may not; a rule that the rows already break would stop the load at its first such row. The
// planner writes such a rule only as far as the rows allow, and says why.

#include <QMap>
#include <QString>
#include <utility>

struct RowFacts {
    // Rows that hold no value in a Required column, by table and column (Access names); absent: none.
    QMap<std::pair<QString, QString>, qint64> rowsWithoutValue;
    // Rows of an enforced relationship's table whose key no row of the referenced table holds as the server
    // compares texts, by relationship name; absent: none, or not checked because the server compares as
    // Access does.
    QMap<QString, qint64> rowsWithoutMatch;
    // Rows a validation rule is False for, by table and column (Access names; the column empty for the
    // table's own rule); absent: none, or the rule could not be read or evaluated.
    QMap<std::pair<QString, QString>, qint64> rowsBreakingRule;
    // Rows holding "" in a Required text that allows no zero-length string, by table and column.
    QMap<std::pair<QString, QString>, qint64> rowsWithEmptyText;
    // The Required columns were not counted beforehand: their NOT NULL follows the rows, where the rows
    // written hold a value each (TargetDialect::notNullAfterRows).
    bool requiredAfterRows = false;
};

// "1 row", "2 rows".
inline QString rowCount(qint64 rows) {
    return QStringLiteral("%1 %2").arg(rows).arg(rows == 1 ? QStringLiteral("row") : QStringLiteral("rows"));
}

// "2 rows hold", "1 row holds".
inline QString rowsHold(qint64 rows) {
    return rowCount(rows) + (rows == 1 ? QStringLiteral(" holds") : QStringLiteral(" hold"));
}

// Said in the script beside the table of a Required column some rows hold no value in.
inline QString requiredNotWrittenNote(const QString& column, qint64 rows) {
    return QStringLiteral("Column %1 is Required in Access, but %2 no value in it: written without NOT NULL")
        .arg(column, rowsHold(rows));
}

// The warning for it: standard error, the report.
inline QString requiredNotWrittenWarning(const QString& table, const QString& column, qint64 rows) {
    return QStringLiteral("Table %1, column %2: NOT NULL (Required) not written, %3 no value")
        .arg(table, column, rowsHold(rows));
}
