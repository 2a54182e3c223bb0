// translateCall: the aggregates, the domain functions (never translated) and the choices (IIf, Switch,
// Choose, Nz, IsNull) here; texts, dates, Format and numbers in files of their own (QueryCalls.h). Each
// server's spellings come from its FunctionSpellings.
#include "QueryCalls.h"

namespace {

Sql result(QString text, ValueType type, bool notNull = false) {
    return callResult(std::move(text), type, notNull);
}

QString floatCast(const TargetDialect& d, const QString& text) {
    return spelled(d.functions->toFloat, text);
}

} // namespace

Sql callResult(QString text, ValueType type, bool notNull) {
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

QString spelled(const char* spelling, const QString& text) {
    return QString::fromUtf8(spelling).arg(text);
}

SqlOrReason translateCall(const TargetDialect& d, const Expr& call, const QList<Sql>& raw) {
    const QString& f = call.text;
    const qsizetype n = raw.size();
    QList<Sql> args;
    for (const Sql& a : raw)
        args << valueOf(d, a);
    const auto wrongArity = [&] { return QStringLiteral("%1 with %2 arguments").arg(f).arg(n); };
    const auto notText = [&](const char* what) {
        return QStringLiteral("%1 of a value that is not %2").arg(f, QLatin1String(what));
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
        const AggregateSpellings& spellings = d.functions->aggregates;
        const char* name = named(f, "StDev")    ? spellings.stDev
                           : named(f, "StDevP") ? spellings.stDevP
                           : named(f, "Var")    ? spellings.var
                                                : spellings.varP;
        if (!name)
            return QStringLiteral("%1, which this server does not have").arg(f);
        return result(QStringLiteral("%1(%2)").arg(QLatin1String(name), value), ValueType::Float);
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
    if (named(f, "Switch")) { // the value after the first true condition; Null where none is
        if (n < 2 || n % 2 != 0)
            return wrongArity();
        QString cases;
        ValueType type = ValueType::Unknown;
        for (qsizetype i = 0; i < n; i += 2) {
            const SqlOrReason condition = conditionOf(d, raw[i]);
            if (const QString* why = std::get_if<QString>(&condition))
                return *why;
            if (!sameKind(type, args[i + 1].type))
                return QStringLiteral("Switch with values of two types");
            if (type == ValueType::Unknown)
                type = args[i + 1].type;
            cases += QStringLiteral(" WHEN %1 THEN %2").arg(std::get<Sql>(condition).text, args[i + 1].text);
        }
        return result(QStringLiteral("CASE%1 END").arg(cases), type);
    }
    if (named(f, "Choose")) { // the index-th value from 1; Null for another index
        if (n < 2)
            return wrongArity();
        if (args[0].type != ValueType::Integer)
            return QStringLiteral("Choose by an index that is not a whole number");
        QString cases;
        ValueType type = ValueType::Unknown;
        for (qsizetype i = 1; i < n; ++i) {
            if (!sameKind(type, args[i].type))
                return QStringLiteral("Choose with values of two types");
            if (type == ValueType::Unknown)
                type = args[i].type;
            cases += QStringLiteral(" WHEN %1 THEN %2").arg(i).arg(args[i].text);
        }
        return result(QStringLiteral("CASE %1%2 END").arg(operand(args[0]), cases), type);
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

    if (auto texts = textCall(d, call, args))
        return *texts;
    if (auto date = dateCall(d, call, args))
        return *date;
    if (auto format = formatCall(d, call, args))
        return *format;
    if (auto number = numberCall(d, call, args))
        return *number;
    return QStringLiteral("calls the VBA function %1").arg(f);
}
