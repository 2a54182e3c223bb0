#pragma once
// The answer to a request for a table's rows (RequestKind::Rows), shared by the reader process and the
// program (plain C++, library veltrane_protocol). The answer is a run of frames: batch frames of whole
// rows, sent as each is made, then one tail frame.
//
//   batch: u32 1, u32 columns (at least 1), then the values of whole rows, row after row
//   tail:  u32 2, u32 0 | u32 1 number text description (the table could not be read at all),
//          u64 rows handed over, u32 complete (0 or 1)
//
// A value is its kind byte (ValueKind) and a payload: nothing for Null; one byte 0 or 1 for Boolean;
// Integer and Currency as a zigzag LEB128 number; Single, Double and DateTime as the eight bytes of a
// double's bits, little-endian (a Single as its float's value); Text, Decimal, Bytes and Guid as a LEB128
// byte count and the bytes (a Guid has 16). Numbers take their shortest form; anything else, a length past
// the frame or a batch that ends inside a row makes the frame malformed.

#include "DataValue.h"
#include "ReaderProtocol.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace readerprotocol {

enum class RowsFrameKind : std::uint32_t { Batch = 1, Tail = 2 };

struct RowsTail {
    std::optional<Failure> failure;
    std::uint64_t rows = 0;
    bool complete = false;
    bool operator==(const RowsTail&) const = default;
};

// Gathers whole rows into one batch frame.
class RowsBatchWriter {
public:
    explicit RowsBatchWriter(std::uint32_t columns);
    void add(const DataValue& value);
    // Called after the last value of each row.
    void endRow() { ++rows_; }
    std::uint32_t rows() const { return rows_; }
    // The bytes the frame has so far.
    std::size_t size() const { return bytes_.size(); }
    // The whole frame; the writer starts a new batch of the same columns afterwards.
    std::string takeFrame();

private:
    std::uint32_t columns_;
    std::uint32_t rows_ = 0;
    std::string bytes_;
};

std::string encodeRowsTail(const RowsTail& tail);

// What a frame of a rows answer is; nothing when its first number is neither.
std::optional<RowsFrameKind> rowsFrameKind(std::string_view payload);
// The values of a batch frame, in row order, their texts and bytes views into payload (which the caller
// keeps for as long as it uses them). False when the frame is malformed.
bool decodeRowsBatch(std::string_view payload, std::uint32_t& columns, std::vector<DataValue>& values);
std::optional<RowsTail> decodeRowsTail(std::string_view payload);

} // namespace readerprotocol
