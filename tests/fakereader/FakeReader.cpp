// A reader process that misbehaves on purpose, chosen by the path of each request:
//   "crash"    dies of a signal          "hang"      never answers
//   "garbage"  writes bytes that are no frame      "huge"  announces a frame larger than any allowed
//   "exit"     ends without an answer    "twice"     answers with two frames
//   "bad-status" answers with a status no answer has   "last" answers, then ends
//   "dribble"  sends its well-formed answer a byte every quarter of a second
//   "slow-rows" answers a rows request with four batches, 400 ms apart
// Any other path gets a well-formed answer: tables {"Fake"}, one Long field "Id", indexes {"PrimaryKey"},
// one row (Id 1), one saved query ("SELECT 1;", named as the table is).
// It also reports, in the one table name, how many requests this process has answered ("Fake" then
// "Fake2", ...), so tests can see whether a fresh process was started.

#include "CodeProtocol.h"
#include "MissingValuesProtocol.h"
#include "QueriesProtocol.h"
#include "ReaderProtocol.h"
#include "RowCountProtocol.h"
#include "RowsProtocol.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <unistd.h>

using namespace readerprotocol;

namespace {

bool readExactly(std::FILE* in, std::string& buffer, std::size_t size) {
    buffer.resize(size);
    return size == 0 || std::fread(buffer.data(), 1, size, in) == size;
}

void send(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

} // namespace

int main() {
    int answered = 0;
    std::string sizeBytes, payload;
    while (readExactly(stdin, sizeBytes, 4)) {
        if (!readExactly(stdin, payload, *frameSize(sizeBytes)))
            return 1;
        const std::optional<Request> request = decodeRequest(payload);
        if (!request)
            return 2;
        const std::string& path = request->path;
        if (path == "crash")
            std::raise(SIGSEGV);
        if (path == "hang")
            for (;;)
                ::pause();
        if (path == "exit")
            return 0;
        if (path == "garbage") {
            send("this is not a frame at all");
            continue;
        }
        if (path == "huge") {
            Writer out;
            out.u32(0xFFFFFFF0u);
            send(out.frame().substr(4));
            continue;
        }
        if (path == "bad-status") {
            Writer out;
            out.u32(7);
            send(out.frame());
            continue;
        }
        ++answered;
        const std::string name = answered == 1 ? "Fake" : "Fake" + std::to_string(answered);
        std::string answer;
        switch (request->kind) {
        case RequestKind::Tables:
            answer = encode(TablesAnswer{std::nullopt, {name}});
            break;
        case RequestKind::Fields:
            answer = encode(FieldsAnswer{true, {Field{"Id", 4, 4, false, 49}}});
            break;
        case RequestKind::Indexes:
            answer = encode(IndexesAnswer{IndexesAnswer::Kind::List, {"PrimaryKey"}});
            break;
        case RequestKind::Schema:
            answer = encode(SchemaAnswer{std::nullopt, {}, {}});
            break;
        case RequestKind::Queries:
            answer = encode(QueriesAnswer{
                std::nullopt, {StoredQuery{name, StoredQueryKind::Select, "SELECT 1;", false}}, {}});
            break;
        case RequestKind::MissingValues:
            answer = encode(MissingValuesAnswer{std::nullopt, {0}, true});
            break;
        case RequestKind::Code:
            answer = encode(CodeAnswer{});
            break;
        case RequestKind::RowCount:
            answer = encode(RowCountAnswer{std::nullopt, 1, true});
            break;
        case RequestKind::Rows: {
            const int batches = path == "slow-rows" ? 4 : 1;
            RowsBatchWriter rows(1);
            for (int i = 1; i <= batches; ++i) {
                if (path == "slow-rows")
                    ::usleep(400'000);
                DataValue id;
                id.kind = ValueKind::Integer;
                id.integer = i;
                rows.add(id);
                rows.endRow();
                answer = rows.takeFrame();
                if (i < batches)
                    send(answer);
            }
            answer += encodeRowsTail(RowsTail{std::nullopt, std::uint64_t(batches), true});
            break;
        }
        }
        if (path == "dribble") {
            for (char byte : answer) {
                send(std::string(1, byte));
                ::usleep(250'000);
            }
            continue;
        }
        // Both copies in one write, so they arrive together.
        send(path == "twice" ? answer + answer : answer);
        if (path == "last")
            return 0;
    }
    return 0;
}
