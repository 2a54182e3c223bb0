#include "RowCountReader.h"

#include "OpenTable.h"
#include "RowCountProtocol.h"
#include "RowWalk.h"

#include <vector>

using namespace readerprotocol;

bool readRowCount(const std::string& path, Credentials& credentials, const std::string& table,
                  const FrameSink& send) {
    RowCountAnswer answer;
    answer.failure = withOpenTable(path, credentials, table, [&](const OpenTable& open) {
        std::vector<MdbField> fields;
        const RowWalkEnd end = walkRows(open, fields, [&](std::size_t, std::size_t) {
            ++answer.rows;
            return RowVisit::Next;
        });
        answer.complete = end.complete;
    });
    return send(encode(answer));
}
