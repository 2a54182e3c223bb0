#include "CodeOutput.h"

#include "CodeExport.h"
#include "ExitStatus.h"
#include "ReaderProcess.h"

int runCode(const CliRequest& request, ReaderProcess& reader) {
    const QString& path = request.options.DatabasePath;
    if (path.trimmed().isEmpty()) {
        printError(QStringLiteral("no database given"));
        return Usage;
    }
    const auto answer = reader.ReadProjectCode(path);
    if (const auto* failure = std::get_if<ReadFailure>(&answer)) {
        printError(failure->description);
        if (failure->number == ReaderUnavailableNumber)
            return Unavailable;
        return unreadableDatabaseStatus(failure->number);
    }
    const CodeExportOutcome outcome = writeProjectCode(std::get<ProjectCode>(answer), request.codeFolder);
    for (const QString& warning : outcome.warnings)
        printError(warning);
    if (!outcome.unwritten.isEmpty()) {
        printCannotWrite(outcome.unwritten, outcome.unwrittenReason);
        return CannotCreate;
    }
    if (request.verbose)
        for (const QString& file : outcome.files)
            std::fprintf(stderr, "%s\n", file.toLocal8Bit().constData());
    return outcome.warnings.isEmpty() ? Success : DataError;
}
