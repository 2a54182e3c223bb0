// veltrane-cli-migrate: veltrane-cli --into, started by veltrane-cli in its place with the same arguments.

#include "BatchMigration.h"
#include "CliArguments.h"
#include "CliPassword.h"
#include "ExitStatus.h"
#include "HugePages.h"
#include "MigrateOutput.h"
#include "ReaderProcess.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    preferHugePages();
    QCoreApplication app(argc, argv);
    const CliArguments arguments = ParseCliArguments(QCoreApplication::arguments());
    const CliRequest* request = std::get_if<CliRequest>(&arguments);
    if (!request || request->into.isEmpty()) {
        printError(QStringLiteral("veltrane-cli-migrate is started by veltrane-cli --into"));
        return Usage;
    }
    if (isBatch(*request))
        return runBatch(*request, QCoreApplication::arguments());
    ReaderProcess engine;
    engine.start();
    if (const std::optional<int> status =
            supplyPassword(request->passwordFile, request->options.DatabasePath, engine))
        return *status;
    const int status = runMigrate(*request, engine);
    // As veltrane-cli: the system takes the memory back at once, and the reader ends with this process.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}
