#include "RowLiterals.h"

#include "ValueText.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace {

// The parts of a value that every form writes the same: numbers, Currency and Decimal digits. False for the
// kinds each form writes its own way.
bool appendNumber(std::string& out, const DataValue& value) {
    switch (value.kind) {
    case ValueKind::Integer:
        appendInteger(out, value.integer);
        return true;
    case ValueKind::Currency:
        appendCurrency(out, value.integer);
        return true;
    case ValueKind::Decimal:
        out += value.bytes;
        return true;
    default:
        return false;
    }
}

// A Single as the shortest text of its exact value as a double: a server that reads it as a double first
// (MySQL checks a FLOAT's range so) still sees the float's own value, and no server rounds it to another.
bool appendFloat(std::string& out, const DataValue& value) {
    return appendShortest(out, value.kind == ValueKind::Single ? double(float(value.real)) : value.real);
}

// A float, or the word PostgreSQL's COPY and most CSV readers take for NaN and the infinities.
void appendFloatOrWord(std::string& out, const DataValue& value) {
    if (!appendFloat(out, value))
        out += std::isnan(value.real) ? "NaN" : value.real < 0 ? "-Infinity" : "Infinity";
}

// A text as its exact bytes cast to the server's text: SQLite's CAST(X'...' AS TEXT) of the UTF-8 bytes, SQL
// Server's CAST(0x... AS NVARCHAR(MAX)) of the UTF-16 code units. Any character survives, and however many
// line breaks a text holds, it stays one term (a concatenation per break grows past the parsers' depth).
void appendTextBytes(std::string& out, TextLiteral style, std::string_view text) {
    if (style == TextLiteral::National) {
        const QString units = QString::fromUtf8(text.data(), qsizetype(text.size()));
        out += "CAST(0x";
        appendHex(
            out,
            std::string_view(reinterpret_cast<const char*>(units.utf16()), std::size_t(units.size()) * 2),
            true);
        out += " AS NVARCHAR(MAX))";
        return;
    }
    out += "CAST(X'";
    appendHex(out, text, true);
    out += "' AS TEXT)";
}

// A text in single quotes, in the dialect's way. CR and LF never appear as they are, so that a script's line
// ends can be changed without touching a value (and the sqlite3 shell and the mariadb client read a CR
// before a line end as part of the line end).
ValueProblem appendQuoted(std::string& out, TextLiteral style, std::string_view text) {
    // Most texts hold none of the characters written otherwise: they are found in one pass, and the runs
    // between them appended whole.
    const auto special = [](char c) { return c == '\'' || c == '\\' || c == '\r' || c == '\n' || c == '\0'; };
    const auto first = std::find_if(text.begin(), text.end(), special);
    const bool lineBreaks =
        first != text.end() && std::any_of(first, text.end(), [](char c) { return c == '\r' || c == '\n'; });
    const bool nul = first != text.end() && std::find(first, text.end(), '\0') != text.end();
    if ((lineBreaks || nul) && (style == TextLiteral::BytesCast || style == TextLiteral::National)) {
        // SQL Server's NUL is kept too: its texts hold any code unit.
        appendTextBytes(out, style, text);
        return ValueProblem::None;
    }
    ValueProblem problem = ValueProblem::None;
    // PostgreSQL's escape strings (E'...') take \r and \n.
    const bool escapeString = style == TextLiteral::Doubled && lineBreaks;
    if (escapeString)
        out += 'E';
    if (style == TextLiteral::National)
        out += 'N';
    out += '\'';
    auto run = text.begin();
    for (auto at = first; at != text.end(); at = std::find_if(at, text.end(), special)) {
        out.append(run, at);
        switch (*at) {
        case '\'':
            out += "''";
            break;
        case '\\':
            out += style == TextLiteral::Escaped || escapeString ? "\\\\" : "\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default: // NUL
            if (style == TextLiteral::Escaped)
                out += "\\0";
            else
                problem = ValueProblem::NulRemoved; // PostgreSQL's texts hold no NUL
            break;
        }
        run = ++at;
    }
    out.append(run, text.end());
    out += '\'';
    return problem;
}

void appendBytes(std::string& out, BytesLiteral style, std::string_view bytes) {
    switch (style) {
    case BytesLiteral::XQuoted:
        out += "X'";
        appendHex(out, bytes, true);
        out += '\'';
        break;
    case BytesLiteral::ZeroX:
        out += "0x";
        appendHex(out, bytes, true);
        break;
    case BytesLiteral::Bytea:
        out += "'\\x";
        appendHex(out, bytes, false);
        out += '\'';
        break;
    }
}

// The real as (M.0*2^k...) or (M.0/2^k...), M its integer significand: every step is exact in doubles, so the
// server computes the very double, where its reading of a long decimal may miss it by one unit.
void appendExactProduct(std::string& out, double value) {
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    auto significand = static_cast<std::int64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    while (significand % 2 == 0) {
        significand /= 2;
        ++exponent;
    }
    out += '(';
    appendInteger(out, significand);
    out += ".0";
    for (int left = exponent < 0 ? -exponent : exponent; left > 0;) {
        const int step = left > 62 ? 62 : left;
        out += exponent < 0 ? '/' : '*';
        appendInteger(out, std::int64_t(1) << step);
        left -= step;
    }
    out += ')';
}

ValueProblem appendNonFinite(std::string& out, const TargetDialect& dialect, double value) {
    const char* text = std::isnan(value) ? dialect.notANumber : dialect.infinity;
    if (!text) {
        out += "NULL";
        return ValueProblem::NotFinite;
    }
    if (value < 0) // only an infinity: NaN has no sign that counts
        out += text[0] == '\'' ? std::string("'-") + (text + 1) : std::string("-") + text;
    else
        out += text;
    return ValueProblem::None;
}

} // namespace

ValueProblem appendSqlLiteral(std::string& out, const TargetDialect& dialect, ValueForm form,
                              const DataValue& value) {
    if (dialect.exactAsText && (value.kind == ValueKind::Currency || value.kind == ValueKind::Decimal)) {
        out += '\'';
        appendNumber(out, value);
        out += '\'';
        return ValueProblem::None;
    }
    if (appendNumber(out, value))
        return ValueProblem::None;
    switch (value.kind) {
    case ValueKind::Null:
        break;
    case ValueKind::Boolean:
        // The dialects' words are ASCII ("TRUE", "1"): appended a character at a time, with no string made.
        for (const QChar c : value.integer ? dialect.trueLiteral : dialect.falseLiteral)
            out += char(c.unicode());
        return ValueProblem::None;
    case ValueKind::Single:
    case ValueKind::Double:
        if (value.real == 0 && std::signbit(value.real)) {
            if (dialect.negativeZero) {
                out += dialect.negativeZero;
                return ValueProblem::None;
            }
            out += '0';
            return ValueProblem::ZeroSignLost;
        }
        if (dialect.exactRealDigits > 0 && std::isfinite(value.real)) {
            // The shortest text is written in place and taken back when it has more digits than the
            // server reads exactly.
            const std::size_t at = out.size();
            appendFloat(out, value);
            // The digits before the exponent, counted in one pass.
            int significant = 0;
            for (std::size_t i = at; i < out.size() && out[i] != 'e'; ++i)
                significant += out[i] >= '0' && out[i] <= '9';
            if (significant > dialect.exactRealDigits) {
                out.resize(at);
                appendExactProduct(out,
                                   value.kind == ValueKind::Single ? double(float(value.real)) : value.real);
            }
            return ValueProblem::None;
        }
        if (appendFloat(out, value))
            return ValueProblem::None;
        return appendNonFinite(out, dialect, value.real);
    case ValueKind::DateTime:
        // Digits, dashes, colons and a space: quoted as they are, in place.
        out += '\'';
        if (!appendTimestamp(out, value.real)) {
            out.pop_back();
            break;
        }
        out += '\'';
        return ValueProblem::None;
    case ValueKind::Text:
        if (form == ValueForm::Timestamp && dialect.fractionDigits > 0) { // a Date/Time Extended value
            bool cut = false;
            appendQuoted(out, TextLiteral::Doubled, withFraction(value.bytes, dialect.fractionDigits, cut));
            return cut ? ValueProblem::FractionCut : ValueProblem::None;
        }
        return appendQuoted(out, dialect.textLiterals, value.bytes);
    case ValueKind::Bytes:
        appendBytes(out, dialect.bytesLiterals, value.bytes);
        return ValueProblem::None;
    case ValueKind::Guid:
        // Hex digits, dashes and braces: quoted as they are, in place.
        out += '\'';
        if (!appendGuid(out, value.bytes, form == ValueForm::UuidText)) {
            out.pop_back();
            out += "NULL";
            return ValueProblem::BadValue;
        }
        out += '\'';
        return ValueProblem::None;
    default:
        break;
    }
    out += "NULL";
    return value.kind == ValueKind::DateTime ? ValueProblem::DateOutOfRange : ValueProblem::None;
}

ValueProblem appendCopyField(std::string& out, ValueForm form, const DataValue& value) {
    // PostgreSQL reads a GUID's text with or without braces alike; its timestamps keep microseconds.
    if (value.kind == ValueKind::Text && form == ValueForm::Timestamp) { // a Date/Time Extended value
        bool cut = false;
        out += withFraction(value.bytes, postgreSqlDialect().fractionDigits, cut);
        return cut ? ValueProblem::FractionCut : ValueProblem::None;
    }
    if (appendNumber(out, value))
        return ValueProblem::None;
    switch (value.kind) {
    case ValueKind::Null:
        break;
    case ValueKind::Boolean:
        out += value.integer ? 't' : 'f';
        return ValueProblem::None;
    case ValueKind::Single:
    case ValueKind::Double:
        appendFloatOrWord(out, value);
        return ValueProblem::None;
    case ValueKind::DateTime:
        if (appendTimestamp(out, value.real))
            return ValueProblem::None;
        out += "\\N";
        return ValueProblem::DateOutOfRange;
    case ValueKind::Text: {
        ValueProblem problem = ValueProblem::None;
        for (const char c : value.bytes) {
            switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\0':
                problem = ValueProblem::NulRemoved;
                break;
            default:
                out += c;
            }
        }
        return problem;
    }
    case ValueKind::Bytes:
        out += "\\\\x";
        appendHex(out, value.bytes, false);
        return ValueProblem::None;
    case ValueKind::Guid:
        if (appendGuid(out, value.bytes, false))
            return ValueProblem::None;
        out += "\\N";
        return ValueProblem::BadValue;
    default:
        break;
    }
    out += "\\N";
    return ValueProblem::None;
}

ValueProblem appendCsvField(std::string& out, const DataValue& value) {
    if (appendNumber(out, value))
        return ValueProblem::None;
    switch (value.kind) {
    case ValueKind::Null:
        return ValueProblem::None;
    case ValueKind::Boolean:
        out += value.integer ? "true" : "false";
        return ValueProblem::None;
    case ValueKind::Single:
    case ValueKind::Double:
        appendFloatOrWord(out, value);
        return ValueProblem::None;
    case ValueKind::DateTime:
        return appendTimestamp(out, value.real, 'T') ? ValueProblem::None : ValueProblem::DateOutOfRange;
    case ValueKind::Text:
        if (!value.bytes.empty() && value.bytes.find_first_of(",\"\r\n") == std::string_view::npos) {
            out += value.bytes;
            return ValueProblem::None;
        }
        out += '"';
        for (const char c : value.bytes) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
        return ValueProblem::None;
    case ValueKind::Bytes:
        appendHex(out, value.bytes, false);
        return ValueProblem::None;
    case ValueKind::Guid:
        return appendGuid(out, value.bytes, true) ? ValueProblem::None : ValueProblem::BadValue;
    default:
        return ValueProblem::None;
    }
}

const char* valueProblemText(ValueProblem problem) {
    switch (problem) {
    case ValueProblem::NotFinite:
        return "NaN or infinite values, which this server cannot hold, written as NULL";
    case ValueProblem::DateOutOfRange:
        return "dates outside the years 100 to 9999 written as NULL";
    case ValueProblem::BadValue:
        return "values that could not be read written as NULL";
    case ValueProblem::NulRemoved:
        return "texts with NUL characters, which this server cannot hold, written without them";
    case ValueProblem::ZeroSignLost:
        return "negative zeros written as 0, as this server keeps no sign of zero";
    case ValueProblem::FractionCut:
        return "times with a seventh digit of a second written to the microsecond, all this server keeps";
    case ValueProblem::None:
        break;
    }
    return "";
}
