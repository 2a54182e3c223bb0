#include "RequestDispatch.h"

#include "ApplicationCode.h"
#include "CodeProtocol.h"
#include "DatabaseFile.h"
#include "JetSchema.h"
#include "MissingValuesReader.h"
#include "QueriesProtocol.h"
#include "RowCountReader.h"
#include "SavedQueries.h"
#include "TableRowsReader.h"

using namespace readerprotocol;

bool answerRequest(const Request& request, Credentials& credentials, const FrameSink& send) {
    credentials.password = request.password;
    switch (request.kind) {
    case RequestKind::Tables:
        return send(encode(readTableNames(request.path, credentials)));
    case RequestKind::Fields:
        return send(encode(readTableFields(request.path, request.table, credentials)));
    case RequestKind::Indexes:
        return send(encode(readTableIndexes(request.path, request.table, credentials)));
    case RequestKind::Schema:
        return readSchema(request.path, credentials, send);
    case RequestKind::Rows:
        return readTableRows(request.path, credentials, request.table, send);
    case RequestKind::Queries:
        return send(encode(readSavedQueries(request.path, credentials)));
    case RequestKind::MissingValues:
        return readMissingValues(request.path, credentials, request.table, send);
    case RequestKind::Code:
        return send(encode(readApplicationCode(request.path, credentials)));
    case RequestKind::RowCount:
        return readRowCount(request.path, credentials, request.table, send);
    }
    return true;
}
