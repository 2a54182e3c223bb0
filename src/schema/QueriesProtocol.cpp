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
    out.u32(answer.failure ? 1 : 0);
    if (answer.failure) {
        out.u32(answer.failure->number);
        out.text(answer.failure->description);
        return out.takeFrame();
    }
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
    const std::uint32_t status = in.u32();
    if (status == 1) {
        Failure failure;
        failure.number = in.u32();
        failure.description = in.text();
        answer.failure = std::move(failure);
    } else if (status != 0) {
        return std::nullopt;
    } else {
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
