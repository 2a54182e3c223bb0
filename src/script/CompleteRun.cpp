#include "CompleteRun.h"

#include "CompleteScript.h"
#include "ResultsHeader.h"
#include "SchemaReader.h"
#include "WindowOps.h"

bool runCompleteScript(const TargetDialect& dialect, const ConversionOptions& options, WindowOps& window,
                       SchemaReader& reader) {
    const auto answer = reader.GetDatabaseSchema(options.DatabasePath);
    if (const auto* failure = std::get_if<ReadFailure>(&answer)) {
        window.showMessage(QString::number(failure->number) + QStringLiteral("  ") + failure->description);
        window.showMessage(QStringLiteral("This DB doesn't appear to be the correct format. Exiting..."));
        return false;
    }
    const DatabaseSchema& schema = std::get<DatabaseSchema>(answer);
    const CompleteScript script(dialect, schema, options);
    qint64 fields = 0;
    qint64 indexes = 0;
    for (int i = 0; i < script.tableCount(); ++i) {
        window.setProgress(QStringLiteral("Building ") + dialect.scriptType +
                           QStringLiteral(" Script for table ") + script.table(i).name);
        const CompleteScript::Piece piece = script.tableScript(i);
        fields += script.table(i).columns.size();
        indexes += piece.indexes;
        window.appendScript(piece.text);
        window.repaintScript();
    }
    window.setProgress(QStringLiteral("Building ") + dialect.scriptType + QStringLiteral(" foreign keys"));
    window.appendScript(script.relationshipScript());
    window.setScriptText(
        commentedHeader(resultsHeader(options.DatabasePath, script.tableCount(), fields, indexes)) +
        window.scriptText());
    window.setProgress(QStringLiteral("Done..."));
    return true;
}
