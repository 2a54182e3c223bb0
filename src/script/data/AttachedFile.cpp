#include "AttachedFile.h"

#include <QByteArray>

#include <cstdint>

namespace {

constexpr std::size_t wrapperSize = 8;
constexpr std::uint32_t storedAsIs = 0;
constexpr std::uint32_t compressed = 1;
// zlib compresses at most about 1032 to 1: a length beyond that of the stored bytes is damage, and is not
// allocated.
constexpr std::uint64_t largestRatio = 1032;

std::uint32_t littleEndian32(std::string_view bytes) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[std::size_t(i)]);
    return value;
}

} // namespace

std::optional<std::string> attachedFile(std::string_view stored) {
    if (stored.size() < wrapperSize)
        return std::nullopt;
    const std::uint32_t kind = littleEndian32(stored);
    const std::uint32_t length = littleEndian32(stored.substr(4));
    const std::string_view rest = stored.substr(wrapperSize);
    std::string content;
    if (kind == storedAsIs) {
        if (length > rest.size())
            return std::nullopt;
        content.assign(rest.substr(0, length));
    } else if (kind == compressed) {
        if (length > largestRatio * rest.size() + 64)
            return std::nullopt;
        // qUncompress takes the expected length first, as four bytes most significant first.
        QByteArray input;
        input.reserve(qsizetype(rest.size() + 4));
        for (int shift = 24; shift >= 0; shift -= 8)
            input.append(char(length >> shift & 0xFF));
        input.append(rest.data(), qsizetype(rest.size()));
        const QByteArray output = qUncompress(input);
        if (output.size() != qsizetype(length))
            return std::nullopt;
        content.assign(output.constData(), std::size_t(output.size()));
    } else {
        return std::nullopt;
    }
    if (content.size() < 4)
        return std::nullopt;
    const std::uint32_t header = littleEndian32(content);
    if (header < 4 || header > content.size())
        return std::nullopt;
    content.erase(0, header);
    return content;
}
