// veltrane-cli: runs the same conversion as the window's "Gen SQL" and prints what the window would show.

#include "AssessMain.h"
#include "CliArguments.h"
#include "CliPassword.h"
#include "CliWindow.h"
#include "CodeOutput.h"
#include "ConversionRun.h"
#include "DataOutput.h"
#include "ExitStatus.h"
#include "HugePages.h"
#include "MigrateHandOff.h"
#include "OneRequestReader.h"
#include "QueriesOutput.h"
#include "ReaderProcess.h"
#include "ReaderProtocol.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>

namespace {

// Writes the parts one after the other, all or nothing.
bool writeAll(QFileDevice& device, std::initializer_list<const QByteArray*> parts) {
    for (const QByteArray* part : parts)
        if (device.write(*part) != part->size())
            return false;
    return device.flush();
}

// Nothing when the script is written, else the system's reason why not.
std::optional<QString> writeOutput(const QByteArray& header, const QByteArray& body,
                                   const QString& outputFile) {
    if (outputFile.isEmpty()) {
        QFile out;
        if (out.open(stdout, QIODevice::WriteOnly) && writeAll(out, {&header, &body}))
            return std::nullopt;
        return out.errorString();
    }
    // Written beside the target and renamed over it, so a failed run never leaves half a script.
    QSaveFile file(outputFile);
    // QSaveFile commits a short write (a full disk) as success unless the flush is checked first.
    if (file.open(QIODevice::WriteOnly) && writeAll(file, {&header, &body}) && file.commit())
        return std::nullopt;
    const QString reason = file.errorString(); // before cancelWriting, which puts its own in its place
    file.cancelWriting();
    return reason;
}

// Ends the process once the script is out. Freeing the schema and the script piece by piece and waiting
// for the reader process to be killed would only delay the exit: the system takes the memory back at once,
// and the reader ends by itself when its input closes with this process.
[[noreturn]] int endNow(int status) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

} // namespace

int main(int argc, char* argv[]) {
    preferHugePages();
    QCoreApplication app(argc, argv);
    if (const std::optional<int> status = assessIfAsked(QCoreApplication::arguments()))
        return endNow(*status);
    const CliArguments arguments = ParseCliArguments(QCoreApplication::arguments());
    if (const auto* error = std::get_if<CliUsageError>(&arguments)) {
        printError(error->message + QStringLiteral(" (see --help)"));
        return Usage;
    }
    if (const auto* text = std::get_if<CliText>(&arguments)) {
        std::fputs(text->text.toLocal8Bit().constData(), stdout);
        return Success;
    }
    const CliRequest& request = std::get<CliRequest>(arguments);
    if (!request.into.isEmpty())
        return handOffMigration(argv);

    ReaderProcess engine;
    engine.start();
    if (const std::optional<int> status =
            supplyPassword(request.passwordFile, request.options.DatabasePath, engine))
        return *status;
    if (request.queries)
        return endNow(runQueries(request, engine));
    if (!request.codeFolder.isEmpty())
        return endNow(runCode(request, engine));
    if (request.data || !request.csvFolder.isEmpty())
        return endNow(runWithData(request, engine));
    OneRequestReader reader(engine);
    CliWindow window(request.options, request.verbose);
    const RunOutcome outcome = cmdGenSQL_Click(window, reader);
    switch (outcome.ending) {
    case RunOutcome::Ending::NoPath:
        return Usage;
    case RunOutcome::Ending::ReaderUnavailable:
        return Unavailable;
    case RunOutcome::Ending::DatabaseUnreadable:
        return unreadableDatabaseStatus(outcome.failureNumber);
    case RunOutcome::Ending::PartlyRead:
    case RunOutcome::Ending::Done:
    case RunOutcome::Ending::Stopped: // the command line never asks a run to stop
        break;
    }

    if (const auto failure = writeOutput(window.headerUtf8(request.lineFeeds),
                                         window.bodyUtf8(request.lineFeeds), request.outputFile)) {
        printCannotWrite(request.outputFile, *failure);
        return CannotCreate;
    }
    // The script is written all the same: what could be read is useful.
    return endNow(outcome.ending == RunOutcome::Ending::PartlyRead ? DataError : Success);
}
