#include "RowsProtocol.h"

#include <bit>
#include <cstring>

namespace readerprotocol {

namespace {

constexpr std::size_t frameHeaderSize = 4;
constexpr std::size_t guidSize = 16;

void putNumber(std::string& out, std::uint64_t value) {
    char bytes[10];
    std::size_t size = 0;
    for (; value >= 0x80; value >>= 7)
        bytes[size++] = char((value & 0x7Fu) | 0x80u);
    bytes[size++] = char(value);
    out.append(bytes, size);
}

std::uint64_t zigzag(std::int64_t value) {
    return (std::uint64_t(value) << 1) ^ std::uint64_t(value >> 63);
}

std::int64_t unzigzag(std::uint64_t value) {
    return std::int64_t(value >> 1) ^ -std::int64_t(value & 1);
}

void putReal(std::string& out, double value) {
    std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    char bytes[8];
    for (char& byte : bytes) {
        byte = char(bits & 0xFFu);
        bits >>= 8;
    }
    out.append(bytes, sizeof bytes);
}

void putBytes(std::string& out, std::string_view bytes) {
    putNumber(out, bytes.size());
    out.append(bytes);
}

void putFrameSize(std::string& frame) {
    const auto size = std::uint32_t(frame.size() - frameHeaderSize);
    for (std::size_t i = 0; i < frameHeaderSize; ++i)
        frame[i] = char((size >> (8 * i)) & 0xFFu);
}

// Reads what the writers above write, refusing every form they never make.
class Cursor {
public:
    explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

    std::uint64_t number() {
        std::uint64_t value = 0;
        for (int shift = 0;; shift += 7) {
            if (!ok_ || pos_ == bytes_.size())
                return fail();
            const auto byte = static_cast<unsigned char>(bytes_[pos_++]);
            if ((shift == 63 && byte > 0x01) || (shift > 0 && byte == 0))
                return fail();
            value |= std::uint64_t(byte & 0x7Fu) << shift;
            if (byte < 0x80)
                return value;
        }
    }
    std::uint32_t u32() {
        const std::uint64_t value = number();
        return value > 0xFFFFFFFFu ? std::uint32_t(fail()) : std::uint32_t(value);
    }
    unsigned char byte() {
        if (!ok_ || pos_ == bytes_.size())
            return static_cast<unsigned char>(fail());
        return static_cast<unsigned char>(bytes_[pos_++]);
    }
    double real() {
        if (!ok_ || bytes_.size() - pos_ < 8)
            return double(fail());
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = bits << 8 | static_cast<unsigned char>(bytes_[pos_ + std::size_t(i)]);
        pos_ += 8;
        return std::bit_cast<double>(bits);
    }
    std::string_view bytes() {
        const std::uint64_t size = number();
        if (!ok_ || size > bytes_.size() - pos_)
            return fail(), std::string_view();
        const std::string_view value = bytes_.substr(pos_, std::size_t(size));
        pos_ += std::size_t(size);
        return value;
    }
    std::string text() { return std::string(bytes()); }
    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ == bytes_.size(); }
    bool finished() const { return ok_ && atEnd(); }
    std::uint64_t fail() {
        ok_ = false;
        return 0;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

DataValue takeValue(Cursor& in) {
    DataValue value;
    const unsigned char kind = in.byte();
    if (kind > static_cast<unsigned char>(ValueKind::Guid)) {
        in.fail();
        return value;
    }
    value.kind = ValueKind(kind);
    switch (value.kind) {
    case ValueKind::Null:
        break;
    case ValueKind::Boolean:
        value.integer = in.byte();
        if (value.integer > 1)
            in.fail();
        break;
    case ValueKind::Integer:
    case ValueKind::Currency:
        value.integer = unzigzag(in.number());
        break;
    case ValueKind::Single:
    case ValueKind::Double:
    case ValueKind::DateTime:
        value.real = in.real();
        break;
    case ValueKind::Decimal:
    case ValueKind::Text:
    case ValueKind::Bytes:
        value.bytes = in.bytes();
        break;
    case ValueKind::Guid:
        value.bytes = in.bytes();
        if (value.bytes.size() != guidSize)
            in.fail();
        break;
    }
    return value;
}

} // namespace

RowsBatchWriter::RowsBatchWriter(std::uint32_t columns) : columns_(columns) {
    takeFrame();
}

void RowsBatchWriter::add(const DataValue& value) {
    bytes_.push_back(char(value.kind));
    switch (value.kind) {
    case ValueKind::Null:
        break;
    case ValueKind::Boolean:
        bytes_.push_back(value.integer != 0 ? '\1' : '\0');
        break;
    case ValueKind::Integer:
    case ValueKind::Currency:
        putNumber(bytes_, zigzag(value.integer));
        break;
    case ValueKind::Single:
    case ValueKind::Double:
    case ValueKind::DateTime:
        putReal(bytes_, value.real);
        break;
    case ValueKind::Decimal:
    case ValueKind::Text:
    case ValueKind::Bytes:
    case ValueKind::Guid:
        putBytes(bytes_, value.bytes);
        break;
    }
}

std::string RowsBatchWriter::takeFrame() {
    std::string frame = std::move(bytes_);
    if (!frame.empty())
        putFrameSize(frame);
    bytes_.assign(frameHeaderSize, '\0');
    putNumber(bytes_, std::uint32_t(RowsFrameKind::Batch));
    putNumber(bytes_, columns_);
    rows_ = 0;
    return frame;
}

std::string encodeRowsTail(const RowsTail& tail) {
    std::string frame(frameHeaderSize, '\0');
    putNumber(frame, std::uint32_t(RowsFrameKind::Tail));
    putNumber(frame, tail.failure ? 1 : 0);
    if (tail.failure) {
        putNumber(frame, tail.failure->number);
        putBytes(frame, tail.failure->description);
    }
    putNumber(frame, tail.rows);
    putNumber(frame, tail.complete ? 1 : 0);
    putFrameSize(frame);
    return frame;
}

std::optional<RowsFrameKind> rowsFrameKind(std::string_view payload) {
    Cursor in(payload);
    const std::uint32_t kind = in.u32();
    if (!in.ok() ||
        (kind != std::uint32_t(RowsFrameKind::Batch) && kind != std::uint32_t(RowsFrameKind::Tail)))
        return std::nullopt;
    return RowsFrameKind(kind);
}

bool decodeRowsBatch(std::string_view payload, std::uint32_t& columns, std::vector<DataValue>& values) {
    Cursor in(payload);
    values.clear();
    if (in.u32() != std::uint32_t(RowsFrameKind::Batch))
        return false;
    columns = in.u32();
    if (!in.ok() || columns == 0)
        return false;
    // Every value takes a byte at least, so the frame bounds the count without a count of its own.
    while (in.ok() && !in.atEnd())
        values.push_back(takeValue(in));
    return in.finished() && values.size() % columns == 0;
}

std::optional<RowsTail> decodeRowsTail(std::string_view payload) {
    Cursor in(payload);
    RowsTail tail;
    if (in.u32() != std::uint32_t(RowsFrameKind::Tail))
        return std::nullopt;
    const std::uint32_t failed = in.u32();
    if (failed > 1)
        return std::nullopt;
    if (failed == 1) {
        Failure failure;
        failure.number = in.u32();
        failure.description = in.text();
        tail.failure = std::move(failure);
    }
    tail.rows = in.number();
    const std::uint32_t complete = in.u32();
    if (complete > 1)
        return std::nullopt;
    tail.complete = complete == 1;
    if (!in.finished())
        return std::nullopt;
    return tail;
}

} // namespace readerprotocol
