#pragma once
// Little-endian byte building, UCS-2 text and the header cipher used by the Jet 4 page writers.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Appends and patches little-endian integers in a growing byte buffer.
class ByteWriter {
public:
    void u8(std::uint32_t v) { data_.push_back(std::uint8_t(v)); }
    void u16(std::uint32_t v);
    void u32(std::uint32_t v);
    void f64(double v);
    void bytes(const Bytes& b) { data_.insert(data_.end(), b.begin(), b.end()); }
    void zeros(std::size_t n) { data_.insert(data_.end(), n, 0); }
    void patch16(std::size_t at, std::uint32_t v);
    void patch32(std::size_t at, std::uint32_t v);
    std::size_t size() const { return data_.size(); }
    const Bytes& data() const { return data_; }
    Bytes take() { return std::move(data_); }

private:
    Bytes data_;
};

void put16(std::uint8_t* at, std::uint32_t v);
void put32(std::uint8_t* at, std::uint32_t v);

// UTF-8 to UTF-16LE bytes (UCS-2 for every character Jet can hold); nothing for malformed input.
std::optional<Bytes> toUcs2(const std::string& utf8);
// The number of UTF-16 units of a UTF-8 text, or -1 when it is malformed.
int ucs2Length(const std::string& utf8);

// RC4 in place; the database header page is hidden behind it with a fixed key.
void rc4(const Bytes& key, std::uint8_t* data, std::size_t size);
