// The shared pieces of Access SQL text (QuerySqlText.h).

#include "QuerySqlText.h"

#include "QueryRowFacts.h"

#include <cctype>
#include <cstddef>

namespace queryrebuild {

namespace {

bool isWordCharacter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x80 && (std::isalnum(u) || c == '_');
}

bool isBracketed(const std::string& text) {
    return text.size() >= 2 && text.front() == '[' && text.back() == ']';
}

} // namespace

std::string joined(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += separator;
        text += items[i];
    }
    return text;
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string bracketed(const std::string& text) {
    return isBracketed(text) ? text : "[" + text + "]";
}

// A name in brackets where it holds anything but letters, digits and "_"; an identifier part by part
// between its dots.
std::string quotedWhereNeeded(const std::string& name, bool identifier) {
    std::vector<std::string> parts;
    if (identifier) {
        std::size_t start = 0;
        for (std::size_t dot; (dot = name.find('.', start)) != std::string::npos; start = dot + 1)
            parts.push_back(name.substr(start, dot - start));
        parts.push_back(name.substr(start));
        // A name ending in dots has no empty parts after its last name.
        while (parts.size() > 1 && parts.back().empty())
            parts.pop_back();
    } else {
        parts.push_back(name);
    }
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            text += '.';
        bool plain = true;
        for (char c : parts[i])
            plain = plain && isWordCharacter(c);
        text += plain ? parts[i] : bracketed(parts[i]);
    }
    return text;
}

std::string alias(const std::optional<std::string>& name) {
    return name ? " AS " + quotedWhereNeeded(*name, false) : std::string();
}

std::string otherDatabase(const std::optional<std::string>& path, const std::optional<std::string>& type) {
    if (!path && !type)
        return {};
    std::string text = " IN '" + path.value_or(std::string()) + "'";
    if (type)
        text += " [" + *type + "]";
    return text;
}

// A union part as Access shows it: trimmed, each run of line breaks one line break.
std::string cleanedUnionPart(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    std::string cleaned;
    for (std::size_t i = begin; i < end; ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            while (i + 1 < end && (text[i + 1] == '\r' || text[i + 1] == '\n'))
                ++i;
            cleaned += newline;
        } else {
            cleaned += text[i];
        }
    }
    return cleaned;
}

} // namespace queryrebuild
