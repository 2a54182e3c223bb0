// Access's Format of a number, a date or a Yes/No value with a literal format: the named formats, the custom
// ones of day, month, year, hour, minute and second parts, and those of zeros with thousands and decimals.
// Names of months and days and the separators are those of US English, the locale Access uses by default
// (Windows' regional settings decide them on a user's machine): "Short Date" is m/d/yyyy, "Long Time" h:nn:ss
// AM/PM.
#include "QueryCalls.h"

#include <QRegularExpression>

namespace {

// A format of a named one's parts.
QString namedFormat(const QString& name) {
    static const std::pair<const char*, const char*> names[] = {
        {"Long Date", "dddd, mmmm d, yyyy"}, {"Medium Date", "dd-mmm-yy"},  {"Short Date", "m/d/yyyy"},
        {"Long Time", "h:nn:ss AM/PM"},      {"Medium Time", "h:nn AM/PM"}, {"Short Time", "hh:nn"},
    };
    for (const auto& [named, format] : names)
        if (name.compare(QLatin1String(named), Qt::CaseInsensitive) == 0)
            return QLatin1String(format);
    return QString();
}

class DateFormat {
public:
    DateFormat(const TargetDialect& d, const QString& date) : d_(d), date_(date) {}

    // The parts of a custom format, or why there are none.
    SqlOrReason write(const QString& format) {
        QStringList parts;
        QString literal;
        const auto flush = [&] {
            if (!literal.isEmpty())
                parts << textLiteral(d_, literal);
            literal.clear();
        };
        bool afterHour = false;
        for (qsizetype i = 0; i < format.size();) {
            const QChar c = format[i].toLower();
            qsizetype run = 1;
            while (i + run < format.size() && format[i + run].toLower() == c)
                ++run;
            if (format.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
                flush();
                const bool upper = format[i].isUpper();
                parts << QStringLiteral("CASE WHEN %1 < 12 THEN %2 ELSE %3 END")
                             .arg(part(d_.functions->dates.hour),
                                  textLiteral(d_, upper ? QStringLiteral("AM") : QStringLiteral("am")),
                                  textLiteral(d_, upper ? QStringLiteral("PM") : QStringLiteral("pm")));
                i += 5;
                continue;
            }
            QString written;
            if (c == QLatin1Char('y') && (run == 4 || run == 2)) {
                written = run == 4
                              ? number(d_.functions->dates.year)
                              : twoDigits(QStringLiteral("%1 % 100").arg(part(d_.functions->dates.year)));
            } else if (c == QLatin1Char('m') && run <= 2 && (afterHour || nextIsSecond(format, i + run))) {
                written = digits(d_.functions->dates.minute, run); // m after an hour or before a second
            } else if (c == QLatin1Char('m') && run <= 4) {
                written = run <= 2 ? digits(d_.functions->dates.month, run)
                                   : name(d_.functions->dates.month, run == 3 ? monthsShort : monthsLong,
                                          run == 3 ? 3 : 9);
            } else if (c == QLatin1Char('d') && run <= 4) {
                written = run <= 2 ? digits(d_.functions->dates.day, run)
                                   : name(d_.functions->dates.weekday, run == 3 ? daysShort : daysLong,
                                          run == 3 ? 3 : 9);
            } else if (c == QLatin1Char('h') && run <= 2) {
                written = hours(format.indexOf(QLatin1String("AM/PM"), 0, Qt::CaseInsensitive) >= 0, run);
            } else if (c == QLatin1Char('n') && run <= 2) {
                written = digits(d_.functions->dates.minute, run);
            } else if (c == QLatin1Char('s') && run <= 2) {
                written = digits(d_.functions->dates.second, run);
            } else if (c == QLatin1Char('q') && run == 1) {
                written = number(d_.functions->dates.quarter);
            } else if (QStringLiteral("/-:., ").contains(c)) {
                literal += QString(run, format[i]);
                i += run;
                continue;
            } else {
                return QStringLiteral("Format with the pattern \"%1\"").arg(format);
            }
            flush();
            parts << written;
            afterHour = c == QLatin1Char('h');
            i += run;
        }
        flush();
        return callResult(parts.size() == 1 ? parts[0] : concatenated(d_, parts), ValueType::Text);
    }

private:
    static constexpr const char* monthsShort = "JanFebMarAprMayJunJulAugSepOctNovDec";
    static constexpr const char* monthsLong =
        "January  February March    April    May      June     July     "
        "August   SeptemberOctober  November December ";
    static constexpr const char* daysShort = "SunMonTueWedThuFriSat";
    static constexpr const char* daysLong = "Sunday   Monday   Tuesday  WednesdayThursday Friday   Saturday ";

    static bool nextIsSecond(const QString& format, qsizetype i) {
        while (i < format.size() && QStringLiteral("/-:., ").contains(format[i]))
            ++i;
        return i < format.size() && format[i].toLower() == QLatin1Char('s');
    }

    QString part(const char* spelling) const { return spelled(spelling, date_); }
    QString number(const char* spelling) const {
        Sql x;
        x.text = part(spelling);
        x.type = ValueType::Integer;
        return castToText(d_, x);
    }
    QString twoDigits(const QString& whole) const {
        Sql x;
        x.text = whole;
        x.type = ValueType::Integer;
        return QString::fromUtf8(d_.functions->texts.right)
            .arg(concatenated(d_, {textLiteral(d_, QStringLiteral("0")), castToText(d_, x)}),
                 QStringLiteral("2"));
    }
    QString digits(const char* spelling, qsizetype run) const {
        return run == 1 ? number(spelling) : twoDigits(part(spelling));
    }
    QString hours(bool twelve, qsizetype run) const {
        if (!twelve)
            return digits(d_.functions->dates.hour, run);
        const QString h = QStringLiteral("((%1 + 11) % 12 + 1)").arg(part(d_.functions->dates.hour));
        Sql x;
        x.text = h;
        x.type = ValueType::Integer;
        return run == 1 ? castToText(d_, x) : twoDigits(h);
    }
    // The name the number (from 1) picks out of names of `width` characters each, spaces trimmed.
    QString name(const char* spelling, const char* names, int width) const {
        const QString start = QStringLiteral("(%1 - 1) * %2 + 1").arg(part(spelling), QString::number(width));
        const QString picked = QString::fromUtf8(d_.functions->texts.mid)
                                   .arg(textLiteral(d_, QLatin1String(names)), start, QString::number(width));
        return width == 3 ? picked : spelled(d_.functions->texts.trim, picked);
    }

    const TargetDialect& d_;
    QString date_;
};

// The spelling with each "%N" replaced by the Nth argument, in one pass (a placeholder may be missing).
QString filled(const char* spelling, const QStringList& args) {
    const QString text = QString::fromUtf8(spelling);
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int n = i + 1 < text.size() ? text[i + 1].digitValue() : -1;
        if (text[i] == QLatin1Char('%') && n >= 1 && n <= args.size()) {
            out += args[n - 1];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// A number in a named format or a pattern of zeros after an optional "#,##" and before an optional point and
// "%": "Fixed" is 0.00, "Standard" #,##0.00, "Percent" 0.00%, "Currency" $#,##0.00 with a negative amount in
// parentheses.
SqlOrReason numberFormat(const TargetDialect& d, const Sql& x, const QString& format) {
    static const std::pair<const char*, const char*> names[] = {
        {"Fixed", "0.00"}, {"Standard", "#,##0.00"}, {"Percent", "0.00%"}, {"Currency", "$#,##0.00"}};
    QString pattern = format;
    for (const auto& [name, equivalent] : names)
        if (format.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            pattern = QLatin1String(equivalent);
    static const QRegularExpression shape(QStringLiteral("^(\\$?)(#,##)?0(?:\\.(0+))?(%?)$"));
    const QRegularExpressionMatch m = shape.match(pattern);
    if (!m.hasMatch())
        return QStringLiteral("Format with the pattern \"%1\"").arg(format);
    const NumberFormatSpellings& s = d.functions->numberFormats;
    if (s.wholeNumbersOnly && x.type != ValueType::Integer)
        return QStringLiteral("Format of a number that is not whole, which this server computes as a double");
    const bool money = !m.captured(1).isEmpty();
    const bool percent = !m.captured(4).isEmpty();
    if (percent && s.wholeNumbersOnly)
        return QStringLiteral("Format of a percentage");
    const QString decimals = m.captured(3);
    const auto written = [&](const QString& value) {
        return filled(m.captured(2).isEmpty() ? s.plain : s.grouped,
                      {value, QString::number(decimals.size()),
                       decimals.isEmpty() ? QString() : QLatin1Char('.') + decimals});
    };
    if (percent)
        return callResult(concatenated(d, {written(QStringLiteral("%1 * 100").arg(operand(x))),
                                           textLiteral(d, QStringLiteral("%"))}),
                          ValueType::Text);
    if (!money)
        return callResult(written(x.text), ValueType::Text);
    return callResult(QStringLiteral("CASE WHEN %1 < 0 THEN %2 ELSE %3 END")
                          .arg(operand(x),
                               concatenated(d, {textLiteral(d, QStringLiteral("($")),
                                                written(QStringLiteral("-") + operand(x)),
                                                textLiteral(d, QStringLiteral(")"))}),
                               concatenated(d, {textLiteral(d, QStringLiteral("$")), written(x.text)})),
                      ValueType::Text);
}

} // namespace

std::optional<SqlOrReason> formatCall(const TargetDialect& d, const Expr& call, const QList<Sql>& args) {
    if (!named(call.text, "Format"))
        return std::nullopt;
    if (args.size() != 2)
        return QStringLiteral("Format with %1 arguments").arg(args.size());
    if (call.args[1].kind != ExprKind::Text)
        return QStringLiteral("Format without a literal format");
    const QString format = call.args[1].text;
    const Sql& x = args[0];
    if (x.type == ValueType::Boolean) {
        static const std::pair<const char*, const char*> words[] = {
            {"Yes/No", "Yes/No"}, {"True/False", "True/False"}, {"On/Off", "On/Off"}};
        for (const auto& [named, pair] : words)
            if (format.compare(QLatin1String(named), Qt::CaseInsensitive) == 0) {
                const QStringList both = QString::fromLatin1(pair).split(QLatin1Char('/'));
                const SqlOrReason condition = conditionOf(d, x);
                if (const QString* why = std::get_if<QString>(&condition))
                    return *why;
                return callResult(
                    QStringLiteral("CASE WHEN %1 THEN %2 WHEN NOT (%1) THEN %3 END")
                        .arg(std::get<Sql>(condition).text, textLiteral(d, both[0]), textLiteral(d, both[1])),
                    ValueType::Text);
            }
        return QStringLiteral("Format of a Yes/No value with \"%1\"").arg(format);
    }
    if (numeric(x.type))
        return numberFormat(d, x, format);
    if (x.type != ValueType::Date)
        return QStringLiteral("Format of a value that is not a number, a date or Yes/No");
    DateFormat date(d, x.text);
    if (format.compare(QLatin1String("General Date"), Qt::CaseInsensitive) == 0) {
        // The date alone at midnight, with the long time otherwise.
        const SqlOrReason day = date.write(namedFormat(QStringLiteral("Short Date")));
        const SqlOrReason full = date.write(QStringLiteral("m/d/yyyy h:nn:ss AM/PM"));
        const QString midnight =
            QStringLiteral("%1 = 0 AND %2 = 0 AND %3 = 0")
                .arg(spelled(d.functions->dates.hour, x.text), spelled(d.functions->dates.minute, x.text),
                     spelled(d.functions->dates.second, x.text));
        return callResult(QStringLiteral("CASE WHEN %1 THEN %2 ELSE %3 END")
                              .arg(midnight, std::get<Sql>(day).text, std::get<Sql>(full).text),
                          ValueType::Text);
    }
    const QString named = namedFormat(format);
    return date.write(named.isEmpty() ? format : named);
}
