// Fuzzes the reading of an encrypted file's header: the encryption info block at 0x299 (the binary forms
// and the agile XML description) under any encoding key, and, for what reads as a supported encryption,
// the password check and the decryption of a page. Every outcome must be a value; nothing may crash, read
// out of bounds or leak.

#include "EncryptionInfo.h"
#include "PageDecryption.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

using namespace encryption;

namespace {

constexpr std::size_t headerPageSize = 4096;
// Key derivation costs spinCount hashes: enough rounds to run the code, few enough to fuzz quickly.
constexpr std::uint32_t largestFuzzedSpinCount = 16;

bool cheapToUnlock(const EncryptionInfo& info) {
    if (const auto* agile = std::get_if<Agile>(&info))
        return agile->spinCount <= largestFuzzedSpinCount;
    if (const auto* standard = std::get_if<StandardAes>(&info))
        return standard->spinCount <= largestFuzzedSpinCount;
    return std::holds_alternative<Rc4CryptoApi>(info);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const EncodingKey key = EncodingKey(data[0]) | EncodingKey(data[1]) << 8 | 1u;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);
    // The first byte chooses: the rest as the XML description alone, or as the header page from 0x299.
    EncryptionInfo info;
    if (data[2] & 1) {
        info = readAgileDescription(rest);
    } else {
        std::array<char, headerPageSize> page{};
        const std::size_t copied = std::min(rest.size(), page.size() - 0x299);
        std::copy_n(rest.data(), copied, page.data() + 0x299);
        info = readEncryptionInfo(key, std::string_view(page.data(), 0x299 + copied));
    }
    if (!cheapToUnlock(info))
        return 0;
    auto unlocked = PageDecrypter::unlock(info, key, data[3] & 1 ? "Test123" : "");
    if (auto* decrypter = std::get_if<PageDecrypter>(&unlocked)) {
        std::array<unsigned char, headerPageSize> pageBytes{};
        decrypter->decrypt(1, pageBytes.data(), pageBytes.data(), pageBytes.size());
    }
    return 0;
}
