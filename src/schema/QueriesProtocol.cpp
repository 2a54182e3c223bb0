#include "QueriesProtocol.h"

namespace readerprotocol {

namespace {

// The fewest bytes a query takes: a name, a kind, a text and a flag; an unread one two texts.
constexpr std::size_t minStoredQuerySize = 4;
constexpr std::size_t minUnreadQuerySize = 2;
constexpr std::uint32_t lastKind = std::uint32_t(StoredQueryKind::PassThrough);

} // namespace

std::string encode(const QueriesAnswer& answer) {
    Writer out;
    putFailure(out, answer.failure);
    if (answer.failure)
        return out.takeFrame();
    out.u32(std::uint32_t(answer.queries.size()));
    for (const StoredQuery& query : answer.queries) {
        out.text(query.name);
        out.u32(std::uint32_t(query.kind));
        out.text(query.sql);
        out.boolean(query.hidden);
    }
    out.u32(std::uint32_t(answer.unread.size()));
    for (const UnreadQuery& query : answer.unread) {
        out.text(query.name);
        out.text(query.reason);
    }
    return out.takeFrame();
}

std::optional<QueriesAnswer> decodeQueries(std::string_view payload) {
    Reader in(payload);
    QueriesAnswer answer;
    answer.failure = takeFailure(in);
    if (!answer.failure && in.ok()) {
        answer.queries.resize(in.count(minStoredQuerySize));
        for (StoredQuery& query : answer.queries) {
            query.name = in.text();
            const std::uint32_t kind = in.u32();
            if (kind > lastKind)
                in.fail();
            query.kind = StoredQueryKind(kind);
            query.sql = in.text();
            query.hidden = in.boolean();
        }
        answer.unread.resize(in.count(minUnreadQuerySize));
        for (UnreadQuery& query : answer.unread) {
            query.name = in.text();
            query.reason = in.text();
        }
    }
    if (!in.finished())
        return std::nullopt;
    return answer;
}

} // namespace readerprotocol
