#include "QuerySql.h"

namespace {

Sql result(QString text, ValueType type, bool notNull = false) {
    Sql sql;
    sql.text = std::move(text);
    sql.type = type;
    sql.notNull = notNull;
    sql.simple = true;
    return sql;
}

bool named(const QString& name, const char* candidate) {
    return name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0;
}

bool isOneOf(const QString& name, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (named(name, n))
            return true;
    return false;
}

// Access's rounding to even of a number at `digits` decimal places (2.5 to 2, 3.5 to 4), which no server's
// ROUND does for every type: the half-way case is found and taken down where rounding up would give an odd
// last digit.
QString roundedToEven(const Sql& x, int digits) {
    const QString scale = QStringLiteral("1") + QString(digits, QLatin1Char('0'));
    const QString y = digits == 0 ? operand(x) : QStringLiteral("(%1 * %2)").arg(operand(x), scale);
    const QString up = QStringLiteral("(%1 + 0.5)").arg(y);
    QString even = QStringLiteral("CASE WHEN FLOOR(%1) = %1 AND FLOOR(%1 / 2) * 2 <> %1 THEN %2 - 0.5 ELSE "
                                  "FLOOR(%1) END")
                       .arg(up, y);
    return digits == 0 ? even : QStringLiteral("((%1) / %2)").arg(even, scale);
}

QString integerCast(const TargetDialect& d, const QString& text, bool wide) {
    switch (d.target) {
    case Target::MySql:
        return QStringLiteral("CAST(%1 AS SIGNED)").arg(text);
    case Target::Sqlite:
        return QStringLiteral("CAST(%1 AS INTEGER)").arg(text);
    default:
        return QStringLiteral("CAST(%1 AS %2)")
            .arg(text, wide ? QStringLiteral("INTEGER") : QStringLiteral("SMALLINT"));
    }
}

QString floatCast(const TargetDialect& d, const QString& text) {
    switch (d.target) {
    case Target::SqlServer:
        return QStringLiteral("CAST(%1 AS FLOAT)").arg(text);
    case Target::PostgreSql:
        return QStringLiteral("CAST(%1 AS DOUBLE PRECISION)").arg(text);
    case Target::MySql:
        return QStringLiteral("CAST(%1 AS DOUBLE)").arg(text);
    case Target::Sqlite:
        break;
    }
    return QStringLiteral("CAST(%1 AS REAL)").arg(text);
}

// A part of a date as a whole number; empty for a part this translation does not give.
QString datePart(const TargetDialect& d, const QString& unit, const QString& date) {
    const QString u = unit.toLower();
    struct Part {
        const char* access;
        const char* postgres; // EXTRACT field
        const char* mysql;    // function
        const char* sqlite;   // strftime format
        const char* sqlServer;
    };
    static const Part parts[] = {
        {"yyyy", "YEAR", "YEAR", "%Y", "year"},    {"m", "MONTH", "MONTH", "%m", "month"},
        {"d", "DAY", "DAYOFMONTH", "%d", "day"},   {"y", "DOY", "DAYOFYEAR", "%j", "dayofyear"},
        {"h", "HOUR", "HOUR", "%H", "hour"},       {"n", "MINUTE", "MINUTE", "%M", "minute"},
        {"s", "SECOND", "SECOND", "%S", "second"}, {"q", "QUARTER", "QUARTER", nullptr, "quarter"},
    };
    for (const Part& p : parts) {
        if (u != QLatin1String(p.access))
            continue;
        switch (d.target) {
        case Target::PostgreSql:
            return QStringLiteral("CAST(FLOOR(EXTRACT(%1 FROM %2)) AS INTEGER)")
                .arg(QLatin1String(p.postgres), date);
        case Target::MySql:
            return QStringLiteral("%1(%2)").arg(QLatin1String(p.mysql), date);
        case Target::SqlServer:
            return QStringLiteral("DATEPART(%1, %2)").arg(QLatin1String(p.sqlServer), date);
        case Target::Sqlite:
            if (!p.sqlite)
                return QStringLiteral("((CAST(strftime('%m', %1) AS INTEGER) + 2) / 3)").arg(date);
            return QStringLiteral("CAST(strftime('%1', %2) AS INTEGER)").arg(QLatin1String(p.sqlite), date);
        }
    }
    if (u == QLatin1String("w")) { // the day of the week, Sunday being 1
        switch (d.target) {
        case Target::PostgreSql:
            return QStringLiteral("(CAST(EXTRACT(DOW FROM %1) AS INTEGER) + 1)").arg(date);
        case Target::MySql:
            return QStringLiteral("DAYOFWEEK(%1)").arg(date);
        case Target::Sqlite:
            return QStringLiteral("(CAST(strftime('%w', %1) AS INTEGER) + 1)").arg(date);
        case Target::SqlServer:
            break; // depends on the session's DATEFIRST
        }
    }
    return QString();
}

SqlOrReason dateAdd(const TargetDialect& d, const QString& unit, const Sql& n, const Sql& date) {
    const QString u = unit.toLower();
    struct Unit {
        const char* access;
        const char* name; // MySQL's and SQL Server's, PostgreSQL's in an interval
        int times;
        const char* sqlite; // modifier unit; nullptr where SQLite's date arithmetic differs from Access's
    };
    static const Unit units[] = {{"yyyy", "YEAR", 1, nullptr},  {"q", "MONTH", 3, nullptr},
                                 {"m", "MONTH", 1, nullptr},    {"y", "DAY", 1, "days"},
                                 {"d", "DAY", 1, "days"},       {"w", "DAY", 1, "days"},
                                 {"ww", "DAY", 7, "days"},      {"h", "HOUR", 1, "hours"},
                                 {"n", "MINUTE", 1, "minutes"}, {"s", "SECOND", 1, "seconds"}};
    if (n.type != ValueType::Integer)
        return QStringLiteral("DateAdd by a number that is not whole");
    for (const Unit& x : units) {
        if (u != QLatin1String(x.access))
            continue;
        const QString count =
            x.times == 1 ? operand(n) : QStringLiteral("(%1 * %2)").arg(operand(n)).arg(x.times);
        const QString name = QLatin1String(x.name);
        switch (d.target) {
        case Target::PostgreSql:
            return result(QStringLiteral("(%1 + %2 * INTERVAL '1 %3')").arg(operand(date), count, name),
                          ValueType::Date);
        case Target::MySql:
            return result(QStringLiteral("DATE_ADD(%1, INTERVAL %2 %3)").arg(date.text, count, name),
                          ValueType::Date);
        case Target::SqlServer:
            return result(QStringLiteral("DATEADD(%1, %2, %3)").arg(name.toLower(), count, date.text),
                          ValueType::Date);
        case Target::Sqlite:
            if (!x.sqlite)
                return QStringLiteral("DateAdd by \"%1\", which SQLite does not keep within the month")
                    .arg(unit);
            return result(
                QStringLiteral("datetime(%1, %2 || ' %3')").arg(date.text, count, QLatin1String(x.sqlite)),
                ValueType::Date);
        }
    }
    return QStringLiteral("DateAdd with the interval \"%1\"").arg(unit);
}

// The number of boundaries of the unit between two dates, as Access counts them.
SqlOrReason dateDiff(const TargetDialect& d, const QString& unit, const Sql& a, const Sql& b) {
    const QString u = unit.toLower();
    if (u == QLatin1String("d") || u == QLatin1String("y")) {
        switch (d.target) {
        case Target::PostgreSql:
            return result(QStringLiteral("(CAST(%1 AS DATE) - CAST(%2 AS DATE))").arg(b.text, a.text),
                          ValueType::Integer);
        case Target::MySql:
            return result(QStringLiteral("DATEDIFF(%1, %2)").arg(b.text, a.text), ValueType::Integer);
        case Target::SqlServer:
            return result(QStringLiteral("DATEDIFF(day, %1, %2)").arg(a.text, b.text), ValueType::Integer);
        case Target::Sqlite:
            return result(QStringLiteral("CAST(julianday(date(%1)) - julianday(date(%2)) AS INTEGER)")
                              .arg(b.text, a.text),
                          ValueType::Integer);
        }
    }
    const QString year = QStringLiteral("yyyy");
    const auto months = [&](const Sql& x, const char* part, int perYear) {
        const QString whole = datePart(d, year, x.text);
        return perYear == 1 ? whole
                            : QStringLiteral("%1 * %2 + %3")
                                  .arg(whole)
                                  .arg(perYear)
                                  .arg(datePart(d, QLatin1String(part), x.text));
    };
    int perYear = 0;
    const char* part = "m";
    if (u == year)
        perYear = 1;
    else if (u == QLatin1String("q"))
        perYear = 4, part = "q";
    else if (u == QLatin1String("m"))
        perYear = 12;
    if (perYear == 0)
        return QStringLiteral("DateDiff with the interval \"%1\"").arg(unit);
    return result(QStringLiteral("((%1) - (%2))").arg(months(b, part, perYear), months(a, part, perYear)),
                  ValueType::Integer);
}

// An interval argument: a literal text.
bool literalInterval(const Expr& e, QString& unit) {
    if (e.kind != ExprKind::Text)
        return false;
    unit = e.text;
    return true;
}

} // namespace

SqlOrReason translateCall(const TargetDialect& d, const Expr& call, const QList<Sql>& raw) {
    const QString& f = call.text;
    const qsizetype n = raw.size();
    QList<Sql> args;
    for (const Sql& a : raw)
        args << valueOf(d, a);
    const auto arity = [&](qsizetype low, qsizetype high) { return n >= low && n <= high; };
    const auto wrongArity = [&] { return QStringLiteral("%1 with %2 arguments").arg(f).arg(n); };
    const auto text = [&](int i) {
        return args[i].type == ValueType::Text || args[i].type == ValueType::Unknown;
    };
    const auto notText = [&](const char* what) {
        return QStringLiteral("%1 of a value that is not %2").arg(f, QLatin1String(what));
    };
    const auto target = [&](const char* sqlServer, const char* postgres, const char* mysql,
                            const char* sqlite) {
        switch (d.target) {
        case Target::SqlServer:
            return QLatin1String(sqlServer);
        case Target::PostgreSql:
            return QLatin1String(postgres);
        case Target::MySql:
            return QLatin1String(mysql);
        case Target::Sqlite:
            break;
        }
        return QLatin1String(sqlite);
    };

    // Domain functions read a table of their own through Access; the form's fields and VBA are Access's.
    if (isOneOf(f, {"DLookup", "DCount", "DSum", "DAvg", "DMin", "DMax", "DFirst", "DLast", "DStDev",
                    "DStDevP", "DVar", "DVarP"}))
        return QStringLiteral("domain function %1").arg(f);

    // Aggregates
    if (isOneOf(f, {"Count", "Sum", "Avg", "Min", "Max", "StDev", "StDevP", "Var", "VarP"})) {
        if (n != 1)
            return wrongArity();
        const Expr& a = call.args[0];
        const bool star = a.kind == ExprKind::Star;
        if (star && !named(f, "Count"))
            return QStringLiteral("%1(*)").arg(f);
        const QString x = star ? QStringLiteral("*") : args[0].text;
        if (named(f, "Count"))
            return result(QStringLiteral("COUNT(%1)").arg(x), ValueType::Integer, true);
        if (!numeric(args[0].type) && !named(f, "Min") && !named(f, "Max"))
            return notText("a number");
        if (named(f, "Min") || named(f, "Max"))
            return result(QStringLiteral("%1(%2)").arg(f.toUpper(), x), args[0].type);
        if (named(f, "Sum"))
            return result(QStringLiteral("SUM(%1)").arg(x), args[0].type);
        const QString value = args[0].type == ValueType::Integer ? floatCast(d, x) : x;
        if (named(f, "Avg"))
            return result(QStringLiteral("AVG(%1)").arg(value), ValueType::Float);
        if (d.target == Target::Sqlite)
            return QStringLiteral("%1, which SQLite does not have").arg(f);
        const bool population = f.endsWith(QLatin1Char('P'), Qt::CaseInsensitive);
        const bool variance = f.startsWith(QLatin1String("Var"), Qt::CaseInsensitive);
        QString name;
        if (d.target == Target::SqlServer)
            name = QLatin1String(variance ? "VAR" : "STDEV") + QLatin1String(population ? "P" : "");
        else
            name = QLatin1String(variance ? "VAR_" : "STDDEV_") + QLatin1String(population ? "POP" : "SAMP");
        return result(QStringLiteral("%1(%2)").arg(name, value), ValueType::Float);
    }
    if (isOneOf(f, {"First", "Last"}))
        return QStringLiteral("the aggregate %1, which servers do not have").arg(f);

    if (named(f, "IIf")) {
        if (n != 3)
            return wrongArity();
        const SqlOrReason condition = conditionOf(d, raw[0]);
        if (const QString* why = std::get_if<QString>(&condition))
            return *why;
        if (!sameKind(args[1].type, args[2].type))
            return QStringLiteral("IIf with values of two types");
        const ValueType type = args[1].type == ValueType::Unknown ? args[2].type : args[1].type;
        Sql r = result(QStringLiteral("CASE WHEN %1 THEN %2 ELSE %3 END")
                           .arg(std::get<Sql>(condition).text, args[1].text, args[2].text),
                       type, args[1].notNull && args[2].notNull);
        return r;
    }
    if (named(f, "Nz")) {
        if (n == 1) {
            if (args[0].type != ValueType::Text)
                return QStringLiteral("Nz without the value for Null, of a value that is not text");
            return result(QStringLiteral("COALESCE(%1, '')").arg(args[0].text), ValueType::Text, true);
        }
        if (n != 2)
            return wrongArity();
        if (!sameKind(args[0].type, args[1].type))
            return QStringLiteral("Nz with values of two types");
        return result(QStringLiteral("COALESCE(%1, %2)").arg(args[0].text, args[1].text),
                      args[0].type == ValueType::Unknown ? args[1].type : args[0].type, args[1].notNull);
    }
    if (named(f, "IsNull")) {
        if (n != 1)
            return wrongArity();
        Sql r = result(QStringLiteral("%1 IS NULL").arg(operand(args[0])), ValueType::Boolean, true);
        r.predicate = true;
        r.simple = false;
        return r;
    }

    // Texts
    if (isOneOf(f, {"Len", "Trim", "LTrim", "RTrim", "UCase", "LCase"})) {
        if (n != 1)
            return wrongArity();
        if (!text(0))
            return notText("text");
        const QString& x = args[0].text;
        if (named(f, "Len")) {
            // SQL Server's LEN leaves trailing spaces out; Access counts them.
            if (d.target == Target::SqlServer)
                return result(QStringLiteral("(LEN(%1 + N'.') - 1)").arg(operand(args[0])),
                              ValueType::Integer);
            return result(QStringLiteral("%1(%2)").arg(target("", "LENGTH", "CHAR_LENGTH", "LENGTH"), x),
                          ValueType::Integer);
        }
        QString name = named(f, "UCase")   ? QStringLiteral("UPPER")
                       : named(f, "LCase") ? QStringLiteral("LOWER")
                                           : f.toUpper();
        if (named(f, "Trim") && d.target == Target::SqlServer)
            return result(QStringLiteral("LTRIM(RTRIM(%1))").arg(x), ValueType::Text);
        return result(QStringLiteral("%1(%2)").arg(name, x), ValueType::Text);
    }
    if (isOneOf(f, {"Left", "Right"})) {
        if (n != 2)
            return wrongArity();
        if (!text(0))
            return notText("text");
        if (args[1].type != ValueType::Integer)
            return QStringLiteral("%1 with a length that is not a whole number").arg(f);
        if (d.target == Target::Sqlite)
            return result(named(f, "Left")
                              ? QStringLiteral("substr(%1, 1, %2)").arg(args[0].text, args[1].text)
                              : QStringLiteral("substr(%1, max(length(%1) - %2 + 1, 1))")
                                    .arg(args[0].text, operand(args[1])),
                          ValueType::Text);
        return result(QStringLiteral("%1(%2, %3)").arg(f.toUpper(), args[0].text, args[1].text),
                      ValueType::Text);
    }
    if (named(f, "Mid")) {
        if (!arity(2, 3))
            return wrongArity();
        if (!text(0))
            return notText("text");
        for (int i = 1; i < n; ++i)
            if (args[i].type != ValueType::Integer)
                return QStringLiteral("Mid with a position that is not a whole number");
        const QString name = target("SUBSTRING", "SUBSTR", "SUBSTRING", "substr");
        QString length = n == 3 ? args[2].text : QString();
        if (n == 2 && d.target == Target::SqlServer)
            length = QStringLiteral("2147483647");
        return result(length.isEmpty()
                          ? QStringLiteral("%1(%2, %3)").arg(name, args[0].text, args[1].text)
                          : QStringLiteral("%1(%2, %3, %4)").arg(name, args[0].text, args[1].text, length),
                      ValueType::Text);
    }
    if (named(f, "InStr")) {
        if (n != 2)
            return QStringLiteral("InStr with %1 arguments").arg(n);
        if (!text(0) || !text(1))
            return notText("text");
        // Access compares texts without regard to case.
        const QString& s = args[0].text;
        const QString& t = args[1].text;
        switch (d.target) {
        case Target::SqlServer:
            return result(QStringLiteral("CHARINDEX(%1, %2)").arg(t, s), ValueType::Integer);
        case Target::MySql:
            return result(QStringLiteral("LOCATE(%1, %2)").arg(t, s), ValueType::Integer);
        case Target::PostgreSql:
            return result(QStringLiteral("STRPOS(LOWER(%1), LOWER(%2))").arg(s, t), ValueType::Integer);
        case Target::Sqlite:
            return result(QStringLiteral("instr(lower(%1), lower(%2))").arg(s, t), ValueType::Integer);
        }
    }

    // Dates
    if (isOneOf(f, {"Date", "Now"})) {
        if (n != 0)
            return wrongArity();
        const bool today = named(f, "Date");
        switch (d.target) {
        case Target::SqlServer:
            return result(today ? QStringLiteral("CAST(CAST(GETDATE() AS DATE) AS DATETIME2)")
                                : QStringLiteral("CAST(GETDATE() AS DATETIME2(0))"),
                          ValueType::Date, true);
        case Target::PostgreSql:
            return result(today ? QStringLiteral("CAST(CURRENT_DATE AS TIMESTAMP)")
                                : QStringLiteral("LOCALTIMESTAMP(0)"),
                          ValueType::Date, true);
        case Target::MySql:
            return result(today ? QStringLiteral("CAST(CURDATE() AS DATETIME)") : QStringLiteral("NOW()"),
                          ValueType::Date, true);
        case Target::Sqlite:
            return result(today ? QStringLiteral("datetime('now', 'localtime', 'start of day')")
                                : QStringLiteral("datetime('now', 'localtime')"),
                          ValueType::Date, true);
        }
    }
    if (isOneOf(f, {"Year", "Month", "Day"})) {
        if (n != 1)
            return wrongArity();
        if (args[0].type != ValueType::Date)
            return notText("a date");
        const char* unit = named(f, "Year") ? "yyyy" : named(f, "Month") ? "m" : "d";
        return result(datePart(d, QLatin1String(unit), args[0].text), ValueType::Integer);
    }
    if (isOneOf(f, {"DatePart", "DateAdd", "DateDiff"})) {
        QString unit;
        if (n < 2 || !literalInterval(call.args[0], unit))
            return QStringLiteral("%1 without a literal interval").arg(f);
        if (named(f, "DatePart")) {
            if (n != 2)
                return wrongArity();
            if (args[1].type != ValueType::Date)
                return notText("a date");
            const QString part = datePart(d, unit, args[1].text);
            if (part.isEmpty())
                return QStringLiteral("DatePart with the interval \"%1\"").arg(unit);
            return result(part, ValueType::Integer);
        }
        if (n != 3)
            return wrongArity();
        if (named(f, "DateAdd")) {
            if (args[2].type != ValueType::Date)
                return notText("a date");
            return dateAdd(d, unit, args[1], args[2]);
        }
        if (args[1].type != ValueType::Date || args[2].type != ValueType::Date)
            return notText("a date");
        return dateDiff(d, unit, args[1], args[2]);
    }

    // Numbers
    if (isOneOf(f, {"CInt", "CLng", "CDbl", "CCur", "CStr", "Int", "Fix", "Abs", "Round"})) {
        if (!(named(f, "Round") ? arity(1, 2) : n == 1))
            return wrongArity();
        const Sql& x = args[0];
        if (named(f, "CStr")) {
            if (x.type != ValueType::Text && x.type != ValueType::Integer)
                return QStringLiteral("CStr of a value that is neither text nor a whole number");
            return result(castToText(d, x), ValueType::Text);
        }
        if (!numeric(x.type))
            return notText("a number");
        if (isOneOf(f, {"CInt", "CLng"})) {
            const QString whole = x.type == ValueType::Integer ? x.text : roundedToEven(x, 0);
            return result(integerCast(d, whole, named(f, "CLng")), ValueType::Integer);
        }
        if (named(f, "CDbl"))
            return result(floatCast(d, x.text), ValueType::Float);
        if (named(f, "CCur")) {
            if (x.type != ValueType::Integer)
                return QStringLiteral("CCur of a value that is not a whole number");
            return result(QStringLiteral("CAST(%1 AS DECIMAL(19,4))").arg(x.text), ValueType::Exact);
        }
        if (named(f, "Abs"))
            return result(QStringLiteral("ABS(%1)").arg(x.text), x.type);
        if (x.type == ValueType::Integer)
            return x; // Int, Fix and Round of a whole number are the number
        if (named(f, "Int"))
            return result(QStringLiteral("FLOOR(%1)").arg(x.text), x.type);
        if (named(f, "Fix"))
            return result(
                QStringLiteral("CASE WHEN %1 < 0 THEN CEILING(%1) ELSE FLOOR(%1) END").arg(operand(x)),
                x.type);
        int digits = 0;
        if (n == 2) {
            const Expr& places = call.args[1];
            bool ok = places.kind == ExprKind::Number;
            digits = places.text.toInt(&ok);
            if (!ok || digits < 0 || digits > 15)
                return QStringLiteral("Round to a number of places that is not a literal");
        }
        return result(roundedToEven(x, digits), x.type);
    }
    return QStringLiteral("calls the VBA function %1").arg(f);
}
