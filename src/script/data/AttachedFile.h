#pragma once
// The bytes of a file attached to a row, from the form Access stores them in: a header of two
// little-endian numbers (0 stored as is, 1 compressed with zlib; the length of what follows once
// uncompressed), then a header of the file's own (its length first, then the file's extension), then the
// file.

#include <optional>
#include <string>
#include <string_view>

// The file's bytes; nothing when the stored bytes are not in that form.
std::optional<std::string> attachedFile(std::string_view stored);
