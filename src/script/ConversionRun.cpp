#include "ConversionRun.h"

#include "SchemaReader.h"
#include "TableScript.h"
#include "WindowOps.h"

namespace {

const QString CRLF = QStringLiteral("\r\n");

// Blank means empty after removing leading and trailing spaces (spaces only, not other white space).
bool isBlank(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == QLatin1Char(' '); });
}

// System tables are left out unless asked for: names that begin with "MSys" in exactly that case, and
// empty names.
bool skipped(const QString& tableName, const ConversionOptions& options) {
    return !options.IncludeSystemTables &&
           (tableName.startsWith(QLatin1String("MSys")) || tableName.isEmpty());
}

struct Counters {
    qint64 tables = 0;
    qint64 fields = 0;
    qint64 indexes = 0;
};

QString resultsHeader(const QString& databasePath, const Counters& counts) {
    const QString rule(35, QLatin1Char('-'));
    return QStringLiteral("RESULTS: ") + CRLF + rule + CRLF + QStringLiteral("Database ~ ") +
           databasePath.toUpper() + CRLF + QStringLiteral("Tables   ~ ") + QString::number(counts.tables) +
           CRLF + QStringLiteral("Fields   ~ ") + QString::number(counts.fields) + CRLF +
           QStringLiteral("Indexes  ~ ") + QString::number(counts.indexes) + CRLF + CRLF +
           QStringLiteral("SQL SCRIPT(S) ") + CRLF + rule + CRLF + CRLF;
}

} // namespace

void cmdGenSQL_Click(WindowOps& window, SchemaReader& reader) {
    window.setScriptText(QString());
    if (isBlank(window.readOptions().UserNames))
        window.uncheckCreatePermissions();
    // Taken once, after the permission box may have changed; nothing else changes during a run.
    const ConversionOptions options = window.readOptions();
    if (isBlank(options.DatabasePath)) {
        window.showMessage(QStringLiteral("You must select a DB first. Exiting..."));
        return;
    }

    window.setProgress(QStringLiteral("Getting Tables"));
    const TableList tableList = reader.GetTableNames(options.DatabasePath);
    if (const auto* failure = std::get_if<ReadFailure>(&tableList)) {
        window.showMessage(QString::number(failure->number) + QStringLiteral("  ") + failure->description);
        window.showMessage(QStringLiteral("This DB doesn't appear to be the correct format. Exiting..."));
        return;
    }

    const TextList& tables = std::get<TextList>(tableList);
    const bool accessSql = options.ScriptType == QLatin1String("Access SQL");
    const ScriptTarget target{options, reader, window};
    Counters counts;
    for (int i = 1; i <= tables.upperBound(); ++i) {
        if (window.stopRequested())
            return;
        const QString& tableName = tables.at(i);
        if (skipped(tableName, options))
            continue;
        FieldTable fields = reader.GetTableFields(options.DatabasePath, tableName);
        ++counts.tables;
        counts.fields += fields.upperBound();
        counts.indexes += accessSql ? BuildAccessSqlScript(fields, tableName, target)
                                    : BuildTSqlScript(fields, tableName, target);
    }

    window.setScriptText(resultsHeader(options.DatabasePath, counts) + window.scriptText());
    window.setProgress(QStringLiteral("Done..."));
}
