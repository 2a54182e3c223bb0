#pragma once
// Access's Like on one value, for the rules evaluated row by row: without regard to case, * any run of
// characters, ? one character, # one digit, [a-z] one of a list or range, [!a-z] one outside it.

#include <QString>
#include <optional>

// Whether the text is like the pattern; none for a pattern Access would not read ("[a-" without its "]",
// "[]"), and for a mismatch that the sort order could turn into a match (a character beyond ASCII, which
// Access's ranges and letters may count as another).
std::optional<bool> likeMatches(const QString& text, const QString& pattern);
