// Access's text functions: Len, Trim, LTrim, RTrim, UCase, LCase, Left, Right, Mid, InStr and StrComp. Access
// compares texts without regard to case unless a call asks for a binary comparison (compare 0).
#include "QueryCalls.h"

namespace {

bool isText(const Sql& x) {
    return x.type == ValueType::Text || x.type == ValueType::Unknown;
}

// A literal compare argument: 0 binary, 1 text, 2 the database's (text in Access SQL); -1 where it is no
// literal of these.
int comparison(const Expr& call, std::size_t index) {
    if (index >= call.args.size())
        return 1;
    const Expr& e = call.args[index];
    bool ok = e.kind == ExprKind::Number;
    const int compare = e.text.toInt(&ok);
    return ok && compare >= 0 && compare <= 2 ? (compare == 0 ? 0 : 1) : -1;
}

QString spelled2(const char* spelling, const QString& a, const QString& b) {
    return QString::fromUtf8(spelling).arg(a, b);
}

SqlOrReason inStr(const TargetDialect& d, const Expr& call, const QList<Sql>& args) {
    const TextSpellings& s = d.functions->texts;
    const qsizetype n = args.size();
    // InStr([start, ]text, sought[, compare]): a compare argument only after a start.
    const bool start = n >= 3;
    if (n < 2 || n > 4)
        return QStringLiteral("InStr with %1 arguments").arg(n);
    if (start && args[0].type != ValueType::Integer)
        return QStringLiteral("InStr from a start that is not a whole number");
    const Sql& text = args[start ? 1 : 0];
    const Sql& sought = args[start ? 2 : 1];
    if (!isText(text) || !isText(sought))
        return QStringLiteral("InStr of a value that is not text");
    const int compare = comparison(call, 3);
    if (compare < 0)
        return QStringLiteral("InStr with a comparison that is not a literal 0, 1 or 2");
    const char* position = compare == 0 ? s.exactPosition : s.position;
    if (!start)
        return callResult(spelled2(position, text.text, sought.text), ValueType::Integer);
    const QString from = spelled2(s.rest, text.text, args[0].text);
    const QString found = spelled2(position, from, sought.text);
    return callResult(
        QStringLiteral("CASE WHEN %1 = 0 THEN 0 ELSE %1 + %2 - 1 END").arg(found, operand(args[0])),
        ValueType::Integer);
}

// StrComp(a, b[, compare]): -1, 0 or 1 as a comes before b, is equal to it or after it; Null where either is.
SqlOrReason strComp(const TargetDialect& d, const Expr& call, const QList<Sql>& args) {
    const TextSpellings& s = d.functions->texts;
    if (args.size() < 2 || args.size() > 3)
        return QStringLiteral("StrComp with %1 arguments").arg(args.size());
    if (!isText(args[0]) || !isText(args[1]))
        return QStringLiteral("StrComp of a value that is not text");
    const int compare = comparison(call, 2);
    if (compare < 0)
        return QStringLiteral("StrComp with a comparison that is not a literal 0, 1 or 2");
    const QString& a = args[0].text;
    const QString& b = args[1].text;
    return callResult(
        QStringLiteral("CASE WHEN %1 IS NULL OR %2 IS NULL THEN NULL WHEN %3 THEN -1 WHEN %4 THEN 0 "
                       "ELSE 1 END")
            .arg(operand(args[0]), operand(args[1]),
                 spelled2(compare == 0 ? s.exactlyBefore : s.before, a, b),
                 spelled2(compare == 0 ? s.exactlySame : s.same, a, b)),
        ValueType::Integer);
}

} // namespace

std::optional<SqlOrReason> textCall(const TargetDialect& d, const Expr& call, const QList<Sql>& args) {
    const QString& f = call.text;
    const qsizetype n = args.size();
    const TextSpellings& s = d.functions->texts;
    const auto wrongArity = [&] { return QStringLiteral("%1 with %2 arguments").arg(f).arg(n); };
    const auto notText = [&] { return QStringLiteral("%1 of a value that is not text").arg(f); };
    if (named(f, "InStr"))
        return inStr(d, call, args);
    if (named(f, "StrComp"))
        return strComp(d, call, args);
    if (isOneOf(f, {"Len", "Trim", "LTrim", "RTrim", "UCase", "LCase"})) {
        if (n != 1)
            return wrongArity();
        if (!isText(args[0]))
            return notText();
        if (named(f, "Len"))
            return callResult(spelled(s.length, operand(args[0])), ValueType::Integer);
        if (named(f, "Trim"))
            return callResult(spelled(s.trim, args[0].text), ValueType::Text);
        const QString name = named(f, "UCase")   ? QStringLiteral("UPPER")
                             : named(f, "LCase") ? QStringLiteral("LOWER")
                                                 : f.toUpper();
        return callResult(QStringLiteral("%1(%2)").arg(name, args[0].text), ValueType::Text);
    }
    if (isOneOf(f, {"Left", "Right"})) {
        if (n != 2)
            return wrongArity();
        if (!isText(args[0]))
            return notText();
        if (args[1].type != ValueType::Integer)
            return QStringLiteral("%1 with a length that is not a whole number").arg(f);
        return callResult(spelled2(named(f, "Left") ? s.left : s.right, args[0].text, operand(args[1])),
                          ValueType::Text);
    }
    if (named(f, "Mid")) {
        if (n < 2 || n > 3)
            return wrongArity();
        if (!isText(args[0]))
            return notText();
        for (int i = 1; i < n; ++i)
            if (args[i].type != ValueType::Integer)
                return QStringLiteral("Mid with a position that is not a whole number");
        if (n == 2)
            return callResult(spelled2(s.rest, args[0].text, args[1].text), ValueType::Text);
        return callResult(QString::fromUtf8(s.mid).arg(args[0].text, args[1].text, args[2].text),
                          ValueType::Text);
    }
    return std::nullopt;
}
