#pragma once
// The pieces of Access SQL text every part of a query uses: lists, names in brackets where they need them,
// aliases, the IN clause of another database, and a union part cleaned as Access shows it.

#include <optional>
#include <string>
#include <vector>

namespace queryrebuild {

std::string joined(const std::vector<std::string>& items, const char* separator = ", ");
bool sameIgnoringCase(const std::string& a, const std::string& b);
// A name in brackets unless it already is.
std::string bracketed(const std::string& text);
// A name in brackets where it holds anything but letters, digits and "_"; an identifier part by part
// between its dots.
std::string quotedWhereNeeded(const std::string& name, bool identifier);
// " AS name", or nothing without a name.
std::string alias(const std::optional<std::string>& name);
// " IN 'path' [type]", or nothing without either.
std::string otherDatabase(const std::optional<std::string>& path, const std::optional<std::string>& type);
// A union part as Access shows it: trimmed, each run of line breaks one line break.
std::string cleanedUnionPart(const std::string& text);

} // namespace queryrebuild
