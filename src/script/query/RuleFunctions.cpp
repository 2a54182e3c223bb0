#include "RuleValue.h"

#include <QDate>
#include <cmath>

namespace {

bool named(const QString& name, const char* function) {
    return name.compare(QLatin1String(function), Qt::CaseInsensitive) == 0;
}

// A count or position argument as Access takes it: a number rounded half to even; none when it is no whole
// count within the text functions' reach.
std::optional<qsizetype> count(const RuleValue& v) {
    if (v.kind != RuleValue::Kind::Number || !std::isfinite(v.number))
        return std::nullopt;
    const double n = std::nearbyint(v.number);
    if (n < 0 || n > 2147483647.0)
        return std::nullopt;
    return qsizetype(n);
}

// The calendar day of a date: its whole days counted from 1899-12-30 (the fraction is the time of day,
// forward even for a day before it).
std::optional<QDate> calendarDay(const RuleValue& v) {
    if ((v.kind != RuleValue::Kind::Date && v.kind != RuleValue::Kind::Number) || !std::isfinite(v.number) ||
        std::fabs(v.number) > 3e6)
        return std::nullopt;
    const QDate day = QDate(1899, 12, 30).addDays(qint64(std::trunc(v.number)));
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

QString trimmed(const QString& text, bool left, bool right) {
    qsizetype from = 0, to = text.size();
    while (left && from < to && text[from] == QLatin1Char(' '))
        ++from;
    while (right && to > from && text[to - 1] == QLatin1Char(' '))
        --to;
    return text.mid(from, to - from);
}

RuleResult ofText(const QString& name, const QString& text, const std::vector<RuleValue>& args) {
    const std::size_t n = args.size();
    if (n == 1) {
        if (named(name, "Len"))
            return RuleValue::ofNumber(double(text.size()));
        if (named(name, "UCase"))
            return RuleValue::ofText(text.toUpper());
        if (named(name, "LCase"))
            return RuleValue::ofText(text.toLower());
        if (named(name, "Trim") || named(name, "LTrim") || named(name, "RTrim"))
            return RuleValue::ofText(trimmed(text, !named(name, "RTrim"), !named(name, "LTrim")));
        return std::nullopt;
    }
    if (n == 2 && (named(name, "Left") || named(name, "Right"))) {
        const auto length = count(args[1]);
        if (!length)
            return std::nullopt;
        return RuleValue::ofText(named(name, "Left") ? text.left(*length) : text.right(*length));
    }
    if ((n == 2 || n == 3) && named(name, "Mid")) {
        const auto start = count(args[1]);
        const auto length = n == 3 ? count(args[2]) : std::optional<qsizetype>(text.size());
        if (!start || *start < 1 || !length)
            return std::nullopt;
        return RuleValue::ofText(text.mid(*start - 1, *length));
    }
    return std::nullopt;
}

RuleResult ofNumber(const QString& name, const RuleValue& v) {
    if (named(name, "Abs"))
        return RuleValue{
            v.kind == RuleValue::Kind::Boolean ? RuleValue::Kind::Number : v.kind, std::fabs(v.number), {}};
    if (named(name, "Int") || named(name, "Fix")) {
        const double whole = named(name, "Int") ? std::floor(v.number) : std::trunc(v.number);
        return RuleValue{v.kind == RuleValue::Kind::Boolean ? RuleValue::Kind::Number : v.kind, whole, {}};
    }
    const std::optional<QDate> day = calendarDay(v);
    if (!day)
        return std::nullopt;
    if (named(name, "Year"))
        return RuleValue::ofNumber(day->year());
    if (named(name, "Month"))
        return RuleValue::ofNumber(day->month());
    if (named(name, "Day"))
        return RuleValue::ofNumber(day->day());
    return std::nullopt;
}

} // namespace

RuleResult callRuleFunction(const QString& name, const std::vector<RuleValue>& args, double nowDays) {
    if (args.empty()) {
        const double today = std::floor(nowDays);
        if (named(name, "Date"))
            return RuleValue::ofDate(today);
        if (named(name, "Now"))
            return RuleValue::ofDate(nowDays);
        if (named(name, "Time"))
            return RuleValue::ofDate(nowDays - today);
        return std::nullopt;
    }
    if (named(name, "IsNull") && args.size() == 1)
        return RuleValue::ofTruth(args[0].isNull());
    if (named(name, "Nz") && args.size() == 2)
        return args[0].isNull() ? args[1] : args[0];
    // The others give NULL for a NULL first argument (Len(Null), Year(Null)); a NULL count is an error.
    const RuleValue& first = args[0];
    for (std::size_t i = 1; i < args.size(); ++i)
        if (args[i].isNull())
            return std::nullopt;
    if (first.isNull()) {
        for (const char* f : {"Len", "UCase", "LCase", "Trim", "LTrim", "RTrim", "Left", "Right", "Mid",
                              "Abs", "Int", "Fix", "Year", "Month", "Day"})
            if (named(name, f))
                return RuleValue::null();
        return std::nullopt;
    }
    if (first.kind == RuleValue::Kind::Text)
        return ofText(name, first.text, args);
    if (first.numeric() && args.size() == 1)
        return ofNumber(name, first);
    return std::nullopt;
}
