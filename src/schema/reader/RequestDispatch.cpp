#include "RequestDispatch.h"

#include "JetSchema.h"

using namespace readerprotocol;

std::string answerRequest(const Request& request) {
    switch (request.kind) {
    case RequestKind::Tables:
        return encode(readTableNames(request.path));
    case RequestKind::Fields:
        return encode(readTableFields(request.path, request.table));
    case RequestKind::Indexes:
        return encode(readTableIndexes(request.path, request.table));
    case RequestKind::Schema:
        return readSchemaFrame(request.path);
    }
    return {};
}
