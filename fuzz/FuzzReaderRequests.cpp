// Fuzzes the reader process's request handling with a database image: every request the program can send
// (table list, one table's fields, one table's indexes, one table's rows, the whole schema, the saved
// queries, the application's objects and VBA code) goes through veltrane-reader's own dispatch
// (answerRequest), and every answer frame must decode and encode back to the same bytes.
//
// libmdb itself is not safe on damaged files; that is why it runs in a process of its own. A crash, hang
// or runaway allocation whose stack lies in libmdb is therefore expected here and is contained by the
// reader process in the program; run-fuzz.sh sorts such findings from those in our code.

#include "CodeProtocol.h"
#include "DatabaseFile.h"
#include "MissingValuesProtocol.h"
#include "QueriesProtocol.h"
#include "ReaderProtocol.h"
#include "RequestDispatch.h"
#include "RowCountProtocol.h"
#include "RowsProtocol.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

using namespace readerprotocol;

namespace {

// The image lives in a memory file, reached by a path as the reader reaches any database.
class MemoryFile {
public:
    MemoryFile() : fd_(::memfd_create("database.mdb", MFD_CLOEXEC)) {
        if (fd_ < 0)
            std::abort();
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    const std::string& hold(const std::uint8_t* data, std::size_t size) {
        if (::ftruncate(fd_, 0) != 0 || ::pwrite(fd_, data, size, 0) != ssize_t(size))
            std::abort();
        return path_;
    }

private:
    int fd_;
    std::string path_;
};

// The frames of the answer to a request, one after another.
std::string answerFrames(const Request& request) {
    std::string frames;
    Credentials credentials;
    if (!answerRequest(request, credentials, [&](const std::string& frame) {
            frames += frame;
            return true;
        }))
        std::abort();
    return frames;
}

// The answer to a request, decoded; aborts when its one frame does not decode or does not encode back the
// same.
template <typename Answer>
Answer answered(const Request& request, std::optional<Answer> (*decode)(std::string_view)) {
    const std::string frame = answerFrames(request);
    const std::optional<std::uint32_t> size = frameSize(frame);
    if (!size || *size != frame.size() - 4)
        std::abort();
    const std::optional<Answer> decoded = decode(std::string_view(frame).substr(4));
    if (!decoded || encode(*decoded) != frame)
        std::abort();
    return *decoded;
}

// The whole-schema answer, decoded from its frames; aborts unless they decode and encode back the same.
SchemaAnswer answeredSchema(const std::string& path) {
    const std::string frames = answerFrames(Request{RequestKind::Schema, path, {}});
    const std::optional<SchemaAnswer> decoded = decodeSchema(frames);
    if (!decoded || encode(*decoded) != frames)
        std::abort();
    return *decoded;
}

// The rows of one table; aborts unless the frames are batches that decode, then one tail that counts their
// rows and encodes back the same.
void answeredRows(const std::string& path, const std::string& table) {
    const std::string all = answerFrames(Request{RequestKind::Rows, path, table});
    std::string_view frames = all;
    std::uint64_t rows = 0;
    for (;;) {
        const std::optional<std::uint32_t> size = frameSize(frames);
        if (!size || *size > frames.size() - 4)
            std::abort();
        const std::string_view payload = frames.substr(4, *size);
        const std::string_view frame = frames.substr(0, 4 + *size);
        frames.remove_prefix(4 + *size);
        if (rowsFrameKind(payload) == RowsFrameKind::Tail) {
            const std::optional<RowsTail> tail = decodeRowsTail(payload);
            if (!tail || tail->rows != rows || !frames.empty() || encodeRowsTail(*tail) != frame)
                std::abort();
            return;
        }
        std::uint32_t columns = 0;
        std::vector<DataValue> values;
        if (!decodeRowsBatch(payload, columns, values) || values.empty())
            std::abort();
        rows += values.size() / columns;
    }
}

// The first few tables get the per-table requests; the schema request covers all of them anyway.
constexpr std::size_t tablesAskedSeparately = 4;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // libmdb writes diagnostics and hex dumps to both; the reader process sends them to /dev/null too.
    std::freopen("/dev/null", "w", stdout);
    ::unsetenv("MDBPATH");
    ::unsetenv("MDBOPTS");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file;
    const std::string& path = file.hold(data, size);

    const TablesAnswer tables = answered(Request{RequestKind::Tables, path, {}}, decodeTables);
    for (std::size_t i = 0; i < tables.names.size() && i < tablesAskedSeparately; ++i) {
        answered(Request{RequestKind::Fields, path, tables.names[i]}, decodeFields);
        answered(Request{RequestKind::Indexes, path, tables.names[i]}, decodeIndexes);
        answeredRows(path, tables.names[i]);
        answered(Request{RequestKind::MissingValues, path, tables.names[i]}, decodeMissingValues);
        answered(Request{RequestKind::RowCount, path, tables.names[i]}, decodeRowCount);
    }
    answered(Request{RequestKind::Fields, path, "no such table"}, decodeFields);

    const SchemaAnswer schema = answeredSchema(path);
    // One open of the file and many must tell the same: the whole schema lists what the table list lists.
    if (schema.failure.has_value() != tables.failure.has_value())
        std::abort();
    if (!schema.failure && schema.tables.size() != tables.names.size())
        std::abort();
    // The queries fail exactly where the table list does, and every one rebuilt ends its statement.
    const QueriesAnswer queries = answered(Request{RequestKind::Queries, path, {}}, decodeQueries);
    if (queries.failure.has_value() != tables.failure.has_value())
        std::abort();
    for (const StoredQuery& query : queries.queries)
        if (query.sql.empty() || query.sql.back() != ';')
            std::abort();
    // So does the VBA code; a damaged project gives warnings and what could be read.
    const CodeAnswer code = answered(Request{RequestKind::Code, path, {}}, decodeCode);
    if (code.failure.has_value() != tables.failure.has_value())
        std::abort();
    return 0;
}
