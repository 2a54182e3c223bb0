#pragma once
// The answer to a request for the saved queries (RequestKind::Queries), shared by the reader process and
// the program (plain C++, library veltrane_protocol). One frame:
//
//   Failure, [without a failure: n x StoredQuery, m x UnreadQuery]
//   StoredQuery: text name, u32 kind (0 Select ... 8 PassThrough, as QueryKind), text sql, bool hidden
//   UnreadQuery: text name, text reason
//
// A kind past PassThrough makes the frame malformed.

#include "ReaderProtocol.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace readerprotocol {

// The kinds of saved query, numbered as QueryKind numbers them.
enum class StoredQueryKind : std::uint32_t {
    Select = 0,
    Union,
    CrossTab,
    Append,
    Update,
    Delete,
    MakeTable,
    DataDefinition,
    PassThrough,
};

struct StoredQuery {
    std::string name;
    StoredQueryKind kind = StoredQueryKind::Select;
    std::string sql; // the Access SQL, ending in ";"
    bool hidden = false;
    bool operator==(const StoredQuery&) const = default;
};

// A query whose rows could not be rebuilt into SQL, and why.
struct UnreadQuery {
    std::string name;
    std::string reason;
    bool operator==(const UnreadQuery&) const = default;
};

struct QueriesAnswer {
    std::optional<Failure> failure;
    std::vector<StoredQuery> queries; // in name order
    std::vector<UnreadQuery> unread;
    bool operator==(const QueriesAnswer&) const = default;
};

std::string encode(const QueriesAnswer& answer);
std::optional<QueriesAnswer> decodeQueries(std::string_view payload);

} // namespace readerprotocol
