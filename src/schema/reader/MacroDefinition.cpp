#include "MacroDefinition.h"

#include "StreamBytes.h"

#include <glib.h>

#include <algorithm>
#include <memory>

namespace {

constexpr std::size_t directoryHeaderSize = 4;
constexpr std::size_t numberSize = 4;
constexpr std::size_t flagsSize = 4;
constexpr std::size_t fieldCount = 14;
constexpr std::uint16_t emptyField = 0xFFFF;
constexpr std::size_t commentField = 1;
constexpr std::size_t versionFormatField = 5;
constexpr std::string_view unicodeFormat = "3";
constexpr std::string_view xmlPiecePrefix = "_AXL:";

// The texts of a row by field, each from its offset to the next field's (or the end), up to its NUL.
struct Row {
    std::string_view texts;
    std::uint16_t offsets[fieldCount] = {};

    std::optional<std::string_view> field(std::size_t number) const {
        const std::uint16_t start = offsets[number];
        if (start == emptyField || start >= texts.size())
            return std::nullopt;
        std::size_t end = texts.size();
        for (const std::uint16_t offset : offsets)
            if (offset != emptyField && offset > start && offset < end)
                end = offset;
        return texts.substr(start, end - start);
    }
};

} // namespace

MacroDirectory readMacroDirectory(std::string_view dirData) {
    MacroDirectory directory;
    if (dirData.size() < directoryHeaderSize)
        return directory;
    std::size_t at = directoryHeaderSize;
    while (at < dirData.size()) {
        if (dirData.size() - at < 2)
            return directory;
        const std::size_t size = std::uint8_t(dirData[at + 1]);
        at += 2;
        if (size < numberSize || size > dirData.size() - at)
            return directory;
        MacroEntry entry;
        entry.name =
            utf16ToUtf8(utf16Units(dirData.substr(at, size - numberSize), true)).value_or(std::string());
        entry.number = u32(dirData, at + size - numberSize);
        at += size;
        if (entry.name.empty())
            return directory;
        directory.macros.push_back(std::move(entry));
    }
    directory.complete = true;
    return directory;
}

MacroBlobRead readMacroBlob(std::string_view blob) {
    MacroBlobRead read;
    if (blob.size() < flagsSize)
        return read;
    std::size_t at = flagsSize;
    bool versionRow = true;
    bool unicode = false;
    std::vector<gunichar2> xmlUnits; // the pieces are joined before the text is decoded: a piece may end
                                     // between the two halves of a surrogate pair
    bool xmlFound = false;
    while (at < blob.size()) {
        const std::size_t fixed = (versionRow ? 0 : 4) + 2 * fieldCount + 2;
        if (blob.size() - at < fixed)
            break;
        const std::uint16_t action = versionRow ? 0 : u16(blob, at);
        if (!versionRow)
            at += 4;
        Row row;
        for (std::size_t i = 0; i < fieldCount; ++i, at += 2)
            row.offsets[i] = u16(blob, at);
        const std::size_t size = u16(blob, at);
        at += 2;
        if (blob.size() - at < size + 2)
            break;
        row.texts = blob.substr(at, size);
        at += size + 2;
        if (versionRow) {
            const std::optional<std::string_view> format = row.field(versionFormatField);
            unicode = format && format->substr(0, format->find('\0')) == unicodeFormat;
            versionRow = false;
            continue;
        }
        const std::optional<std::string_view> comment = row.field(commentField);
        if (action != 0 || !comment || !unicode)
            continue;
        const std::vector<gunichar2> units = utf16Units(*comment, true);
        if (units.size() >= xmlPiecePrefix.size() &&
            std::equal(xmlPiecePrefix.begin(), xmlPiecePrefix.end(), units.begin())) {
            xmlUnits.insert(xmlUnits.end(), units.begin() + std::ptrdiff_t(xmlPiecePrefix.size()),
                            units.end());
            xmlFound = true;
        }
    }
    read.complete = at == blob.size();
    std::optional<std::string> decoded = xmlFound ? utf16ToUtf8(xmlUnits) : std::nullopt;
    if (xmlFound && !decoded)
        read.complete = false;
    if (decoded) {
        std::string& xml = *decoded;
        // The XML is written out as UTF-8: its declaration says so instead of the UTF-16 it was kept in.
        constexpr std::string_view stored = "encoding=\"UTF-16\"";
        const std::size_t declarationEnd = xml.find("?>");
        const std::size_t encoding = xml.find(stored);
        if (xml.starts_with("<?xml") && encoding != std::string::npos && encoding < declarationEnd)
            xml.replace(encoding, stored.size(), "encoding=\"UTF-8\"");
        read.xml = std::move(*decoded);
    }
    return read;
}
