#include "Translator.h"

#include "LikePattern.h"

namespace querytranslation {

Sql Translator::concatenation(const Sql& a, const Sql& b) {
    for (const Sql* x : {&a, &b})
        if (x->type != ValueType::Text && x->type != ValueType::Integer && x->type != ValueType::Unknown) {
            fail(QStringLiteral("& of a value that is neither text nor a whole number"));
            return {};
        }
    // & takes NULL for an empty text, and gives NULL only when both sides are NULL.
    const auto side = [&](const Sql& x) {
        const QString text = x.type == ValueType::Integer ? castToText(d_, x) : x.text;
        if (x.notNull)
            return x.type == ValueType::Integer ? text : operand(x);
        return QStringLiteral("COALESCE(%1, %2)").arg(text, textLiteral(d_, QString()));
    };
    const QString joined = concatenated(d_, {side(a), side(b)});
    if (a.notNull || b.notNull)
        return made(joined, ValueType::Text, true);
    return simpleSql(QStringLiteral("CASE WHEN %1 IS NULL AND %2 IS NULL THEN NULL ELSE %3 END")
                         .arg(operand(a), operand(b), joined),
                     ValueType::Text, false);
}

QString Translator::asDouble(const Sql& x) {
    Expr cast;
    cast.kind = ExprKind::Call;
    cast.text = QStringLiteral("CDbl");
    const SqlOrReason r = translateCall(d_, cast, {x});
    return std::holds_alternative<Sql>(r) ? std::get<Sql>(r).text : x.text;
}

Sql Translator::roundedToWhole(const Sql& x) {
    if (x.type == ValueType::Integer)
        return x;
    Expr call;
    call.kind = ExprKind::Call;
    call.text = QStringLiteral("CLng");
    const SqlOrReason r = translateCall(d_, call, {x});
    if (const QString* why = std::get_if<QString>(&r)) {
        fail(*why);
        return {};
    }
    Sql sql = std::get<Sql>(r);
    sql.type = ValueType::Integer;
    return sql;
}

// Two texts compared without regard to case, as Access compares them: both LOWER-ed, or with a collation
// that compares so, or as they are where the server's own collation does so already.
QString Translator::textComparison(const Sql& a, const QString& op, const Sql& b) const {
    const OperatorSpellings& o = d_.functions->operators;
    if (o.lowerComparedTexts)
        return QStringLiteral("LOWER(%1)%2LOWER(%3)").arg(a.text, op, b.text);
    return operand(a) + op + operand(b) + QLatin1String(o.noCaseCollation);
}

// A date and a whole number of days, as Access adds them: DateAdd("d", ...).
Sql Translator::daysAdded(const Sql& date, const Sql& days, bool subtracted) {
    Expr call;
    call.kind = ExprKind::Call;
    call.text = QStringLiteral("DateAdd");
    call.args.resize(3);
    call.args[0].kind = ExprKind::Text;
    call.args[0].text = QStringLiteral("d");
    Sql count = days;
    if (subtracted) {
        count.text = QStringLiteral("-") + operand(days);
        count.simple = false;
    }
    const SqlOrReason r =
        translateCall(d_, call, {simpleSql(QStringLiteral("'d'"), ValueType::Text, true), count, date});
    if (const QString* why = std::get_if<QString>(&r)) {
        fail(*why);
        return {};
    }
    Sql sql = std::get<Sql>(r);
    sql.notNull = date.notNull && days.notNull;
    return sql;
}

// Whether two values can be compared as Access compares them. A Yes/No value is -1 or 0 in Access: the
// literal numbers -1 and 0 beside one become the server's truth values, other numbers are compared with -1 or
// 0.
bool Translator::comparable(Sql& a, const Expr& ea, Sql& b, const Expr& eb) {
    const auto truth = [&](Sql& number, const Expr& e) {
        const bool negative = e.kind == ExprKind::Unary && e.text == QLatin1String("-") &&
                              e.args[0].kind == ExprKind::Number && e.args[0].text == QLatin1String("1");
        const bool zero = e.kind == ExprKind::Number && e.text == QLatin1String("0");
        if (!negative && !zero)
            return false;
        number = simpleSql(negative ? d_.trueLiteral : d_.falseLiteral, ValueType::Boolean, true);
        return true;
    };
    if (a.type == ValueType::Boolean && numeric(b.type) && truth(b, eb))
        return true;
    if (b.type == ValueType::Boolean && numeric(a.type) && truth(a, ea))
        return true;
    // Beside another number a Yes/No value is the number Access keeps: -1 or 0.
    const auto asNumber = [&](Sql& yesNo) {
        const SqlOrReason c = conditionOf(d_, yesNo);
        if (const QString* why = std::get_if<QString>(&c)) {
            fail(*why);
            return false;
        }
        yesNo =
            made(QStringLiteral("CASE WHEN %1 THEN -1 WHEN NOT %1 THEN 0 END").arg(operand(std::get<Sql>(c))),
                 ValueType::Integer, yesNo.notNull);
        return true;
    };
    if (a.type == ValueType::Boolean && numeric(b.type))
        return asNumber(a);
    if (b.type == ValueType::Boolean && numeric(a.type))
        return asNumber(b);
    if (sameKind(a.type, b.type) && a.type != ValueType::Other && b.type != ValueType::Other)
        return true;
    fail(QStringLiteral("compares values of two types"));
    return false;
}

Sql Translator::binary(const Expr& e) {
    const QString& op = e.text;
    if (op == QLatin1String("AND") || op == QLatin1String("OR")) {
        const Sql a = condition(e.args[0]);
        const Sql b = condition(e.args[1]);
        return made(operand(a) + QLatin1Char(' ') + op + QLatin1Char(' ') + operand(b), ValueType::Boolean,
                    a.notNull && b.notNull, true);
    }
    if (op == QLatin1String("XOR") || op == QLatin1String("EQV") || op == QLatin1String("IMP")) {
        fail(QStringLiteral("the operator %1").arg(op));
        return {};
    }
    if (op == QLatin1String("LIKE")) {
        Sql a = value(e.args[0]);
        const Expr& p = e.args[1];
        if (!error_.isEmpty())
            return {};
        if (a.type == ValueType::Integer) { // matched as its digits, as Access matches it
            a.text = castToText(d_, a);
            a.type = ValueType::Text;
            a.simple = true;
        }
        if (a.type != ValueType::Text) {
            fail(QStringLiteral("LIKE on a value that is not text"));
            return {};
        }
        if (p.kind != ExprKind::Text) {
            fail(QStringLiteral("a LIKE pattern that is not a literal text"));
            return {};
        }
        const SqlOrReason r = likeCondition(d_, a, p.text);
        if (const QString* why = std::get_if<QString>(&r)) {
            fail(*why);
            return {};
        }
        return std::get<Sql>(r);
    }
    const Sql a = value(e.args[0]);
    const Sql b = value(e.args[1]);
    if (!error_.isEmpty())
        return {};
    if (op == QLatin1String("&"))
        return concatenation(a, b);
    const QString spaced = QLatin1Char(' ') + op + QLatin1Char(' ');
    const bool comparison = op == QLatin1String("=") || op == QLatin1String("<>") ||
                            op == QLatin1String("<") || op == QLatin1String(">") ||
                            op == QLatin1String("<=") || op == QLatin1String(">=");
    if (comparison) {
        Sql left = a;
        Sql right = b;
        if (!comparable(left, e.args[0], right, e.args[1]))
            return {};
        if (a.type == ValueType::Text && b.type == ValueType::Text)
            return made(textComparison(a, spaced, b), ValueType::Boolean, a.notNull && b.notNull, true);
        return made(operand(left) + spaced + operand(right), ValueType::Boolean, a.notNull && b.notNull,
                    true);
    }
    const bool notNull = a.notNull && b.notNull;
    // + of texts joins them, and gives NULL where either is NULL.
    const auto textOrNull = [](const Sql& x) {
        return x.type == ValueType::Text || (x.type == ValueType::Unknown && x.text == QLatin1String("NULL"));
    };
    if (op == QLatin1String("+") && textOrNull(a) && textOrNull(b) &&
        (a.type == ValueType::Text || b.type == ValueType::Text))
        return made(concatenated(d_, {operand(a), operand(b)}), ValueType::Text, notNull);
    if ((op == QLatin1String("+") || op == QLatin1String("-")) &&
        ((a.type == ValueType::Date && b.type == ValueType::Integer) ||
         (op == QLatin1String("+") && a.type == ValueType::Integer && b.type == ValueType::Date)))
        return daysAdded(a.type == ValueType::Date ? a : b, a.type == ValueType::Date ? b : a,
                         op == QLatin1String("-"));
    if (!numeric(a.type) || !numeric(b.type)) {
        fail(QStringLiteral("%1 of values that are not both numbers").arg(op));
        return {};
    }
    const bool whole = a.type == ValueType::Integer && b.type == ValueType::Integer;
    const ValueType type = whole                                                      ? ValueType::Integer
                           : a.type == ValueType::Float || b.type == ValueType::Float ? ValueType::Float
                                                                                      : ValueType::Exact;
    if (op == QLatin1String("+") || op == QLatin1String("-") || op == QLatin1String("*"))
        return made(operand(a) + spaced + operand(b), type, notNull);
    if (op == QLatin1String("/")) // Access divides as doubles whatever the operands
        return made(asDouble(a) + QStringLiteral(" / ") + operand(b), ValueType::Float, notNull);
    if (op == QLatin1String("^"))
        return simpleSql(QStringLiteral("POWER(%1, %2)").arg(asDouble(a), b.text), ValueType::Float, notNull);
    // \ and Mod round their operands to whole numbers first, as CLng does; \ then truncates towards zero and
    // Mod takes the sign of the dividend, as the servers' integer / and % do.
    const Sql x = roundedToWhole(a);
    const Sql y = roundedToWhole(b);
    if (!error_.isEmpty())
        return {};
    if (op == QLatin1String("\\"))
        return made(QString::fromUtf8(d_.functions->quotient).arg(operand(x), operand(y)), ValueType::Integer,
                    notNull);
    return made(operand(x) + QStringLiteral(" % ") + operand(y), ValueType::Integer, notNull);
}

} // namespace querytranslation
