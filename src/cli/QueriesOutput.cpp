#include "QueriesOutput.h"

#include "ExitStatus.h"
#include "ReaderProcess.h"

#include <QFile>
#include <QSaveFile>
#include <optional>

QString queryKindName(QueryKind kind) {
    switch (kind) {
    case QueryKind::Select:
        return QStringLiteral("Select");
    case QueryKind::Union:
        return QStringLiteral("Union");
    case QueryKind::CrossTab:
        return QStringLiteral("CrossTab");
    case QueryKind::Append:
        return QStringLiteral("Append");
    case QueryKind::Update:
        return QStringLiteral("Update");
    case QueryKind::Delete:
        return QStringLiteral("Delete");
    case QueryKind::MakeTable:
        return QStringLiteral("MakeTable");
    case QueryKind::DataDefinition:
        return QStringLiteral("DataDefinition");
    case QueryKind::PassThrough:
        return QStringLiteral("PassThrough");
    }
    return QStringLiteral("Select");
}

QByteArray queriesText(const SavedQueries& queries) {
    QString text;
    for (const SavedQuery& query : queries)
        text +=
            QStringLiteral("-- Query: %1 (%2)\n%3\n\n").arg(query.name, queryKindName(query.kind), query.sql);
    return text.toUtf8();
}

namespace {

// Nothing when the text is written, else the system's reason why not.
std::optional<QString> writeText(const QByteArray& text, const QString& outputFile) {
    if (outputFile.isEmpty()) {
        QFile out;
        if (out.open(stdout, QIODevice::WriteOnly) && out.write(text) == text.size() && out.flush())
            return std::nullopt;
        return out.errorString();
    }
    QSaveFile file(outputFile);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush() && file.commit())
        return std::nullopt;
    const QString reason = file.errorString(); // before cancelWriting, which puts its own in its place
    file.cancelWriting();
    return reason;
}

} // namespace

int runQueries(const CliRequest& request, ReaderProcess& reader) {
    const QString& path = request.options.DatabasePath;
    if (path.trimmed().isEmpty()) {
        printError(QStringLiteral("no database given"));
        return Usage;
    }
    const auto answer = reader.ReadSavedQueries(path);
    if (const auto* failure = std::get_if<ReadFailure>(&answer)) {
        printError(failure->description);
        if (failure->number == ReaderUnavailableNumber)
            return Unavailable;
        return unreadableDatabaseStatus(failure->number);
    }
    const SavedQueriesRead& read = std::get<SavedQueriesRead>(answer);
    if (const auto failure = writeText(queriesText(read.queries), request.outputFile)) {
        printCannotWrite(request.outputFile, *failure);
        return CannotCreate;
    }
    for (const UnreadSavedQuery& query : read.unread)
        printError(QStringLiteral("query %1 not read: %2").arg(query.name, query.reason));
    return read.unread.isEmpty() ? Success : DataError;
}
