#include "RowDigest.h"

#include "ValueText.h"

#include <QStringList>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <functional>

namespace {

// The finaliser of SplitMix64: every bit of the hash moves every bit of the result.
std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal's digits without an exponent and without the trailing zeros of its fraction: "12.3400" gives
// "12.34", "1.0e-08" "0.00000001", "-0.00" "0". A text that is no decimal is kept as it is, so that it
// differs from every decimal.
void appendExact(std::string& out, std::string_view text) {
    std::string_view s = text;
    const bool negative = !s.empty() && s.front() == '-';
    if (negative || (!s.empty() && s.front() == '+'))
        s.remove_prefix(1);
    int exponent = 0;
    if (const std::size_t e = s.find_first_of("eE"); e != std::string_view::npos) {
        std::string_view power = s.substr(e + 1);
        if (!power.empty() && power.front() == '+')
            power.remove_prefix(1);
        const auto [end, error] = std::from_chars(power.data(), power.data() + power.size(), exponent);
        if (error != std::errc() || end != power.data() + power.size() || std::abs(exponent) > 400) {
            out += text;
            return;
        }
        s = s.substr(0, e);
    }
    const std::size_t point = s.find('.');
    const std::string_view whole = s.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || !std::all_of(whole.begin(), whole.end(), isDigit) ||
        !std::all_of(fraction.begin(), fraction.end(), isDigit)) {
        out += text;
        return;
    }
    std::string digits(whole);
    digits += fraction;
    long at = long(whole.size()) + exponent; // where the point goes among the digits
    if (at < 0) {
        digits.insert(0, std::size_t(-at), '0');
        at = 0;
    }
    if (std::size_t(at) > digits.size())
        digits.append(std::size_t(at) - digits.size(), '0');
    std::string_view integral = std::string_view(digits).substr(0, std::size_t(at));
    std::string_view rest = std::string_view(digits).substr(std::size_t(at));
    while (!integral.empty() && integral.front() == '0')
        integral.remove_prefix(1);
    while (!rest.empty() && rest.back() == '0')
        rest.remove_suffix(1);
    if (integral.empty() && rest.empty()) {
        out += '0';
        return;
    }
    if (negative)
        out += '-';
    if (integral.empty())
        out += '0';
    else
        out += integral;
    if (!rest.empty()) {
        out += '.';
        out += rest;
    }
}

// A real by its shortest exact text, in four bytes or eight; the sign of zero only where the target keeps it.
void appendReal(std::string& out, double x, bool single, bool keepsZeroSign) {
    if (std::isnan(x))
        out += "nan";
    else if (std::isinf(x))
        out += x < 0 ? "-inf" : "inf";
    else if (x == 0 && !(keepsZeroSign && std::signbit(x)))
        out += '0';
    else if (single)
        appendShortest(out, float(x));
    else
        appendShortest(out, x);
}

// A real as a server printed it: digits, or PostgreSQL's "NaN", "Infinity" and "-Infinity".
void appendPrintedReal(std::string& out, std::string_view text, bool single, bool keepsZeroSign) {
    // Digits end in a digit; only a word is lowered to be told.
    if (!text.empty() && std::isalpha(static_cast<unsigned char>(text.back()))) {
        std::string lower(text);
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](char c) { return char(std::tolower(c)); });
        if (lower == "nan" || lower == "-nan") {
            out += "nan";
            return;
        }
        if (lower == "infinity" || lower == "inf" || lower == "-infinity" || lower == "-inf") {
            out += lower.front() == '-' ? "-inf" : "inf";
            return;
        }
    }
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (single) {
        float x = 0;
        const auto [stop, error] = std::from_chars(begin, end, x);
        if (error == std::errc() && stop == end)
            return appendReal(out, x, true, keepsZeroSign);
    } else {
        double x = 0;
        const auto [stop, error] = std::from_chars(begin, end, x);
        if (error == std::errc() && stop == end)
            return appendReal(out, x, false, keepsZeroSign);
    }
    out += text; // no real: kept, so that it differs
}

// A date's text without the trailing zeros of its fraction of a second: "2020-01-02 03:04:05.120" gives
// "2020-01-02 03:04:05.12", ".000" goes altogether.
void appendTimestampText(std::string& out, std::string_view text) {
    if (text.find('.') != std::string_view::npos) {
        while (!text.empty() && text.back() == '0')
            text.remove_suffix(1);
        if (!text.empty() && text.back() == '.')
            text.remove_suffix(1);
    }
    out += text;
}

// A GUID's text in capitals, without braces.
void appendGuidText(std::string& out, std::string_view text) {
    for (char c : text)
        if (c != '{' && c != '}')
            out += char(std::toupper(static_cast<unsigned char>(c)));
}

void appendHexDecoded(std::string& out, std::string_view hex) {
    const auto nibble = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out += char(nibble(hex[i]) << 4 | nibble(hex[i + 1]));
}

// The value as the target should hold it after what the writer did with it; false for NULL.
bool sentForm(std::string& out, CheckedColumn column, const TargetDialect& dialect, const DataValue& v,
              ValueProblem problem) {
    const bool keepsZeroSign = dialect.negativeZero != nullptr;
    if (problem == ValueProblem::NotFinite || problem == ValueProblem::DateOutOfRange ||
        problem == ValueProblem::BadValue)
        return false;
    if (column.form == ValueForm::Boolean && (v.kind == ValueKind::Boolean || v.kind == ValueKind::Integer)) {
        out += v.integer != 0 ? '1' : '0';
        return true;
    }
    std::string text;
    switch (v.kind) {
    case ValueKind::Null:
        return false;
    case ValueKind::Boolean:
        out += v.integer != 0 ? '1' : '0';
        return true;
    case ValueKind::Integer:
        if (column.form == ValueForm::Float)
            appendReal(out, double(v.integer), column.single, keepsZeroSign);
        else
            appendInteger(out, v.integer);
        return true;
    case ValueKind::Currency:
        appendCurrency(text, v.integer);
        appendExact(out, text);
        return true;
    case ValueKind::Decimal:
        appendExact(out, v.bytes);
        return true;
    case ValueKind::Single:
    case ValueKind::Double:
        appendReal(out, v.real, v.kind == ValueKind::Single, keepsZeroSign);
        return true;
    case ValueKind::DateTime:
        if (!appendTimestamp(text, v.real))
            return false;
        appendTimestampText(out, text);
        return true;
    case ValueKind::Text:
        if (column.form == ValueForm::Timestamp) { // a Date/Time Extended value's text
            bool cut = false;
            appendTimestampText(out, problem == ValueProblem::FractionCut
                                         ? withFraction(v.bytes, dialect.fractionDigits, cut)
                                         : v.bytes);
            return true;
        }
        if (problem == ValueProblem::NulRemoved)
            std::remove_copy(v.bytes.begin(), v.bytes.end(), std::back_inserter(out), '\0');
        else
            out += v.bytes;
        return true;
    case ValueKind::Bytes:
        out += v.bytes;
        return true;
    case ValueKind::Guid:
        if (!appendGuid(text, v.bytes, false))
            return false;
        appendGuidText(out, text);
        return true;
    }
    return false;
}

// The value the target printed, in the form of sentForm.
void heldForm(std::string& out, TargetKind kind, CheckedColumn column, bool keepsZeroSign,
              std::string_view text) {
    switch (column.form) {
    case ValueForm::Boolean:
        out +=
            !text.empty() && (text.front() == 't' || text.front() == 'T' || text.front() == '1') ? '1' : '0';
        return;
    case ValueForm::Exact:
        return appendExact(out, text);
    case ValueForm::Float:
        return appendPrintedReal(out, text, column.single, keepsZeroSign);
    case ValueForm::Timestamp:
        return appendTimestampText(out, text);
    case ValueForm::Bytes:
        if (kind == TargetKind::PostgreSql)
            return appendHexDecoded(out, text);
        out += text;
        return;
    case ValueForm::Uuid:
    case ValueForm::UuidText:
        return appendGuidText(out, text);
    case ValueForm::Integer:
    case ValueForm::Text:
        break;
    }
    out += text;
}

// A field of a row: its length in four bytes (all ones for NULL), then the value.
class RowText {
public:
    explicit RowText(std::string& row) : row_(row) { row_.clear(); }
    void null() { row_.append(4, '\xff'); }
    std::string& begin() {
        at_ = row_.size();
        row_.append(4, '\0');
        return row_;
    }
    void end() {
        const std::size_t length = row_.size() - at_ - 4;
        for (int b = 0; b < 4; ++b)
            row_[at_ + std::size_t(b)] = char(length >> (8 * b));
    }

private:
    std::string& row_;
    std::size_t at_ = 0;
};

// The select expression that reads a column back as heldForm takes it.
QString heldExpression(TargetKind kind, const QString& quoted, CheckedColumn column) {
    switch (kind) {
    case TargetKind::PostgreSql:
        // Dates and bytes whatever the session's DateStyle and bytea_output say.
        if (column.form == ValueForm::Timestamp)
            return QStringLiteral("to_char(%1, 'YYYY-MM-DD HH24:MI:SS.US')").arg(quoted);
        if (column.form == ValueForm::Bytes)
            return QStringLiteral("encode(%1, 'hex')").arg(quoted);
        return quoted;
    case TargetKind::MySql:
        // A FLOAT's own text is rounded to six digits; as a DOUBLE it is exact.
        return column.form == ValueForm::Float ? QStringLiteral("CAST(%1 AS DOUBLE)").arg(quoted) : quoted;
    case TargetKind::Sqlite:
        // A decimal kept as a real is given as SQLite prints it, as its literal gave it.
        return column.form == ValueForm::Exact ? QStringLiteral("CAST(%1 AS TEXT)").arg(quoted) : quoted;
    }
    return quoted;
}

} // namespace

void TableDigest::addRow(std::string_view row) {
    const std::uint64_t h = std::hash<std::string_view>()(row);
    ++rows;
    sum += h;
    mixed += mix(h);
}

QList<CheckedColumn> checkedColumns(const TablePlan& table) {
    QList<CheckedColumn> columns;
    for (const ColumnPlan& c : table.columns)
        if (c.written)
            columns << CheckedColumn{.form = c.type.form, .single = c.jetType == int(JetType::Single)};
    return columns;
}

SentDigest::SentDigest(const TargetDialect& dialect, const TablePlan& table)
    : columns_(checkedColumns(table)), dialect_(dialect) {}

void SentDigest::add(const DataValue* row, const QList<int>& columns, const QList<ValueProblem>& problems) {
    RowText text(row_);
    for (int i = 0; i < columns.size(); ++i) {
        std::string& out = text.begin();
        const std::size_t at = out.size();
        if (sentForm(out, columns_[i], dialect_, row[columns[i]], problems[i])) {
            text.end();
        } else {
            out.resize(at - 4);
            text.null();
        }
    }
    digest_.addRow(row_);
}

Failure prepareReadBack(LiveConnection& target, TargetKind kind) {
    // Reals by their shortest exact text, whatever the server's setting.
    return kind == TargetKind::PostgreSql ? target.execute("SET extra_float_digits = 3") : std::nullopt;
}

std::variant<QString, TableDigest> heldDigest(LiveConnection& target, TargetKind kind,
                                              const TargetDialect& dialect, const TablePlan& table) {
    const QList<CheckedColumn> columns = checkedColumns(table);
    QStringList selects;
    for (const ColumnPlan& c : table.columns)
        if (c.written)
            selects << heldExpression(kind, quoteName(dialect, c.name), columns[selects.size()]);
    if (selects.isEmpty())
        selects << QStringLiteral("1");
    const std::string sql = QStringLiteral("SELECT %1 FROM %2")
                                .arg(selects.join(QStringLiteral(", ")), quoteName(dialect, table.name))
                                .toStdString();
    const bool keepsZeroSign = dialect.negativeZero != nullptr;
    TableDigest digest;
    std::string row;
    const Failure failure = target.eachRow(sql, [&](const HeldField* fields, int count) {
        RowText text(row);
        for (int i = 0; i < count && i < columns.size(); ++i) {
            if (fields[i].null) {
                text.null();
                continue;
            }
            heldForm(text.begin(), kind, columns[i], keepsZeroSign, fields[i].text);
            text.end();
        }
        digest.addRow(row);
    });
    if (failure)
        return *failure;
    return digest;
}
