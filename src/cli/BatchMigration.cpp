#include "BatchMigration.h"

#include "BatchReport.h"
#include "DatabaseFiles.h"
#include "ExitStatus.h"
#include "PasswordPrompt.h"
#include "ProgressLine.h"
#include "SpaceNames.h"
#include "TargetAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

void print(FILE* stream, const QByteArray& text) {
    std::fwrite(text.constData(), 1, size_t(text.size()), stream);
    std::fflush(stream);
}

// A database's messages with its file named: "veltrane-cli: FILE: message".
QByteArray namedMessages(const QByteArray& errors, const QString& database) {
    const QByteArray prefix = "veltrane-cli: ";
    const QByteArray named = prefix + QFile::encodeName(database) + ": ";
    QByteArray out;
    for (const QByteArray& line : errors.split('\n')) {
        if (line.isEmpty())
            continue;
        out += line.startsWith(prefix) ? named + line.mid(prefix.size()) : named + line;
        out += '\n';
    }
    return out;
}

// The command line of one database's process: the batch's options (its databases ignored), the one
// database, its namespace and where its counts go. The target's password, asked once, goes by the
// environment, where only the same user can read it.
QStringList childArguments(const QStringList& arguments, const QString& database, const QString& space,
                           const QString& summary) {
    QStringList child = arguments.mid(1);
    child.removeAll(QStringLiteral("--password-prompt"));
    child << QStringLiteral("--schema") << space << QStringLiteral("--batch-summary") << summary
          << QStringLiteral("--batch-database") << database;
    return child;
}

// Where the batch stands: how many databases ended, and which are migrating now.
QString batchStatus(int ended, int count, const QStringList& running) {
    QString text = QStringLiteral("%1 of %2 databases done").arg(ended).arg(count);
    if (!running.isEmpty())
        text += QStringLiteral("; migrating %1").arg(running.join(QStringLiteral(", ")));
    return text;
}

} // namespace

bool isBatch(const CliRequest& request) {
    return request.summaryFile.isEmpty() &&
           (request.databases.size() > 1 || QFileInfo(request.databases.value(0)).isDir());
}

int runBatch(const CliRequest& request, const QStringList& arguments) {
    auto parsed = parseTargetAddress(request.into);
    if (const auto* error = std::get_if<AddressError>(&parsed)) {
        printError(error->message);
        return Usage;
    }
    const TargetAddress target = std::get<TargetAddress>(parsed);
    QStringList notFound;
    const QStringList files = databaseFiles(request.databases, notFound);
    if (!request.schema.isEmpty() && files.size() + notFound.size() > 1) {
        printError(QStringLiteral("--schema names the namespace of one database; with several, each is named "
                                  "after its file"));
        return Usage;
    }
    if (files.isEmpty() && notFound.isEmpty()) {
        printError(
            QStringLiteral("no .mdb or .accdb file in %1").arg(request.databases.join(QStringLiteral(", "))));
        return NoInput;
    }
    if (target.kind == TargetKind::Sqlite && !QDir().mkpath(target.path)) {
        printError(QStringLiteral("cannot make the folder %1 for the SQLite files").arg(target.path));
        return CannotCreate;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (request.passwordPrompt && target.kind != TargetKind::Sqlite) {
        const std::optional<QString> password =
            askPassword(QStringLiteral("Password for %1: ").arg(describeTarget(target)));
        if (!password) {
            printError(QStringLiteral("--password-prompt needs a terminal"));
            return Usage;
        }
        environment.insert(target.kind == TargetKind::MySql ? QStringLiteral("MYSQL_PWD")
                                                            : QStringLiteral("PGPASSWORD"),
                           *password);
    }
    QTemporaryDir summaries;
    if (!summaries.isValid()) {
        printError(QStringLiteral("cannot make a temporary folder: %1").arg(summaries.errorString()));
        return CannotCreate;
    }

    const QStringList names = request.schema.isEmpty() ? spaceNames(files) : QStringList{request.schema};
    QList<BatchLine> lines;
    for (int i = 0; i < files.size(); ++i)
        lines << BatchLine{.database = files[i], .space = names[i]};
    for (const QString& path : notFound) {
        printError(QStringLiteral("no such file or folder: %1").arg(path));
        lines << BatchLine{.database = path, .status = NoInput};
    }

    const int jobs = request.jobs > 0 ? request.jobs : std::max(1, QThread::idealThreadCount());
    const QString program = QCoreApplication::applicationFilePath();
    std::vector<std::unique_ptr<QProcess>> processes(size_t(files.size()));
    QEventLoop loop;
    int next = 0;
    int running = 0;
    int endedCount = 0;
    QStringList migrating;
    StatusLine statusLine(::isatty(STDERR_FILENO) == 1);
    std::function<void()> startMore;
    const auto ended = [&](int i, int status, const QString& why) {
        QProcess& process = *processes[size_t(i)];
        BatchLine& line = lines[i];
        statusLine.clear();
        ++endedCount;
        migrating.removeOne(QFileInfo(line.database).fileName());
        line.status = status;
        QFile summary(summaries.filePath(QString::number(i)));
        if (summary.open(QIODevice::ReadOnly))
            readSummaryLine(QString::fromUtf8(summary.readAll()), line);
        // A database's report under its name; one that failed before it had a report says why on stderr.
        const QByteArray report = process.readAllStandardOutput();
        if (!report.isEmpty())
            print(stdout, QFile::encodeName(QStringLiteral("%1 into %2:\n").arg(line.database, line.space)) +
                              report + "\n");
        QByteArray errors = process.readAllStandardError();
        if (!why.isEmpty())
            errors += "veltrane-cli: " + why.toLocal8Bit() + '\n';
        print(stderr, namedMessages(errors, line.database));
        --running;
        startMore();
    };
    startMore = [&] {
        while (running < jobs && next < files.size()) {
            const int i = next++;
            auto& process = processes[size_t(i)];
            process = std::make_unique<QProcess>();
            process->setProcessEnvironment(environment);
            QObject::connect(process.get(), &QProcess::finished, &loop,
                             [&ended, &process, i](int code, QProcess::ExitStatus exit) {
                                 if (exit == QProcess::NormalExit)
                                     ended(i, code, {});
                                 else
                                     ended(i, TargetRefused,
                                           QStringLiteral("its migration ended abnormally (%1)")
                                               .arg(process->errorString()));
                             });
            QObject::connect(
                process.get(), &QProcess::errorOccurred, &loop,
                [&ended, &process, i](QProcess::ProcessError error) {
                    if (error == QProcess::FailedToStart)
                        ended(i, Unavailable,
                              QStringLiteral("cannot start its migration: %1").arg(process->errorString()));
                });
            ++running;
            migrating << QFileInfo(files[i]).fileName();
            process->start(program, childArguments(arguments, files[i], lines[i].space,
                                                   summaries.filePath(QString::number(i))));
            process->closeWriteChannel();
        }
        if (running == 0)
            loop.quit();
        else
            statusLine.show(batchStatus(endedCount, int(files.size()), migrating));
    };
    startMore();
    if (running > 0)
        loop.exec();
    statusLine.clear();

    print(stdout, batchReportText(lines, describeTarget(target)).toLocal8Bit());
    return worstStatus(lines);
}
