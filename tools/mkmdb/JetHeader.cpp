#include "JetHeader.h"

#include <cmath>
#include <cstring>

namespace jet {

namespace {

constexpr std::size_t cipherStart = 0x18;
constexpr std::size_t cipherLength = 128;
constexpr std::size_t codePageAt = 0x3C;
constexpr std::size_t passwordAt = 0x42;
constexpr std::size_t passwordLength = 40;
constexpr std::size_t sortOrderAt = 0x6E;
constexpr std::size_t createdAt = 0x72;
constexpr std::size_t versionTextAt = 0x98;
constexpr std::size_t trailerAt = 0xE00;

} // namespace

Page headerPage(double created) {
    Page page(pageSize, 0);
    page[1] = 0x01;
    const char signature[] = "Standard Jet DB";
    std::memcpy(&page[4], signature, sizeof signature);
    put32(&page[0x14], 1); // Jet 4
    // Values Access 2000 writes in the hidden part; their meaning is not known.
    const std::uint8_t unknown[] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
                                    0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};
    std::memcpy(&page[cipherStart], unknown, sizeof unknown);
    put16(&page[codePageAt], 1252);
    // Database key 0 at 0x3E: the pages are not encrypted.
    // The password is stored masked with the whole days of the creation date; an empty password
    // therefore shows as the mask itself.
    const auto mask = std::uint32_t(std::int32_t(std::floor(created)));
    for (std::size_t i = 0; i < passwordLength; i += 4)
        put32(&page[passwordAt + i], mask);
    put16(&page[sortOrderAt], 0x0409); // General sort order
    std::uint64_t bits = 0;
    std::memcpy(&bits, &created, sizeof bits);
    put32(&page[createdAt], std::uint32_t(bits));
    put32(&page[createdAt + 4], std::uint32_t(bits >> 32));

    rc4({0xC7, 0xDA, 0x39, 0x6B}, &page[cipherStart], cipherLength);

    put32(&page[versionTextAt], 0x0654);
    std::memcpy(&page[versionTextAt + 4], "4.0", 4);
    page[trailerAt] = 0x01;
    for (std::size_t i = trailerAt + 1; i < pageSize; i += 2)
        page[i] = 0x01;
    return page;
}

} // namespace jet
