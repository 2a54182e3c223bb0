#pragma once
// Runs veltrane-cli on one damaged file in both dialects, and once with --code (its VBA project),
// inside a sandbox of empty folders, and tells what
// happened: a script, a read failure reported as such, or one of the outcomes that must never occur (a
// crash of veltrane-cli, a run past the reader's time limit, a failure without a message, a file written
// anywhere, a changed database). When the answer is "damaged", the reader process is asked directly to
// tell what libmdb did with the file (crashed, ran out of time, or found the catalog broken).

#include <QByteArray>
#include <QString>
#include <QStringList>

struct RunLimits {
    QString cliProgram;
    QString readerProgram;
    int timeoutSeconds = 5; // VELTRANE_READER_TIMEOUT of every run
    int marginSeconds = 5;  // a run that takes longer than the time limit plus this has hung
};

enum class CliOutcome {
    Script,            // exit 0 with the results header on stdout, or 65 with it and the unread tables named
    ReadFailure,       // exit 65 or 66 with the failure message on stderr
    UnreportedFailure, // exit 65/66 without a message, or exit 0 without a script
    Crash,             // a signal, or an exit status other than 0, 65, 66
    Hang,              // still running at the time limit plus the margin
};

struct CliRun {
    CliOutcome outcome = CliOutcome::Script;
    int exitCode = 0; // the signal number when the outcome is Crash by signal
    bool bySignal = false;
    qint64 milliseconds = 0;
    QString message; // first line on stderr
};

// What the reader process itself did with a file, asked for the whole schema.
enum class ReaderFate { Answered, Crashed, TimedOut, NoAnswer };
struct ReaderProbe {
    ReaderFate fate = ReaderFate::Answered;
    int detail = 0; // Answered: the failure number (0 for a schema); Crashed: the signal; NoAnswer: exit code
};

struct CaseResult {
    CliRun accessSql;
    CliRun tSql;
    CliRun code; // --code: Script when it exits 0, ReadFailure for 65, 66 or 77 with a message
    bool databaseChanged = false;
    QStringList strayFiles; // relative to the sandbox
    bool probed = false;
    ReaderProbe probe;
};

// Makes workDir a sandbox, writes bytes there as fileName, runs the case and removes workDir again.
CaseResult runCase(const QByteArray& bytes, const QString& fileName, const QString& workDir,
                   const RunLimits& limits);

// Asks the reader process for the schema of the file at path.
ReaderProbe probeReader(const QString& path, const RunLimits& limits);

// The name of the outcome that makes this case worth keeping, or an empty text for a case that went as it
// should and did not trouble the reader. Names of outcomes that must never occur begin with "FAIL ".
QString distinctOutcome(const CaseResult& result);
QString readerFateName(const ReaderProbe& probe);
