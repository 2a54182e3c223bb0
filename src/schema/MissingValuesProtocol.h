#pragma once
// The answer to a request for the values missing from a table (RequestKind::MissingValues), shared by the
// reader process and the program (plain C++, library veltrane_protocol): how many rows hold NULL in each
// column, counted from the rows' null masks without a value decoded, so that the rules a script writes can
// be checked against the rows at a fraction of the cost of reading them. One frame:
//
//   Failure, [without a failure: n x i64 nulls (one per column, in the table's column order), bool complete]
//
// complete is false where the rows could not all be read (damage): the counts are then of the rows read.

#include "ReaderProtocol.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace readerprotocol {

struct MissingValuesAnswer {
    std::optional<Failure> failure;
    std::vector<std::int64_t> nulls;
    bool complete = false;
    bool operator==(const MissingValuesAnswer&) const = default;
};

std::string encode(const MissingValuesAnswer& answer);
std::optional<MissingValuesAnswer> decodeMissingValues(std::string_view payload);

} // namespace readerprotocol
