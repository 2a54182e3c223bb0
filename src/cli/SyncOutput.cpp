#include "SyncOutput.h"

#include "CliWindow.h"
#include "ExitStatus.h"
#include "ProgressLine.h"
#include "Sync.h"

#include <cstdio>
#include <unistd.h>

int runSyncOutput(const CliRequest& request, const MigrationRequest& migration, SchemaReader& reader) {
    CliWindow window(request.options, request.verbose);
    SyncReport report;
    {
        ProgressLine line(!request.verbose && isatty(STDERR_FILENO));
        report = runSync(request.options, migration, window, reader,
                         [&line](const QString& table, qint64 rows, int number, int count) {
                             line.update(table, rows, number, count);
                             return true;
                         });
    }
    const MigrationReport& run = report.run;
    if (!run.missingTables.isEmpty()) {
        printError(QStringLiteral("no table named %1 in %2")
                       .arg(run.missingTables.join(QStringLiteral(", ")), request.options.DatabasePath));
        return DataError;
    }
    if (run.ending == MigrationReport::Ending::Unreadable)
        return readingStatus(run.run);
    const QString text = syncReportText(report);
    std::fputs(text.toLocal8Bit().constData(), run.ending == MigrationReport::Ending::Done ? stdout : stderr);
    for (const QString& warning : run.warnings)
        printError(warning);
    if (run.ending != MigrationReport::Ending::Done || !report.valuesAgree())
        return TargetRefused;
    const int status = readingStatus(run.run);
    return status == Success && !run.warnings.isEmpty() ? DataError : status;
}
