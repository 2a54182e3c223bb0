#include "JetHeader.h"

#include <cmath>
#include <cstring>

namespace jet {

namespace {

constexpr std::size_t CipherStart = 0x18;
constexpr std::size_t CipherLength = 128;
constexpr std::size_t CodePageAt = 0x3C;
constexpr std::size_t PasswordAt = 0x42;
constexpr std::size_t PasswordLength = 40;
constexpr std::size_t SortOrderAt = 0x6E;
constexpr std::size_t CreatedAt = 0x72;
constexpr std::size_t VersionTextAt = 0x98;
constexpr std::size_t TrailerAt = 0xE00;

} // namespace

Page headerPage(double created) {
    Page page(PageSize, 0);
    page[1] = 0x01;
    const char signature[] = "Standard Jet DB";
    std::memcpy(&page[4], signature, sizeof signature);
    put32(&page[0x14], 1); // Jet 4
    // Values Access 2000 writes in the hidden part; their meaning is not known.
    const std::uint8_t unknown[] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
                                    0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};
    std::memcpy(&page[CipherStart], unknown, sizeof unknown);
    put16(&page[CodePageAt], 1252);
    // Database key 0 at 0x3E: the pages are not encrypted.
    // The password is stored masked with the whole days of the creation date; an empty password
    // therefore shows as the mask itself.
    const auto mask = std::uint32_t(std::int32_t(std::floor(created)));
    for (std::size_t i = 0; i < PasswordLength; i += 4)
        put32(&page[PasswordAt + i], mask);
    put16(&page[SortOrderAt], 0x0409); // General sort order
    std::uint64_t bits = 0;
    std::memcpy(&bits, &created, sizeof bits);
    put32(&page[CreatedAt], std::uint32_t(bits));
    put32(&page[CreatedAt + 4], std::uint32_t(bits >> 32));

    rc4({0xC7, 0xDA, 0x39, 0x6B}, &page[CipherStart], CipherLength);

    put32(&page[VersionTextAt], 0x0654);
    std::memcpy(&page[VersionTextAt + 4], "4.0", 4);
    page[TrailerAt] = 0x01;
    for (std::size_t i = TrailerAt + 1; i < PageSize; i += 2)
        page[i] = 0x01;
    return page;
}

} // namespace jet
