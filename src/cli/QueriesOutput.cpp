#include "QueriesOutput.h"

#include "ExitStatus.h"
#include "ReaderProcess.h"
#include "TextOutput.h"

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
