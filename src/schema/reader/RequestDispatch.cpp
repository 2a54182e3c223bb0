#include "RequestDispatch.h"

#include "JetSchema.h"
#include "TableRowsReader.h"

using namespace readerprotocol;

bool answerRequest(const Request& request, const FrameSink& send) {
    switch (request.kind) {
    case RequestKind::Tables:
        return send(encode(readTableNames(request.path, request.password)));
    case RequestKind::Fields:
        return send(encode(readTableFields(request.path, request.table, request.password)));
    case RequestKind::Indexes:
        return send(encode(readTableIndexes(request.path, request.table, request.password)));
    case RequestKind::Schema:
        return readSchema(request.path, request.password, send);
    case RequestKind::Rows:
        return readTableRows(request.path, request.password, request.table, send);
    }
    return true;
}
