#pragma once
// The frames of the reader conversation and the values inside them, shared by both sides (plain C++, no
// Qt). A frame is a byte count in four bytes, little-endian, then that many bytes. Inside, unsigned numbers
// are u32 values in one to five bytes (see Writer::u32), truth values the numbers 0 or 1, texts and byte
// strings a byte count followed by the bytes, signed 64-bit numbers zigzag-folded into one to ten bytes, and
// doubles their eight IEEE 754 bytes, little-endian. Reading checks every bound: a value that runs past the
// end, or is not in the one form the writer gives it, makes the whole payload bad.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace readerprotocol {

// No frame is ever larger; a bigger count means the stream is garbage.
inline constexpr std::uint32_t maxFrameSize = 256u * 1024u * 1024u;

class Writer {
public:
    // Seven bits a byte, low bits first, the high bit set on every byte but the last: nearly every number
    // of an answer (a type, a size, a flag, a length) takes one byte.
    void u32(std::uint32_t value);
    // Folded so that small magnitudes of either sign stay short (0, -1, 1, -2 ... as 0, 1, 2, 3 ...), then
    // written seven bits a byte like u32.
    void i64(std::int64_t value);
    void f64(double value);
    void text(std::string_view value);
    // Any bytes, not only UTF-8; the same layout as a text.
    void bytes(std::string_view value) { text(value); }
    void boolean(bool value) { u32(value ? 1 : 0); }
    // The payload with its length in front, ready to write.
    std::string frame() const;
    // The same without a copy; the writer is empty afterwards.
    std::string takeFrame();

private:
    void varint(std::uint64_t value);

    std::string bytes_ = std::string(4, '\0'); // room for the length in front of the payload
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    // Inline: a large answer holds millions of numbers. A number is read as written (see Writer::u32): a
    // longer form, or one past 32 bits, makes the whole payload bad.
    std::uint32_t u32() {
        std::uint32_t value = 0;
        for (int shift = 0;; shift += 7) {
            if (!ok_ || pos_ == bytes_.size()) {
                ok_ = false;
                return 0;
            }
            const auto byte = static_cast<unsigned char>(bytes_[pos_++]);
            if ((shift == 28 && byte > 0x0F) || (shift > 0 && byte == 0)) {
                ok_ = false;
                return 0;
            }
            value |= std::uint32_t(byte & 0x7Fu) << shift;
            if (byte < 0x80)
                return value;
        }
    }
    std::int64_t i64();
    double f64();
    std::string text();
    std::string bytes() { return text(); }
    // A count of items that each take at least minItemSize bytes; a count the rest cannot hold is garbage.
    std::uint32_t count(std::size_t minItemSize);
    bool boolean();
    void fail() { ok_ = false; }
    bool ok() const { return ok_; }
    bool finished() const { return ok_ && pos_ == bytes_.size(); }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// Reads the length prefix of a frame at the start of buffer; nullopt until four bytes are there.
std::optional<std::uint32_t> frameSize(std::string_view buffer);

} // namespace readerprotocol
