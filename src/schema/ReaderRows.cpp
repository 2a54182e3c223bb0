// The client's side of the rows request: each batch frame becomes a RowBatch whose values point into the
// frame itself, handed on before the next frame is read.

#include "ReaderProcess.h"

#include "ReaderAnswers.h"
#include "RowsProtocol.h"

#include <QFile>

using namespace readerprotocol;

RowsRead ReaderProcess::ReadTableRows(const QString& path, const QString& tableName,
                                      const std::function<bool(const RowBatch& batch)>& batch) {
    RowsRead read;
    std::optional<RowsTail> tail;
    bool stoppedByCaller = false;
    RowBatch current;
    const bool answered =
        exchangeFrames(requestFrame(RequestKind::Rows, path, tableName), [&](std::string&& payload) {
            switch (rowsFrameKind(payload).value_or(RowsFrameKind(0))) {
            case RowsFrameKind::Batch: {
                // Moved first: the values are views, and a short string's bytes move with it.
                current.storage = std::move(payload);
                std::uint32_t columns = 0;
                if (!decodeRowsBatch(current.storage, columns, current.values))
                    return FrameVerdict::Bad;
                current.columns = int(columns);
                read.rows += qint64(current.rows());
                if (!batch(current)) {
                    stoppedByCaller = true;
                    return FrameVerdict::Bad;
                }
                return FrameVerdict::More;
            }
            case RowsFrameKind::Tail:
                tail = decodeRowsTail(payload);
                // The tail counts the rows the batches brought; a failure comes before any of them.
                if (!tail || tail->rows != std::uint64_t(read.rows) || (tail->failure && read.rows > 0))
                    return FrameVerdict::Bad;
                return FrameVerdict::Done;
            }
            return FrameVerdict::Bad;
        });
    if (!answered || !tail) {
        // The rows handed on stand; without any, the read failed as a whole unless the caller stopped it.
        stop();
        if (read.rows == 0 && !stoppedByCaller)
            read.failure = failedRead(path);
        return read;
    }
    if (tail->failure)
        read.failure = toReadFailure(*tail->failure);
    read.complete = tail->complete;
    return read;
}
