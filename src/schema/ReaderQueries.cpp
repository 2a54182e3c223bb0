// The client's side of the saved-queries request: one answer frame, its queries turned into SavedQuery
// values. A reader that dies, stays silent or answers garbage is a failed read, as for every request.

#include "ReaderProcess.h"

#include "QueriesProtocol.h"
#include "ReaderAnswers.h"

#include <QFile>

using namespace readerprotocol;

std::variant<ReadFailure, SavedQueries> ReaderProcess::GetSavedQueries(const QString& path) {
    auto read = ReadSavedQueries(path);
    if (auto* failure = std::get_if<ReadFailure>(&read))
        return *failure;
    return std::move(std::get<SavedQueriesRead>(read).queries);
}

std::variant<ReadFailure, SavedQueriesRead> ReaderProcess::ReadSavedQueries(const QString& path) {
    const std::optional<std::string> payload = exchange(requestFrame(RequestKind::Queries, path));
    const std::optional<QueriesAnswer> answer = payload ? decodeQueries(*payload) : std::nullopt;
    if (!answer) {
        stop();
        return failedRead(path);
    }
    if (answer->failure)
        return toReadFailure(*answer->failure);
    SavedQueriesRead read;
    read.queries.reserve(qsizetype(answer->queries.size()));
    for (const StoredQuery& query : answer->queries)
        read.queries.append(SavedQuery{QString::fromStdString(query.name), QueryKind(int(query.kind)),
                                       QString::fromStdString(query.sql), query.hidden});
    for (const readerprotocol::UnreadQuery& query : answer->unread)
        read.unread.append(
            UnreadSavedQuery{QString::fromStdString(query.name), QString::fromStdString(query.reason)});
    return read;
}
