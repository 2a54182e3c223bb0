#pragma once
// The exact texts of stored values, shared by every form rows are written in: numbers in their shortest
// exact form, Currency to four places, dates as ISO 8601, GUIDs, bytes in hex.

#include "DataValue.h"

#include <string>

// The shortest decimal text that reads back as the same float or double ("0.1", "1e+300", "-0"); false for
// NaN and the infinities, which have no such text.
bool appendShortest(std::string& out, double value);
bool appendShortest(std::string& out, float value);
// A whole number's decimal digits, with a "-" for a negative one.
void appendInteger(std::string& out, std::int64_t value);
// Ten-thousandths as an exact decimal with four places: 12345 -> "1.2345".
void appendCurrency(std::string& out, std::int64_t tenThousandths);
// Days since 1899-12-30 as "YYYY-MM-DD HH:MM:SS", with ".mmm" where there are milliseconds, rounded to the
// millisecond as Access rounds; separator ' ' or 'T'. False (nothing appended) outside the years 100 to 9999.
bool appendTimestamp(std::string& out, double days, char separator = ' ');
// A date's text ("2021-12-30 12:34:56.7891234") with at most `digits` digits of a second; `cut` is set when a
// digit was left out.
std::string_view withFraction(std::string_view text, int digits, bool& cut);
// The 16 stored bytes as "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" (the first three groups little-endian, as
// stored), in braces where asked; false for another length.
bool appendGuid(std::string& out, std::string_view bytes, bool braces);
// Two hex digits a byte.
void appendHex(std::string& out, std::string_view bytes, bool upper);
