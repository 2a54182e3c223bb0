#pragma once
// veltrane-cli's exit statuses (those of sysexits.h) and its one way of saying what went wrong.

#include "ConversionRun.h"

#include <QString>
#include <cerrno>
#include <cstdio>
#include <system_error>

enum ExitStatus {
    Success = 0,
    Usage = 64,
    DataError = 65,
    NoInput = 66,
    Unavailable = 69,
    TargetRefused = 70, // --into: the target refused the connection or a statement, or holds other counts
    CannotCreate = 73,
    NoPermission = 77 // an encrypted database without its password, or with a wrong one
};

// The status of a database the reader could not open, by the reader's failure number.
inline int unreadableDatabaseStatus(int failureNumber) {
    if (failureNumber == 3024) // file not found
        return NoInput;
    if (failureNumber == 3031) // not a valid password
        return NoPermission;
    return DataError;
}

// The status of a run that reads the database: its ending, whatever it wrote.
inline int readingStatus(const RunOutcome& run) {
    switch (run.ending) {
    case RunOutcome::Ending::NoPath:
        return Usage;
    case RunOutcome::Ending::ReaderUnavailable:
        return Unavailable;
    case RunOutcome::Ending::DatabaseUnreadable:
        return unreadableDatabaseStatus(run.failureNumber);
    case RunOutcome::Ending::PartlyRead:
        return DataError;
    case RunOutcome::Ending::Done:
    case RunOutcome::Ending::Stopped:
        break;
    }
    return Success;
}

inline void printError(const QString& text) {
    std::fprintf(stderr, "veltrane-cli: %s\n", text.toLocal8Bit().constData());
}

// "cannot write OUTPUT: REASON", the output "standard output" when no file is given and the reason the
// system's ("No space left on device").
inline void printCannotWrite(const QString& outputFile, const QString& reason) {
    const QString output = outputFile.isEmpty() ? QStringLiteral("standard output") : outputFile;
    printError(reason.isEmpty() ? QStringLiteral("cannot write %1").arg(output)
                                : QStringLiteral("cannot write %1: %2").arg(output, reason));
}

// The system's reason for the last failed call, as printCannotWrite gives it.
inline QString lastSystemError() {
    return QString::fromStdString(std::generic_category().message(errno));
}
