#include "CaseRun.h"

#include "ReaderProtocol.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr int stopWaitMs = 2'000;

// An mtime far in the past: any write, even one that only touches the file, moves it.
constexpr timespec fixedTime{981'158'400, 123'456'789}; // 2001-02-03

struct FileStamp {
    qint64 size = -1;
    timespec mtime{};
    timespec ctime{};
    ino_t inode = 0;
};

bool operator==(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

FileStamp stampOf(const QString& path) {
    FileStamp stamp;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.size = info.st_size;
    stamp.mtime = info.st_mtim;
    stamp.ctime = info.st_ctim;
    stamp.inode = info.st_ino;
    return stamp;
}

bool sameStamp(const FileStamp& a, const FileStamp& b) {
    return a.size == b.size && a.mtime == b.mtime && a.ctime == b.ctime && a.inode == b.inode;
}

bool writeDatabase(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    const timespec times[2] = {fixedTime, fixedTime};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

// Everything below root, as paths relative to it.
QStringList entriesBelow(const QString& root) {
    QStringList found;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(root).relativeFilePath(it.next());
    return found;
}

QString firstLine(const QByteArray& text) {
    const qsizetype end = text.indexOf('\n');
    return QString::fromLocal8Bit(end < 0 ? text : text.left(end)).trimmed();
}

CliRun runCli(const QStringList& arguments, const QString& workingDir, const QProcessEnvironment& environment,
              const RunLimits& limits) {
    CliRun run;
    QProcess process;
    process.setWorkingDirectory(workingDir);
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(limits.cliProgram, arguments);
    if (!process.waitForStarted(stopWaitMs)) {
        run.outcome = CliOutcome::Crash;
        run.exitCode = -1;
        run.message = QStringLiteral("could not start ") + limits.cliProgram;
        return run;
    }
    const int limitMs = (limits.timeoutSeconds + limits.marginSeconds) * 1000;
    const bool finished = process.waitForFinished(limitMs);
    run.milliseconds = clock.elapsed();
    if (!finished) {
        process.kill();
        process.waitForFinished(stopWaitMs);
        run.outcome = CliOutcome::Hang;
        return run;
    }
    const QByteArray out = process.readAllStandardOutput();
    const QByteArray err = process.readAllStandardError();
    run.message = firstLine(err);
    run.exitCode = process.exitCode();
    if (process.exitStatus() == QProcess::CrashExit) {
        run.outcome = CliOutcome::Crash;
        run.bySignal = true;
        return run;
    }
    switch (run.exitCode) {
    case 0:
        run.outcome = out.startsWith("RESULTS: \r\n") ? CliOutcome::Script : CliOutcome::UnreportedFailure;
        break;
    case 65:
        // A partly read database: the script is written, and the tables it lacks are named on stderr.
        if (out.startsWith("RESULTS: \r\n")) {
            run.outcome = run.message.isEmpty() ? CliOutcome::UnreportedFailure : CliOutcome::Script;
            break;
        }
        [[fallthrough]];
    case 66:
    case 77: // damage that makes a header read as encrypted: refused as a file without its password
        run.outcome = run.message.isEmpty() ? CliOutcome::UnreportedFailure : CliOutcome::ReadFailure;
        break;
    default:
        run.outcome = CliOutcome::Crash;
    }
    return run;
}

QString signalName(int signal) {
    const char* name = ::sigabbrev_np(signal);
    return name ? QStringLiteral("SIG") + QLatin1String(name) : QStringLiteral("signal %1").arg(signal);
}

QString cliFailure(const CliRun& run) {
    switch (run.outcome) {
    case CliOutcome::Crash:
        return QStringLiteral("FAIL veltrane-cli ") +
               (run.bySignal ? signalName(run.exitCode) : QStringLiteral("exit %1").arg(run.exitCode));
    case CliOutcome::Hang:
        return QStringLiteral("FAIL over time limit");
    case CliOutcome::UnreportedFailure:
        return QStringLiteral("FAIL failure without message");
    case CliOutcome::Script:
    case CliOutcome::ReadFailure:
        break;
    }
    return {};
}

bool saysDamaged(const CliRun& run) {
    return run.outcome == CliOutcome::ReadFailure && run.message.startsWith(QLatin1String("3049 "));
}

// Whether the bytes hold a whole-schema answer to its end: frames up to the tail frame, or up to a head frame
// that carries a failure (or that cannot be told apart, which decoding then rejects).
bool wholeSchemaAnswer(const QByteArray& received) {
    using namespace readerprotocol;
    std::string_view rest(received.constData(), size_t(received.size()));
    SchemaAnswerDecoder decoder([](TableSchema&&) {});
    for (;;) {
        const auto size = frameSize(rest);
        if (!size || *size > rest.size() - 4)
            return false;
        if (decoder.take(rest.substr(4, *size)) != SchemaAnswerDecoder::Progress::More)
            return true;
        rest.remove_prefix(4 + std::size_t(*size));
    }
}

} // namespace

ReaderProbe probeReader(const QString& path, const RunLimits& limits) {
    using namespace readerprotocol;
    ReaderProbe probe;
    QProcess reader;
    reader.setStandardErrorFile(QProcess::nullDevice());
    reader.start(limits.readerProgram, {});
    if (!reader.waitForStarted(stopWaitMs)) {
        probe.fate = ReaderFate::NoAnswer;
        probe.detail = -1;
        return probe;
    }
    const std::string frame = encode(Request{RequestKind::Schema, QFile::encodeName(path).toStdString(), {}});
    reader.write(frame.data(), qint64(frame.size()));
    reader.closeWriteChannel();

    const QDeadlineTimer deadline(limits.timeoutSeconds * 1000);
    QByteArray received;
    bool complete = false;
    while (!complete && !deadline.hasExpired() && reader.state() == QProcess::Running) {
        reader.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        received += reader.readAllStandardOutput();
        complete = wholeSchemaAnswer(received);
    }
    if (!complete && reader.state() == QProcess::Running) {
        reader.kill();
        reader.waitForFinished(stopWaitMs);
        probe.fate = ReaderFate::TimedOut;
        return probe;
    }
    // With its input closed the reader ends by itself once it has answered.
    if (!reader.waitForFinished(stopWaitMs)) {
        reader.kill();
        reader.waitForFinished(stopWaitMs);
    }
    received += reader.readAllStandardOutput();
    if (reader.exitStatus() == QProcess::CrashExit && !complete) {
        probe.fate = ReaderFate::Crashed;
        probe.detail = reader.exitCode();
        return probe;
    }
    const auto answer = complete
                            ? decodeSchema(std::string_view(received.constData(), size_t(received.size())))
                            : std::nullopt;
    if (!answer) {
        probe.fate = ReaderFate::NoAnswer;
        probe.detail = reader.exitCode();
        return probe;
    }
    probe.detail = answer->failure ? int(answer->failure->number) : 0;
    return probe;
}

CaseResult runCase(const QByteArray& bytes, const QString& fileName, const QString& workDir,
                   const RunLimits& limits) {
    CaseResult result;
    QDir work(workDir);
    for (const char* folder : {"db", "cwd", "home", "tmp"})
        work.mkpath(QLatin1String(folder));
    const QString database = work.filePath(QStringLiteral("db/") + fileName);
    if (!writeDatabase(database, bytes)) {
        result.strayFiles << QStringLiteral("(could not write the damaged copy)");
        return result;
    }
    const FileStamp before = stampOf(database);

    // Every folder a program might write to points into the sandbox.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString home = work.filePath(QStringLiteral("home"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("TMPDIR"), work.filePath(QStringLiteral("tmp")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), home + QStringLiteral("/.local/state"));
    environment.insert(QStringLiteral("VELTRANE_READER_TIMEOUT"), QString::number(limits.timeoutSeconds));
    const QString cwd = work.filePath(QStringLiteral("cwd"));

    result.accessSql = runCli({database}, cwd, environment, limits);
    result.tSql = runCli({QStringLiteral("-t"), QStringLiteral("T-SQL"), database}, cwd, environment, limits);

    // --code writes its files into a folder of the sandbox that is removed with it; it writes no script.
    result.code = runCli({QStringLiteral("--code"), work.filePath(QStringLiteral("code")), database}, cwd,
                         environment, limits);
    if (!result.code.bySignal && result.code.outcome != CliOutcome::Hang) {
        if (result.code.exitCode == 0)
            result.code.outcome = CliOutcome::Script;
        else if (result.code.exitCode == 65 || result.code.exitCode == 66 || result.code.exitCode == 77)
            result.code.outcome =
                result.code.message.isEmpty() ? CliOutcome::UnreportedFailure : CliOutcome::ReadFailure;
    }

    if (saysDamaged(result.accessSql) || saysDamaged(result.tSql)) {
        result.probed = true;
        // A run that lasted the whole time limit has already shown the reader running out of time; asking
        // again would only wait as long once more.
        const qint64 limitMs = qint64(limits.timeoutSeconds) * 1000;
        if (result.accessSql.milliseconds >= limitMs && result.tSql.milliseconds >= limitMs)
            result.probe.fate = ReaderFate::TimedOut;
        else
            result.probe = probeReader(database, limits);
    }

    QFile copy(database);
    result.databaseChanged =
        !sameStamp(before, stampOf(database)) || !copy.open(QIODevice::ReadOnly) || copy.readAll() != bytes;
    copy.close();
    for (const char* folder : {"cwd", "home", "tmp"}) {
        for (const QString& entry : entriesBelow(work.filePath(QLatin1String(folder))))
            result.strayFiles << QLatin1String(folder) + QLatin1Char('/') + entry;
    }
    for (const QString& entry : entriesBelow(work.filePath(QStringLiteral("db")))) {
        if (entry != fileName)
            result.strayFiles << QStringLiteral("db/") + entry;
    }
    work.removeRecursively();
    return result;
}

QString readerFateName(const ReaderProbe& probe) {
    switch (probe.fate) {
    case ReaderFate::Answered:
        return probe.detail == 0 ? QStringLiteral("answered")
                                 : QStringLiteral("answered %1").arg(probe.detail);
    case ReaderFate::Crashed:
        return QStringLiteral("reader ") + signalName(probe.detail);
    case ReaderFate::TimedOut:
        return QStringLiteral("reader out of time");
    case ReaderFate::NoAnswer:
        return QStringLiteral("reader exit %1 without answer").arg(probe.detail);
    }
    return {};
}

QString distinctOutcome(const CaseResult& result) {
    for (const CliRun* run : {&result.accessSql, &result.tSql, &result.code}) {
        if (const QString failure = cliFailure(*run); !failure.isEmpty())
            return failure;
    }
    if (result.databaseChanged)
        return QStringLiteral("FAIL database changed");
    if (!result.strayFiles.isEmpty())
        return QStringLiteral("FAIL file written");
    if (result.probed && result.probe.fate != ReaderFate::Answered)
        return readerFateName(result.probe);
    return {};
}
