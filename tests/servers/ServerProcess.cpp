#include "ServerProcess.h"

#include <QFileInfo>
#include <QProcess>
#include <unistd.h>

QString ProgramResult::message() const {
    // The end holds the error; the client may have echoed a long statement before it.
    return QString::fromUtf8(err.trimmed().isEmpty() ? out.trimmed() : err.trimmed()).right(1500);
}

bool runningAsRoot() {
    return ::geteuid() == 0;
}

ProgramResult runProgram(const QString& program, const QStringList& arguments, const QByteArray& input,
                         const QString& asUser, int timeoutMs) {
    QProcess process;
    if (!asUser.isEmpty() && runningAsRoot())
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), asUser, QStringLiteral("--"), program} + arguments);
    else
        process.start(program, arguments);
    if (!process.waitForStarted(30000))
        return {-1, {}, QStringLiteral("cannot start %1").arg(program).toUtf8()};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-1, process.readAllStandardOutput(), "timed out: " + program.toUtf8()};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QList<QStringList> rows(const QByteArray& out) {
    QList<QStringList> result;
    for (const QByteArray& line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        result << QString::fromUtf8(line).split(QLatin1Char('\t'));
    }
    return result;
}

QString findProgram(const QStringList& candidates) {
    for (const QString& path : candidates)
        if (QFileInfo(path).isExecutable())
            return path;
    return {};
}
