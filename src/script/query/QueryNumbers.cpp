// Access's conversions and roundings of numbers: CInt, CLng, CDbl, CCur, CStr, Str, Val, Int, Fix, Abs,
// Round.
#include "HelperFunctions.h"
#include "QueryCalls.h"

namespace {

// Rounding half to even (2.5 to 2, 3.5 to 4, -2.5 to -2) of a number at `digits` decimal places as a plain
// expression: the half-way case is found and taken down where rounding up would give an odd last digit.
QString plainRoundedToEven(const Sql& x, int digits) {
    const QString scale = QStringLiteral("1") + QString(digits, QLatin1Char('0'));
    const QString y = digits == 0 ? operand(x) : QStringLiteral("(%1 * %2)").arg(operand(x), scale);
    const QString up = QStringLiteral("(%1 + 0.5)").arg(y);
    QString even = QStringLiteral("CASE WHEN FLOOR(%1) = %1 AND FLOOR(%1 / 2) * 2 <> %1 THEN %2 - 0.5 ELSE "
                                  "FLOOR(%1) END")
                       .arg(up, y);
    return digits == 0 ? even : QStringLiteral("((%1) / %2)").arg(even, scale);
}

// Access's rounding of a number at `digits` places (CInt, CLng, CCur, Round), which no server's ROUND does
// for every type: a helper of the script's own where the server has them (the value named once), the plain
// expression elsewhere.
QString roundedToEven(const TargetDialect& d, const Sql& x, int digits) {
    if (!hasHelpers(d))
        return plainRoundedToEven(x, digits);
    return helperCall(d, x.type == ValueType::Float ? Helper::RoundEvenFloat : Helper::RoundEven,
                      {x.text, QString::number(digits)});
}

} // namespace

std::optional<SqlOrReason> numberCall(const TargetDialect& d, const Expr& call, const QList<Sql>& args) {
    const QString& f = call.text;
    const qsizetype n = args.size();
    if (named(f, "Val")) { // the number a text begins with; Null (where Access stops with an error) for Null
        if (n != 1)
            return QStringLiteral("Val with %1 arguments").arg(n);
        if (args[0].type != ValueType::Text && args[0].type != ValueType::Unknown)
            return QStringLiteral("Val of a value that is not text");
        if (!hasHelpers(d))
            return QStringLiteral("Val, which only a function of the script's own reads as Access does");
        return callResult(helperCall(d, Helper::Val, {args[0].text}), ValueType::Float);
    }
    if (!isOneOf(f, {"CInt", "CLng", "CDbl", "CCur", "CStr", "Str", "Int", "Fix", "Abs", "Round"}))
        return std::nullopt;
    if (!(named(f, "Round") ? n >= 1 && n <= 2 : n == 1))
        return QStringLiteral("%1 with %2 arguments").arg(f).arg(n);
    const Sql& x = args[0];
    if (named(f, "CStr")) {
        if (x.type != ValueType::Text && x.type != ValueType::Integer)
            return QStringLiteral("CStr of a value that is neither text nor a whole number");
        return callResult(castToText(d, x), ValueType::Text);
    }
    if (!numeric(x.type))
        return QStringLiteral("%1 of a value that is not a number").arg(f);
    if (named(f, "Str")) {                // a space where a minus sign would be
        if (x.type != ValueType::Integer) // Access writes 0.5 as " .5", to 15 digits
            return QStringLiteral("Str of a number that is not whole");
        return callResult(QStringLiteral("CASE WHEN %1 < 0 THEN %2 ELSE %3 END")
                              .arg(operand(x), castToText(d, x),
                                   concatenated(d, {textLiteral(d, QStringLiteral(" ")), castToText(d, x)})),
                          ValueType::Text);
    }
    if (x.type == ValueType::Exact && !d.functions->exactArithmetic &&
        isOneOf(f, {"CInt", "CLng", "CCur", "Round"}))
        return QStringLiteral("%1 of a Currency or Decimal value, which this server computes as a double")
            .arg(f);
    if (isOneOf(f, {"CInt", "CLng"})) {
        const QString whole = x.type == ValueType::Integer ? x.text : roundedToEven(d, x, 0);
        return callResult(spelled(named(f, "CLng") ? d.functions->toInteger : d.functions->toSmall, whole),
                          ValueType::Integer);
    }
    if (named(f, "CDbl"))
        return callResult(spelled(d.functions->toFloat, x.text), ValueType::Float);
    if (named(f, "CCur")) // Currency keeps four places, a value of more being rounded to even
        return callResult(
            spelled(d.functions->toCurrency, x.type == ValueType::Integer ? x.text : roundedToEven(d, x, 4)),
            ValueType::Exact);
    if (named(f, "Abs"))
        return callResult(QStringLiteral("ABS(%1)").arg(x.text), x.type);
    if (x.type == ValueType::Integer)
        return x; // Int, Fix and Round of a whole number are the number
    // Int takes a negative number down (-2.5 to -3), Fix towards 0 (-2.5 to -2).
    if (named(f, "Int"))
        return callResult(QStringLiteral("FLOOR(%1)").arg(x.text), x.type);
    if (named(f, "Fix"))
        return callResult(
            QStringLiteral("CASE WHEN %1 < 0 THEN CEILING(%1) ELSE FLOOR(%1) END").arg(operand(x)), x.type);
    int digits = 0;
    if (n == 2) {
        const Expr& places = call.args[1];
        bool ok = places.kind == ExprKind::Number;
        digits = places.text.toInt(&ok);
        if (!ok || digits < 0 || digits > 15)
            return QStringLiteral("Round to a number of places that is not a literal");
    }
    return callResult(roundedToEven(d, x, digits), x.type);
}
