#include "FrameCodec.h"

#include <bit>

namespace readerprotocol {

void Writer::u32(std::uint32_t value) {
    varint(value);
}

void Writer::varint(std::uint64_t value) {
    char bytes[10];
    std::size_t size = 0;
    for (; value >= 0x80; value >>= 7)
        bytes[size++] = char((value & 0x7Fu) | 0x80u);
    bytes[size++] = char(value);
    bytes_.append(bytes, size);
}

void Writer::i64(std::int64_t value) {
    const auto bits = std::uint64_t(value);
    varint((bits << 1) ^ (value < 0 ? ~std::uint64_t(0) : 0));
}

void Writer::f64(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        bytes_.push_back(char((bits >> (8 * i)) & 0xFFu));
}

void Writer::text(std::string_view value) {
    u32(std::uint32_t(value.size()));
    bytes_.append(value);
}

std::string Writer::frame() const {
    Writer copy = *this;
    return copy.takeFrame();
}

std::string Writer::takeFrame() {
    const auto size = std::uint32_t(bytes_.size() - 4);
    for (int i = 0; i < 4; ++i)
        bytes_[std::size_t(i)] = char((size >> (8 * i)) & 0xFFu);
    std::string frame = std::move(bytes_);
    bytes_.assign(4, '\0');
    return frame;
}

std::int64_t Reader::i64() {
    std::uint64_t folded = 0;
    for (int shift = 0;; shift += 7) {
        if (!ok_ || pos_ == bytes_.size()) {
            ok_ = false;
            return 0;
        }
        const auto byte = static_cast<unsigned char>(bytes_[pos_++]);
        // The tenth byte holds the one bit left; a zero byte after the first is a longer form.
        if ((shift == 63 && byte > 0x01) || (shift > 0 && byte == 0)) {
            ok_ = false;
            return 0;
        }
        folded |= std::uint64_t(byte & 0x7Fu) << shift;
        if (byte < 0x80)
            break;
    }
    return std::int64_t((folded >> 1) ^ (~(folded & 1) + 1));
}

double Reader::f64() {
    if (!ok_ || bytes_.size() - pos_ < 8) {
        ok_ = false;
        return 0;
    }
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= std::uint64_t(static_cast<unsigned char>(bytes_[pos_ + std::size_t(i)])) << (8 * i);
    pos_ += 8;
    return std::bit_cast<double>(bits);
}

std::string Reader::text() {
    const std::uint32_t size = u32();
    if (!ok_ || bytes_.size() - pos_ < size) {
        ok_ = false;
        return {};
    }
    std::string value(bytes_.substr(pos_, size));
    pos_ += size;
    return value;
}

std::uint32_t Reader::count(std::size_t minItemSize) {
    const std::uint32_t n = u32();
    if (ok_ && n > (bytes_.size() - pos_) / minItemSize)
        ok_ = false;
    return ok_ ? n : 0;
}

bool Reader::boolean() {
    const std::uint32_t value = u32();
    if (value > 1)
        ok_ = false;
    return value == 1;
}

std::optional<std::uint32_t> frameSize(std::string_view buffer) {
    if (buffer.size() < 4)
        return std::nullopt;
    const auto* at = reinterpret_cast<const unsigned char*>(buffer.data());
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 |
           std::uint32_t(at[3]) << 24;
}

} // namespace readerprotocol
