#include "MissingValuesReader.h"

#include "MissingValuesProtocol.h"
#include "OpenTable.h"
#include "RowWalk.h"

#include <vector>

using namespace readerprotocol;

bool readMissingValues(const std::string& path, Credentials& credentials, const std::string& table,
                       const FrameSink& send) {
    MissingValuesAnswer answer;
    answer.failure = withOpenTable(path, credentials, table, [&](const OpenTable& open) {
        std::vector<guint> counted;
        for (guint i = 0; i < open.table->columns->len; ++i)
            if (static_cast<const MdbColumn*>(g_ptr_array_index(open.table->columns, i))->col_type !=
                MDB_BOOL)
                counted.push_back(i);
        answer.nulls.assign(open.table->columns->len, 0);
        std::vector<MdbField> fields;
        const RowWalkEnd end = walkRows(open, fields, [&](std::size_t, std::size_t) {
            for (const guint i : counted)
                answer.nulls[i] += fields[i].is_null ? 1 : 0;
            return RowVisit::Next;
        });
        answer.complete = end.complete;
    });
    return send(encode(answer));
}
