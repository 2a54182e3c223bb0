#include "DataOutput.h"

#include "CliWindow.h"
#include "CsvExport.h"
#include "DataScript.h"
#include "ExitStatus.h"
#include "ProgressLine.h"
#include "ReaderProtocol.h"
#include "SchemaReader.h"
#include "TargetDialect.h"

#include <QSaveFile>
#include <cstdio>
#include <unistd.h>

namespace {

// Where the script goes, line ends changed as asked on the way (a value never holds a CR or LF as it is, and
// the script is handed over in whole lines).
class ScriptSink {
public:
    ScriptSink(const QString& outputFile, bool lineFeeds) : lineFeeds_(lineFeeds), file_(outputFile) {
        toFile_ = !outputFile.isEmpty();
        ok_ = !toFile_ || file_.open(QIODevice::WriteOnly);
        if (!ok_)
            failure_ = file_.errorString();
    }
    bool write(std::string_view bytes) {
        if (lineFeeds_) {
            converted_.clear();
            for (std::size_t i = 0; i < bytes.size(); ++i)
                if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
                    converted_ += bytes[i];
            bytes = converted_;
        }
        if (!ok_)
            return false;
        ok_ = toFile_ ? file_.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size())
                      : std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
        if (!ok_)
            failure_ = toFile_ ? file_.errorString() : lastSystemError();
        return ok_;
    }
    bool finish() {
        if (!ok_)
            return false;
        if (!toFile_) {
            ok_ = std::fflush(stdout) == 0;
            if (!ok_)
                failure_ = lastSystemError();
            return ok_;
        }
        ok_ = file_.flush() && file_.commit();
        if (!ok_) {
            failure_ = file_.errorString(); // before cancelWriting, which puts its own in its place
            file_.cancelWriting();
        }
        return ok_;
    }
    // The system's reason for the first write that failed.
    const QString& failure() const { return failure_; }

private:
    bool lineFeeds_;
    bool ok_ = true;
    bool toFile_ = false;
    QSaveFile file_;
    QString failure_;
    std::string converted_;
};

int warnAndEnd(const QStringList& warnings, int status) {
    for (const QString& warning : warnings)
        printError(warning);
    return status == Success && !warnings.isEmpty() ? DataError : status;
}

} // namespace

int runWithData(const CliRequest& request, SchemaReader& reader) {
    CliWindow window(request.options, request.verbose);
    ProgressLine line(!request.verbose && isatty(STDERR_FILENO));
    const RowProgress progress = [&line](const QString& table, qint64 rows, int number, int count) {
        line.update(table, rows, number, count);
        return true;
    };
    const DataRequest data{.schema = !request.dataOnly, .tables = request.tables};

    if (!request.csvFolder.isEmpty()) {
        const CsvOutcome outcome =
            runCsvExport(request.options, data, window, reader, request.csvFolder, progress);
        if (!outcome.missingTables.isEmpty()) {
            printError(
                QStringLiteral("no table named %1 in %2")
                    .arg(outcome.missingTables.join(QStringLiteral(", ")), request.options.DatabasePath));
            return DataError;
        }
        if (!outcome.unwritten.isEmpty()) {
            printCannotWrite(outcome.unwritten, outcome.unwrittenReason);
            return CannotCreate;
        }
        return warnAndEnd(outcome.warnings, readingStatus(outcome.run));
    }

    const TargetDialect* dialect = completeScriptDialect(request.options.ScriptType);
    if (!dialect)
        return Usage; // the arguments have been checked already
    ScriptSink sink(request.outputFile, request.lineFeeds);
    const DataOutcome outcome = runDataScript(
        *dialect, request.options, data, window, reader,
        [&sink](std::string_view bytes) { return sink.write(bytes); }, progress);
    if (!outcome.missingTables.isEmpty()) {
        printError(QStringLiteral("no table named %1 in %2")
                       .arg(outcome.missingTables.join(QStringLiteral(", ")), request.options.DatabasePath));
        return DataError;
    }
    const int status = readingStatus(outcome.run);
    if (outcome.run.ending == RunOutcome::Ending::DatabaseUnreadable ||
        outcome.run.ending == RunOutcome::Ending::ReaderUnavailable)
        return status;
    if (!outcome.written || !sink.finish()) {
        printCannotWrite(request.outputFile, sink.failure());
        return CannotCreate;
    }
    return warnAndEnd(outcome.warnings, status);
}
