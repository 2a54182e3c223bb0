#include "MigrateOutput.h"

#include "BatchReport.h"
#include "CliWindow.h"
#include "ExitStatus.h"
#include "Migration.h"
#include "PasswordPrompt.h"
#include "ProgressLine.h"
#include "ReaderProtocol.h"
#include "SyncOutput.h"
#include "TargetSpace.h"

#include <QDir>
#include <QSaveFile>
#include <cstdio>
#include <unistd.h>

int runMigrate(const CliRequest& request, SchemaReader& reader) {
    auto address = parseTargetAddress(request.into);
    if (const auto* error = std::get_if<AddressError>(&address)) {
        printError(error->message);
        return Usage;
    }
    MigrationRequest migration{.address = request.schema.isEmpty()
                                              ? std::get<TargetAddress>(address)
                                              : inSpace(std::get<TargetAddress>(address), request.schema),
                               .tables = request.tables,
                               .replace = request.replace,
                               .verify = request.verify};
    // With --schema a SQLite address names the folder of the files, as in a batch: made when missing.
    const TargetAddress& given = std::get<TargetAddress>(address);
    if (!request.schema.isEmpty() && given.kind == TargetKind::Sqlite && !QDir().mkpath(given.path)) {
        printError(QStringLiteral("cannot make the folder %1 for the SQLite files").arg(given.path));
        return CannotCreate;
    }
    if (request.passwordPrompt) {
        const std::optional<QString> password =
            askPassword(QStringLiteral("Password for %1: ").arg(describeTarget(migration.address)));
        if (!password) {
            printError(QStringLiteral("--password-prompt needs a terminal"));
            return Usage;
        }
        migration.password = *password;
    }
    if (request.sync)
        return runSyncOutput(request, migration, reader);

    CliWindow window(request.options, request.verbose);
    MigrationReport report;
    {
        ProgressLine line(!request.verbose && isatty(STDERR_FILENO));
        report = runMigration(request.options, migration, window, reader,
                              [&line](const QString& table, qint64 rows, int number, int count) {
                                  line.update(table, rows, number, count);
                                  return true;
                              });
    }
    if (!request.summaryFile.isEmpty() && report.ending == MigrationReport::Ending::Done) {
        // The batch that started this run reads the counts for its report; without them its line says so.
        QSaveFile summary(request.summaryFile);
        if (!summary.open(QIODevice::WriteOnly) || summary.write(summaryLine(report).toUtf8()) < 0 ||
            !summary.commit())
            printCannotWrite(request.summaryFile, summary.errorString());
    }
    if (!report.missingTables.isEmpty()) {
        printError(QStringLiteral("no table named %1 in %2")
                       .arg(report.missingTables.join(QStringLiteral(", ")), request.options.DatabasePath));
        return DataError;
    }
    if (report.ending == MigrationReport::Ending::Unreadable)
        return readingStatus(report.run);

    const QString text = reportText(report);
    std::fputs(text.toLocal8Bit().constData(),
               report.ending == MigrationReport::Ending::Done ? stdout : stderr);
    for (const QString& warning : report.leftOut + report.warnings)
        printError(warning);
    switch (report.ending) {
    case MigrationReport::Ending::Done:
        break;
    case MigrationReport::Ending::TablesExist:
        return CannotCreate;
    default:
        return TargetRefused;
    }
    if (!report.countsAgree() || !report.valuesAgree())
        return TargetRefused;
    const int status = readingStatus(report.run);
    return status == Success && !(report.warnings.isEmpty() && report.leftOut.isEmpty()) ? DataError : status;
}
