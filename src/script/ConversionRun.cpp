#include "ConversionRun.h"

#include "CompleteRun.h"
#include "ResultsHeader.h"
#include "SchemaReader.h"
#include "TableScript.h"
#include "TableSelection.h"
#include "TargetDialect.h"
#include "WindowOps.h"

namespace {

const QString crlf = QStringLiteral("\r\n");

// Blank means empty after removing leading and trailing spaces (spaces only, not other white space).
bool isBlank(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == QLatin1Char(' '); });
}

struct Counters {
    qint64 tables = 0;
    qint64 fields = 0;
    qint64 indexes = 0;
};

// At most this many table names in a message; the rest are counted.
constexpr int namesShown = 10;

QString nameList(const QStringList& names) {
    QString list = names.mid(0, namesShown).join(QStringLiteral(", "));
    if (names.size() > namesShown)
        list += QStringLiteral(" and %1 more").arg(names.size() - namesShown);
    return list;
}

// Passes every question on to the run's reader and notes the tables whose index list could not be read
// (the writers ask for index lists themselves).
class IndexListWatch : public SchemaReader {
public:
    explicit IndexListWatch(SchemaReader& reader) : reader_(reader) {}
    TableList GetTableNames(const QString& path) override { return reader_.GetTableNames(path); }
    FieldTable GetTableFields(const QString& path, const QString& tableName) override {
        return reader_.GetTableFields(path, tableName);
    }
    IndexList GetTableIndexes(const QString& path, const QString& tableName) override {
        IndexList indexes = reader_.GetTableIndexes(path, tableName);
        if (indexes == unreadableIndexes())
            unreadable << tableName;
        return indexes;
    }
    std::variant<ReadFailure, DatabaseSchema> GetDatabaseSchema(const QString& path) override {
        return reader_.GetDatabaseSchema(path);
    }
    std::variant<ReadFailure, QList<Relationship>>
    ReadDatabaseSchema(const QString& path, const std::function<void(TableDefinition&&)>& table) override {
        return reader_.ReadDatabaseSchema(path, table);
    }

    QStringList unreadable;

private:
    SchemaReader& reader_;
};

} // namespace

QString unreadTablesMessage(const RunOutcome& outcome) {
    QStringList parts;
    if (!outcome.unreadableTables.isEmpty())
        parts << QStringLiteral("The script is incomplete: %1 of the tables could not be read, the file "
                                "may be damaged: %2.")
                     .arg(outcome.unreadableTables.size())
                     .arg(nameList(outcome.unreadableTables));
    if (!outcome.notReadTables.isEmpty())
        parts << QStringLiteral(
                     "Linked tables not read because the table they link to could not be reached: %1.")
                     .arg(nameList(outcome.notReadTables));
    return parts.join(QLatin1Char('\n'));
}

RunOutcome cmdGenSQL_Click(WindowOps& window, SchemaReader& reader) {
    window.setScriptText(QString());
    if (isBlank(window.readOptions().UserNames))
        window.uncheckCreatePermissions();
    // Taken once, after the permission box may have changed; nothing else changes during a run.
    const ConversionOptions options = window.readOptions();
    RunOutcome outcome;
    if (isBlank(options.DatabasePath)) {
        window.showMessage(QStringLiteral("You must select a DB first. Exiting..."));
        outcome.ending = RunOutcome::Ending::NoPath;
        return outcome;
    }

    window.setProgress(QStringLiteral("Getting Tables"));
    if (const TargetDialect* dialect = completeScriptDialect(options.ScriptType))
        return runCompleteScript(*dialect, options, window, reader);
    const TableList tableList = reader.GetTableNames(options.DatabasePath);
    if (const auto* failure = std::get_if<ReadFailure>(&tableList))
        return endWithUnreadableDatabase(window, *failure);

    const TextList& tables = std::get<TextList>(tableList);
    const bool accessSql = options.ScriptType == QLatin1String("Access SQL");
    IndexListWatch watch(reader);
    const ScriptTarget target{options, watch, window};
    Counters counts;
    for (int i = 1; i <= tables.upperBound(); ++i) {
        if (window.stopRequested()) {
            outcome.ending = RunOutcome::Ending::Stopped;
            return outcome;
        }
        const QString& tableName = tables.at(i);
        if (!writesTable(tableName, options))
            continue;
        FieldTable fields = reader.GetTableFields(options.DatabasePath, tableName);
        const bool fieldsUnreadable = fields.isUnreadable();
        if (fields.isNotRead())
            outcome.notReadTables << tableName;
        ++counts.tables;
        counts.fields += fields.upperBound();
        watch.unreadable.clear();
        counts.indexes += accessSql ? BuildAccessSqlScript(fields, tableName, target)
                                    : BuildTSqlScript(fields, tableName, target);
        if (fieldsUnreadable || !watch.unreadable.isEmpty())
            outcome.unreadableTables << tableName;
    }

    window.prependScript(resultsHeader(options.DatabasePath, counts.tables, counts.fields, counts.indexes));
    window.setProgress(QStringLiteral("Done..."));

    outcome.ending =
        outcome.unreadableTables.isEmpty() ? RunOutcome::Ending::Done : RunOutcome::Ending::PartlyRead;
    const QString message = unreadTablesMessage(outcome);
    if (!message.isEmpty())
        window.showMessage(message);
    return outcome;
}

RunOutcome endWithUnreadableDatabase(WindowOps& window, const ReadFailure& failure) {
    window.showMessage(QString::number(failure.number) + QStringLiteral("  ") + failure.description);
    RunOutcome outcome;
    outcome.failureNumber = failure.number;
    // Without its reader program nothing can be said about the file, so it is not blamed.
    if (failure.number == ReaderUnavailableNumber) {
        outcome.ending = RunOutcome::Ending::ReaderUnavailable;
        return outcome;
    }
    window.showMessage(QStringLiteral("This DB doesn't appear to be the correct format. Exiting..."));
    outcome.ending = RunOutcome::Ending::DatabaseUnreadable;
    return outcome;
}
