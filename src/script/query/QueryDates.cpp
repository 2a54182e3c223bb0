// Access's date functions: Date, Now, Time, Year, Month, Day, Hour, Minute, Second, Weekday, DateSerial,
// DatePart, DateAdd and DateDiff with every interval and the first day of the week. Dates before 1900 are
// dates like any other.
#include "QueryCalls.h"

namespace {

// The day of the week counted from the first day firstDay (1 Sunday to 7 Saturday), as 1 to 7.
QString weekday(const TargetDialect& d, const QString& date, int firstDay) {
    const QString sunday = spelled(d.functions->dates.weekday, date);
    if (firstDay == 1)
        return sunday;
    return QStringLiteral("((%1 + %2) % 7 + 1)").arg(sunday, QString::number(7 - firstDay));
}

// A part of a date as a whole number; empty for an interval Access does not have. Week "ww" counts the weeks
// from the one holding January 1.
QString datePart(const TargetDialect& d, const QString& unit, const QString& date, int firstDay) {
    const DateSpellings& s = d.functions->dates;
    const QString u = unit.toLower();
    const std::pair<const char*, const char*> parts[] = {
        {"yyyy", s.year}, {"q", s.quarter}, {"m", s.month},  {"y", s.dayOfYear},
        {"d", s.day},     {"h", s.hour},    {"n", s.minute}, {"s", s.second},
    };
    for (const auto& [access, spelling] : parts)
        if (u == QLatin1String(access))
            return spelled(spelling, date);
    if (u == QLatin1String("w"))
        return weekday(d, date, firstDay);
    if (u == QLatin1String("ww")) {
        // January 1 is the day (weekday - dayOfYear) mod 7 of its week, counted from 0.
        const QString day = spelled(s.dayOfYear, date);
        const QString january = QStringLiteral("(%1 - %2 + 371) % 7").arg(weekday(d, date, firstDay), day);
        return QStringLiteral("(%1 + 1)")
            .arg(QString::fromUtf8(d.functions->quotient)
                     .arg(QStringLiteral("(%1 - 1 + %2)").arg(day, january), QStringLiteral("7")));
    }
    return QString();
}

SqlOrReason dateAdd(const TargetDialect& d, const QString& unit, const Sql& n, const Sql& date) {
    const DateSpellings& s = d.functions->dates;
    struct Unit {
        const char* access;
        const char* DateSpellings::*spelling;
        int times;
    };
    static const Unit units[] = {
        {"yyyy", &DateSpellings::addMonths, 12}, {"q", &DateSpellings::addMonths, 3},
        {"m", &DateSpellings::addMonths, 1},     {"y", &DateSpellings::addDays, 1},
        {"d", &DateSpellings::addDays, 1},       {"w", &DateSpellings::addDays, 1},
        {"ww", &DateSpellings::addDays, 7},      {"h", &DateSpellings::addHours, 1},
        {"n", &DateSpellings::addMinutes, 1},    {"s", &DateSpellings::addSeconds, 1},
    };
    if (n.type != ValueType::Integer)
        return QStringLiteral("DateAdd by a number that is not whole");
    for (const Unit& x : units) {
        if (unit.compare(QLatin1String(x.access), Qt::CaseInsensitive) != 0)
            continue;
        const QString count =
            x.times == 1 ? operand(n) : QStringLiteral("(%1 * %2)").arg(operand(n), QString::number(x.times));
        return callResult(QString::fromUtf8(s.*x.spelling).arg(date.text, count), ValueType::Date);
    }
    return QStringLiteral("DateAdd with the interval \"%1\"").arg(unit);
}

// The number of boundaries of the unit between two dates, as Access counts them: DateDiff("yyyy") of December
// 31 and January 1 is 1; "ww" counts the first days of weeks after a up to b, "w" whole weeks of days.
SqlOrReason dateDiff(const TargetDialect& d, const QString& unit, const Sql& a, const Sql& b, int firstDay) {
    const DateSpellings& s = d.functions->dates;
    const QString u = unit.toLower();
    const auto diff = [&](const char* spelling) {
        return QStringLiteral("(%1 - %2)").arg(spelled(spelling, b.text), spelled(spelling, a.text));
    };
    const QString days = QString::fromUtf8(s.daysBetween).arg(a.text, b.text);
    const auto quotient = [&](const QString& x, int by) {
        return QString::fromUtf8(d.functions->quotient).arg(x, QString::number(by));
    };
    QString text;
    if (u == QLatin1String("d") || u == QLatin1String("y"))
        text = days;
    else if (u == QLatin1String("yyyy"))
        text = diff(s.year);
    else if (u == QLatin1String("q"))
        text = QStringLiteral("(%1 * 4 + %2)").arg(diff(s.year), diff(s.quarter));
    else if (u == QLatin1String("m"))
        text = QStringLiteral("(%1 * 12 + %2)").arg(diff(s.year), diff(s.month));
    else if (u == QLatin1String("w"))
        text = quotient(days, 7);
    else if (u == QLatin1String("ww"))
        text = quotient(QStringLiteral("(%1 + %2 - %3)")
                            .arg(days, weekday(d, a.text, firstDay), weekday(d, b.text, firstDay)),
                        7);
    else if (u == QLatin1String("h"))
        text = QStringLiteral("(%1 * 24 + %2)").arg(days, diff(s.hour));
    else if (u == QLatin1String("n"))
        text = QStringLiteral("((%1 * 24 + %2) * 60 + %3)").arg(days, diff(s.hour), diff(s.minute));
    else if (u == QLatin1String("s"))
        text = QStringLiteral("(((%1 * 24 + %2) * 60 + %3) * 60 + %4)")
                   .arg(days, diff(s.hour), diff(s.minute), diff(s.second));
    else
        return QStringLiteral("DateDiff with the interval \"%1\"").arg(unit);
    return callResult(text, ValueType::Integer);
}

// An interval argument: a literal text.
bool literalInterval(const Expr& e, QString& unit) {
    if (e.kind != ExprKind::Text)
        return false;
    unit = e.text;
    return true;
}

// The first day of the week of an optional argument: 1 (Sunday) where it is missing; 0 where it is not a
// literal 1 to 7 (vbUseSystem's 0 is the Windows setting's, unknown here).
int firstDayOfWeek(const Expr& call, std::size_t index) {
    if (index >= call.args.size())
        return 1;
    const Expr& e = call.args[index];
    bool ok = e.kind == ExprKind::Number;
    const int day = e.text.toInt(&ok);
    return ok && day >= 1 && day <= 7 ? day : 0;
}

// The first week of the year of an optional argument: only Access's default, the week of January 1 (1, or
// vbUseSystem's 0 where the Windows setting is the default one).
bool januaryFirstWeek(const Expr& call, std::size_t index) {
    if (index >= call.args.size())
        return true;
    const Expr& e = call.args[index];
    return e.kind == ExprKind::Number && (e.text == QLatin1String("0") || e.text == QLatin1String("1"));
}

} // namespace

std::optional<SqlOrReason> dateCall(const TargetDialect& d, const Expr& call, const QList<Sql>& args) {
    const QString& f = call.text;
    const qsizetype n = args.size();
    const auto wrongArity = [&] { return QStringLiteral("%1 with %2 arguments").arg(f).arg(n); };
    const auto notDate = [&] { return QStringLiteral("%1 of a value that is not a date").arg(f); };
    const DateSpellings& s = d.functions->dates;
    if (isOneOf(f, {"Date", "Now", "Time"})) {
        if (n != 0)
            return wrongArity();
        const char* text = named(f, "Date") ? s.today : named(f, "Now") ? s.now : s.time;
        return callResult(QString::fromUtf8(text), ValueType::Date, true);
    }
    if (isOneOf(f, {"Year", "Month", "Day", "Hour", "Minute", "Second", "Weekday"})) {
        if (n != 1 && !(named(f, "Weekday") && n == 2))
            return wrongArity();
        if (args[0].type != ValueType::Date)
            return notDate();
        if (named(f, "Weekday")) {
            const int first = firstDayOfWeek(call, 1);
            if (first == 0)
                return QStringLiteral("Weekday with a first day of the week that is not a literal 1 to 7");
            return callResult(weekday(d, args[0].text, first), ValueType::Integer);
        }
        const char* unit = named(f, "Year")     ? "yyyy"
                           : named(f, "Month")  ? "m"
                           : named(f, "Day")    ? "d"
                           : named(f, "Hour")   ? "h"
                           : named(f, "Minute") ? "n"
                                                : "s";
        return callResult(datePart(d, QLatin1String(unit), args[0].text, 1), ValueType::Integer);
    }
    if (named(f, "DateSerial")) {
        if (n != 3)
            return wrongArity();
        for (const Sql& a : args)
            if (a.type != ValueType::Integer)
                return QStringLiteral("DateSerial of a value that is not a whole number");
        // Years 0 to 29 are 2000 to 2029, 30 to 99 1930 to 1999; months and days past their ends run over
        // into the next (month 13 is January, day 0 the last of the month before), counted from January 1.
        const QString year =
            QStringLiteral("CASE WHEN %1 BETWEEN 0 AND 29 THEN %1 + 2000 WHEN %1 BETWEEN 30 AND 99 "
                           "THEN %1 + 1900 ELSE %1 END")
                .arg(operand(args[0]));
        const QString months =
            QString::fromUtf8(s.addMonths)
                .arg(spelled(s.januaryFirst, year), QStringLiteral("(%1 - 1)").arg(args[1].text));
        return callResult(
            QString::fromUtf8(s.addDays).arg(months, QStringLiteral("(%1 - 1)").arg(args[2].text)),
            ValueType::Date);
    }
    if (!isOneOf(f, {"DatePart", "DateAdd", "DateDiff"}))
        return std::nullopt;
    QString unit;
    if (n < 2 || !literalInterval(call.args[0], unit))
        return QStringLiteral("%1 without a literal interval").arg(f);
    const bool weeks = unit.compare(QLatin1String("w"), Qt::CaseInsensitive) == 0 ||
                       unit.compare(QLatin1String("ww"), Qt::CaseInsensitive) == 0;
    // The first day of the week and first week of the year matter to weeks alone.
    const int options = named(f, "DateAdd") ? 3 : named(f, "DatePart") ? 2 : 3;
    if (n < options || n > options + 2 || (named(f, "DateAdd") && n != 3))
        return wrongArity();
    const int first = weeks ? firstDayOfWeek(call, options) : 1;
    if (first == 0)
        return QStringLiteral("%1 with a first day of the week that is not a literal 1 to 7").arg(f);
    if (weeks && !januaryFirstWeek(call, options + 1))
        return QStringLiteral("%1 with a first week of the year other than the one of January 1").arg(f);
    if (named(f, "DatePart")) {
        if (args[1].type != ValueType::Date)
            return notDate();
        const QString part = datePart(d, unit, args[1].text, first);
        if (part.isEmpty())
            return QStringLiteral("DatePart with the interval \"%1\"").arg(unit);
        return callResult(part, ValueType::Integer);
    }
    if (named(f, "DateAdd")) {
        if (args[2].type != ValueType::Date)
            return notDate();
        return dateAdd(d, unit, args[1], args[2]);
    }
    if (args[1].type != ValueType::Date || args[2].type != ValueType::Date)
        return notDate();
    return dateDiff(d, unit, args[1], args[2], first);
}
