#pragma once
// Running the servers' programs: as the given user when the tests run as root (PostgreSQL refuses root).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct ProgramResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    bool ok() const { return exitCode == 0; }
    QString message() const;
};

bool runningAsRoot();
ProgramResult runProgram(const QString& program, const QStringList& arguments, const QByteArray& input = {},
                         const QString& asUser = {}, int timeoutMs = 300000);
// Rows of tab-separated fields, one a line, as the clients print them unaligned.
QList<QStringList> rows(const QByteArray& out);
// The first existing file among the candidates, or an empty text.
QString findProgram(const QStringList& candidates);
