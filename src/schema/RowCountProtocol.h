#pragma once
// The answer to a request for the number of rows of a table (RequestKind::RowCount), shared by the reader
// process and the program (plain C++, library veltrane_protocol): the live rows counted as they are walked,
// no value decoded, so that a database can be measured at a fraction of the cost of reading it. One frame:
//
//   Failure, [without a failure: i64 rows, bool complete]
//
// complete is false where the rows could not all be read (damage): the count is then of the rows read.

#include "ReaderProtocol.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace readerprotocol {

struct RowCountAnswer {
    std::optional<Failure> failure;
    std::int64_t rows = 0;
    bool complete = false;
    bool operator==(const RowCountAnswer&) const = default;
};

std::string encode(const RowCountAnswer& answer);
std::optional<RowCountAnswer> decodeRowCount(std::string_view payload);

} // namespace readerprotocol
