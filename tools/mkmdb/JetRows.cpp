#include "JetRows.h"

#include <cstring>

namespace jet {

namespace {

constexpr std::uint8_t decimalNegative = 0x80;
constexpr std::size_t rowPointerSize = 2;

template <typename T> Bytes little(T v) {
    Bytes out(sizeof v);
    std::memcpy(out.data(), &v, sizeof v); // every target this tool runs on is little-endian
    return out;
}

// Sign byte, then the 128-bit magnitude as four 32-bit words, most significant first, each little-endian.
std::optional<Bytes> decimalBytes(const Column& column, const MdbDecimal& value) {
    const auto scaled = mdbDecimalAtScale(value, column.scale);
    if (!scaled)
        return std::nullopt;
    ByteWriter w;
    w.u8(scaled->negative ? decimalNegative : 0);
    w.u32(0);
    w.u32(scaled->unscaled[2]);
    w.u32(scaled->unscaled[1]);
    w.u32(scaled->unscaled[0]);
    return w.take();
}

template <typename T> const T* as(const MdbValue& value) {
    return std::get_if<T>(&value);
}

} // namespace

std::optional<Bytes> columnBytes(const Column& column, const MdbValue& value) {
    const auto* integer = as<std::int64_t>(value);
    switch (column.code) {
    case CodeBoolean:
        return as<bool>(value) && *as<bool>(value) ? std::optional<Bytes>(Bytes{}) : std::nullopt;
    case CodeByte:
        return integer ? std::optional(little(std::uint8_t(*integer))) : std::nullopt;
    case CodeInteger:
        return integer ? std::optional(little(std::int16_t(*integer))) : std::nullopt;
    case CodeLong:
        return integer ? std::optional(little(std::int32_t(*integer))) : std::nullopt;
    case CodeCurrency:
        return as<MdbCurrency>(value) ? std::optional(little(as<MdbCurrency>(value)->tenThousandths))
                                      : std::nullopt;
    case CodeSingle:
        return as<float>(value) ? std::optional(little(*as<float>(value))) : std::nullopt;
    case CodeDouble:
    case CodeDateTime:
        return as<double>(value) ? std::optional(little(*as<double>(value))) : std::nullopt;
    case CodeGuid:
        return as<MdbGuid>(value)
                   ? std::optional(Bytes(as<MdbGuid>(value)->bytes.begin(), as<MdbGuid>(value)->bytes.end()))
                   : std::nullopt;
    case CodeNumeric:
        return as<MdbDecimal>(value) ? decimalBytes(column, *as<MdbDecimal>(value)) : std::nullopt;
    case CodeText:
    case CodeMemo:
        return as<std::string>(value) ? toUcs2(*as<std::string>(value)) : std::nullopt;
    case CodeDateTimeExtended: // its ASCII characters as they are
        return as<std::string>(value)
                   ? std::optional(Bytes(as<std::string>(value)->begin(), as<std::string>(value)->end()))
                   : std::nullopt;
    default: // Binary, OLE Object and type bytes no reader knows
        return as<MdbBytes>(value) ? std::optional(*as<MdbBytes>(value)) : std::nullopt;
    }
}

void RowPages::add(const Bytes& row) {
    const std::size_t used = dataPageHeader + rowPointerSize * rows_ + (pageSize - end_);
    if (rows_ > 0 && (used + rowPointerSize + row.size() > pageSize || rows_ >= maxRowsPerPage))
        flush();
    if (rows_ == 0) {
        pages_.push_back(file_.allocate());
        page_.assign(pageSize, 0);
        end_ = pageSize;
    }
    end_ -= row.size();
    std::memcpy(&page_[end_], row.data(), row.size());
    put16(&page_[dataPageHeader + rowPointerSize * rows_], std::uint32_t(end_));
    ++rows_;
}

void RowPages::flush() {
    page_[0] = 0x01;
    page_[1] = 0x01;
    put16(&page_[2], std::uint32_t(end_ - dataPageHeader - rowPointerSize * rows_));
    put32(&page_[4], owner_);
    put16(&page_[12], std::uint32_t(rows_));
    file_.set(pages_.back(), std::move(page_));
    page_ = Page();
    rows_ = 0;
}

void RowPages::finish() {
    if (rows_ > 0)
        flush();
}

} // namespace jet
