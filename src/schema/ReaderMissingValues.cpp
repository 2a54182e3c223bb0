// The client's side of the request for a table's NULLs: one answer frame. A reader that dies, stays silent
// or answers garbage answers nothing, as does a table that could not be read whole.

#include "ReaderProcess.h"

#include "MissingValuesProtocol.h"

using namespace readerprotocol;

std::optional<QList<qint64>> ReaderProcess::CountMissingValues(const QString& path,
                                                               const QString& tableName) {
    const std::optional<std::string> payload =
        exchange(requestFrame(RequestKind::MissingValues, path, tableName));
    const std::optional<MissingValuesAnswer> answer = payload ? decodeMissingValues(*payload) : std::nullopt;
    if (!answer) {
        stop();
        return std::nullopt;
    }
    if (answer->failure || !answer->complete)
        return std::nullopt;
    QList<qint64> nulls;
    nulls.reserve(qsizetype(answer->nulls.size()));
    for (const std::int64_t n : answer->nulls)
        nulls << qint64(n);
    return nulls;
}
