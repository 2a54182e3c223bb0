#include "AssessmentText.h"

#include <QFileInfo>

namespace {

QString sizeText(qint64 bytes) {
    if (bytes < 0)
        return QStringLiteral("-");
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 KB").arg((bytes + 1023) / 1024);
    return QStringLiteral("%1 MB").arg(double(bytes) / (1024 * 1024), 0, 'f', 1);
}

QString countsText(const QMap<QString, int>& counts) {
    QStringList parts;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        parts << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(QStringLiteral(", "));
}

// "1 view", "2 views".
QString counted(qsizetype n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

// "  PostgreSQL: 6 views, 1 function, 4 procedures, 2 not carried over"
QString targetLine(const TargetQueries& target) {
    return QStringLiteral("  %1: %2, %3, %4, %5 not carried over\n")
        .arg(target.target, counted(target.views, "view", "views"),
             counted(target.functions, "function", "functions"),
             counted(target.procedures, "procedure", "procedures"))
        .arg(target.left.size());
}

QString statusText(const DatabaseFacts& db) {
    if (!db.read())
        return QStringLiteral("not read");
    return db.readWhole() ? QStringLiteral("read") : QStringLiteral("partly read");
}

QString encryptionText(const DatabaseFacts& db) {
    if (!db.encrypted)
        return QStringLiteral("no");
    return db.passwordGiven ? QStringLiteral("yes, password given")
                            : QStringLiteral("yes, no password given");
}

// "Forms: 5, reports: 3, macros: 1" and "Modules: 6 (2 standard, 1 class, 3 behind forms and reports),
// 420 lines of VBA in 31 procedures".
void codeText(QString& text, const CodeFacts& code) {
    text += QStringLiteral("Forms: %1, reports: %2, macros: %3\n")
                .arg(code.forms)
                .arg(code.reports)
                .arg(code.macros);
    text += QStringLiteral(
                "Modules: %1 (%2 standard, %3 class, %4 behind forms and reports), %5 lines of VBA in %6\n")
                .arg(code.modules())
                .arg(code.standardModules)
                .arg(code.classModules)
                .arg(code.documentModules)
                .arg(code.lines)
                .arg(counted(code.procedures, "procedure", "procedures"));
}

// "PostgreSQL, SQLite" or "all targets".
QString targetsText(const QStringList& targets) {
    return targets.isEmpty() ? QStringLiteral("all targets") : targets.join(QStringLiteral(", "));
}

// With --values: the values each target cannot hold, by table and column with the first met, and the rules
// the rows break with the targets whose script names them.
void valuesText(QString& text, const DatabaseFacts& db) {
    if (!db.valuesRead)
        return;
    text += QStringLiteral("Values a target cannot hold:%1\n")
                .arg(db.unheldValues.isEmpty() ? QStringLiteral(" none") : QString());
    for (const UnheldValues& v : db.unheldValues)
        text += QStringLiteral("  %1: Table %2, column %3: %4 %5, e.g. %6\n")
                    .arg(v.target, v.table, v.column, QString::number(v.values), v.what, v.example);
    text += QStringLiteral("Rules the rows break:%1\n")
                .arg(db.brokenRules.isEmpty() ? QStringLiteral(" none") : QString());
    for (const BrokenRule& rule : db.brokenRules)
        text += QStringLiteral("  %1: %2\n").arg(targetsText(rule.targets), rule.text);
}

void databaseText(QString& text, const DatabaseFacts& db) {
    text += QStringLiteral("\n== %1\n").arg(db.path);
    if (db.size < 0) {
        text += QStringLiteral("Not read: %1\n").arg(db.failure);
        return;
    }
    text += QStringLiteral("Version: %1\n")
                .arg(db.version.isEmpty() ? QStringLiteral("not an Access file") : db.version);
    text += QStringLiteral("Size: %1 (%2 bytes)\n").arg(sizeText(db.size)).arg(db.size);
    text += QStringLiteral("Encrypted: %1\n").arg(encryptionText(db));
    if (!db.read()) {
        text += QStringLiteral("Not read: %1\n").arg(db.failure);
        return;
    }
    text += QStringLiteral("Tables: %1, %2 rows\n").arg(db.tables.size()).arg(db.rows());
    int width = 5;
    for (const TableFacts& t : db.tables)
        width = std::max(width, int(t.name.size()));
    for (const TableFacts& t : db.tables) {
        QString line = QStringLiteral("  ") + t.name.leftJustified(width) + QStringLiteral("  ");
        if (t.linked)
            line += QStringLiteral("linked to %1").arg(t.linkedDatabase);
        else
            line += QString::number(t.rows).rightJustified(10);
        if (!t.unreadable.isEmpty())
            line += QStringLiteral("  NOT READ: ") + t.unreadable;
        text += line + QLatin1Char('\n');
    }
    text += QStringLiteral("Column types: %1\n").arg(countsText(db.columnTypes));
    if (!db.complexColumns.isEmpty())
        text += QStringLiteral("Complex columns: %1\n").arg(db.complexColumns.join(QStringLiteral(", ")));
    text += QStringLiteral("Linked tables: %1\n").arg(db.linkedTables());
    text += QStringLiteral("Relationships: %1 (%2 enforced)\n")
                .arg(db.relationships)
                .arg(db.enforcedRelationships);
    codeText(text, db.code);
    for (const QString& warning : db.code.warnings)
        text += QStringLiteral("  Code not read: %1\n").arg(warning);
    if (!db.code.folder.isEmpty())
        text += QStringLiteral("Code: %1\n").arg(db.code.folder);
    if (!db.code.unwritten.isEmpty())
        text += QStringLiteral("Code not written: %1\n").arg(db.code.unwritten);
    valuesText(text, db);
    if (!db.queriesFailure.isEmpty()) {
        text += QStringLiteral("Saved queries not read: %1\n").arg(db.queriesFailure);
        return;
    }
    text +=
        QStringLiteral("Saved queries: %1%2%3\n")
            .arg(db.savedQueries())
            .arg(db.queryKinds.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(countsText(db.queryKinds)))
            .arg(db.hiddenQueries ? QStringLiteral(", %1 hidden").arg(db.hiddenQueries) : QString());
    for (const QString& query : db.unreadQueries)
        text += QStringLiteral("  Query not read, %1\n").arg(query);
    // What each target makes of the queries, when there are any to make something of.
    for (const TargetQueries& target : db.savedQueries() > 0 ? db.targets : QList<TargetQueries>()) {
        text += targetLine(target);
        for (const QString& left : target.left)
            text += QStringLiteral("    %1\n").arg(left);
    }
    if (!db.unreadableTables().isEmpty())
        text += QStringLiteral("Tables not read: %1\n").arg(db.unreadableTables().join(QStringLiteral(", ")));
}

} // namespace

QString assessmentText(const Assessment& assessment) {
    QString text;
    int width = 8;
    for (const DatabaseFacts& db : assessment)
        width = std::max(width, int(QFileInfo(db.path).fileName().size()));
    text += QStringLiteral("Database").leftJustified(width) +
            QStringLiteral("  Status       Size     Tables       Rows  Queries  Modules  VBA lines\n");
    for (const DatabaseFacts& db : assessment)
        // One arg call for all, so that a % in a file's name is never taken for a place of the next.
        text +=
            QStringLiteral("%1  %2 %3 %4 %5 %6 %7 %8\n")
                .arg(QFileInfo(db.path).fileName().leftJustified(width), statusText(db).leftJustified(11),
                     sizeText(db.size).rightJustified(9), QString::number(db.tables.size()).rightJustified(7),
                     QString::number(db.rows()).rightJustified(10),
                     QString::number(db.savedQueries()).rightJustified(8),
                     QString::number(db.code.modules()).rightJustified(8),
                     QString::number(db.code.lines).rightJustified(10));
    for (const DatabaseFacts& db : assessment)
        databaseText(text, db);
    const AssessmentTotals t = totals(assessment);
    text += QStringLiteral("\n== Summary\n");
    text += QStringLiteral("Databases: %1 (%2 read, %3 partly read, %4 not read)\n")
                .arg(t.databases)
                .arg(t.read)
                .arg(t.partly)
                .arg(t.unreadable);
    text += QStringLiteral("Size: %1\n").arg(sizeText(t.size));
    text += QStringLiteral("Tables: %1 (%2 linked), %3 rows\n").arg(t.tables).arg(t.linkedTables).arg(t.rows);
    text += QStringLiteral("Relationships: %1\n").arg(t.relationships);
    codeText(text, t.code);
    text += QStringLiteral("Saved queries: %1\n").arg(t.savedQueries);
    for (const TargetQueries& target : t.savedQueries > 0 ? targetTotals(assessment) : QList<TargetQueries>())
        text += targetLine(target);
    if (!t.valuesRead) {
        text +=
            QStringLiteral("Values a target cannot hold and rules the rows break were not looked for: that "
                           "takes reading every row, which --values, --data and --into do.\n");
        return text;
    }
    QStringList unheld;
    for (auto it = t.unheld.cbegin(); it != t.unheld.cend(); ++it)
        unheld << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    text += QStringLiteral("Values a target cannot hold: %1\n")
                .arg(unheld.isEmpty() ? QStringLiteral("none") : unheld.join(QStringLiteral(", ")));
    text += QStringLiteral("Rules the rows break: %1\n").arg(t.brokenRules);
    return text;
}
