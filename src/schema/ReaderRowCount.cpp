// The client's side of the request for a table's row count: one answer frame. A reader that dies, stays
// silent or answers garbage leaves the table unread.

#include "ReaderProcess.h"

#include "RowCountProtocol.h"

using namespace readerprotocol;

std::variant<ReadFailure, RowCount> ReaderProcess::CountRows(const QString& path, const QString& tableName) {
    const std::optional<std::string> payload = exchange(requestFrame(RequestKind::RowCount, path, tableName));
    const std::optional<RowCountAnswer> answer = payload ? decodeRowCount(*payload) : std::nullopt;
    if (!answer) {
        stop();
        return failedRead(path);
    }
    if (answer->failure)
        return ReadFailure{int(answer->failure->number),
                           QString::fromStdString(answer->failure->description)};
    return RowCount{qint64(answer->rows), answer->complete};
}
