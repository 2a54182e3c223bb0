#include "CompleteRun.h"

#include "CompleteScript.h"
#include "QueryViews.h"
#include "ResultsHeader.h"
#include "SchemaReader.h"
#include "TextCase.h"
#include "WindowOps.h"

RunOutcome runCompleteScript(const TargetDialect& dialect, const ConversionOptions& options,
                             WindowOps& window, SchemaReader& reader) {
    RunOutcome outcome;
    // Each table is planned as soon as it is read, while the reader goes on to the next.
    CompleteScript script(dialect, options);
    const auto relationships = reader.ReadDatabaseSchema(
        options.DatabasePath, [&script](TableDefinition&& table) { script.addTable(std::move(table)); });
    if (const auto* failure = std::get_if<ReadFailure>(&relationships))
        return endWithUnreadableDatabase(window, *failure);
    script.finish(std::get<QList<Relationship>>(relationships));
    if (dialect.scriptSetup)
        window.appendScript(QString::fromLatin1(dialect.scriptSetup) + QStringLiteral(";\r\n\r\n"));
    if (const QString setup = textCaseSetup(dialect, options.CaseOfTexts); !setup.isEmpty())
        window.appendScript(setup + QStringLiteral(";\r\n\r\n"));
    for (int i = 0; i < script.tableCount(); ++i) {
        if (window.stopRequested()) {
            outcome.ending = RunOutcome::Ending::Stopped;
            return outcome;
        }
        const TableDefinition& table = script.table(i);
        if (window.showsProgress())
            window.setProgress(QStringLiteral("Building ") + dialect.scriptType +
                               QStringLiteral(" Script for table ") + table.name);
        window.appendScript(script.tableScript(i).text);
        window.repaintScript();
        if (table.columnsState == ReadState::NotRead)
            outcome.notReadTables << table.name;
        else if (table.columnsState == ReadState::Unreadable || table.indexesState == ReadState::Unreadable)
            outcome.unreadableTables << table.name;
    }
    window.setProgress(QStringLiteral("Building ") + dialect.scriptType + QStringLiteral(" foreign keys"));
    window.appendScript(script.relationshipScript());
    const QString views =
        options.CreateViews ? savedQueryViews(dialect, options, script.plan(), reader).text : QString();
    if (!views.isEmpty())
        window.appendScript(views);
    // A table whose columns could not be read counts as one field, as in the classic scripts.
    const PlanCounts counts = script.plan().counts();
    window.prependScript(
        commentedHeader(resultsHeader(options.DatabasePath, counts.tables, counts.fields, counts.indexes)));
    window.setProgress(QStringLiteral("Done..."));

    outcome.ending =
        outcome.unreadableTables.isEmpty() ? RunOutcome::Ending::Done : RunOutcome::Ending::PartlyRead;
    const QString message = unreadTablesMessage(outcome);
    if (!message.isEmpty())
        window.showMessage(message);
    return outcome;
}
