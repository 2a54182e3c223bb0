#include "RequestDispatch.h"

#include "JetSchema.h"
#include "QueriesProtocol.h"
#include "SavedQueries.h"
#include "TableRowsReader.h"

using namespace readerprotocol;

bool answerRequest(const Request& request, const FrameSink& send) {
    switch (request.kind) {
    case RequestKind::Tables:
        return send(encode(readTableNames(request.path)));
    case RequestKind::Fields:
        return send(encode(readTableFields(request.path, request.table)));
    case RequestKind::Indexes:
        return send(encode(readTableIndexes(request.path, request.table)));
    case RequestKind::Schema:
        return readSchema(request.path, send);
    case RequestKind::Rows:
        return readTableRows(request.path, request.table, send);
    case RequestKind::Queries:
        return send(encode(readSavedQueries(request.path)));
    }
    return true;
}
