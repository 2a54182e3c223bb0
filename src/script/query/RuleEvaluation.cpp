#include "DateLiterals.h"
#include "RuleLike.h"
#include "RuleValue.h"
#include "ValidationRules.h"

#include <cmath>

namespace {

using Kind = RuleValue::Kind;

// Access's three truth values.
enum class Truth { False, True, Null };

RuleValue ofTruth(Truth t) {
    return t == Truth::Null ? RuleValue::null() : RuleValue::ofTruth(t == Truth::True);
}

// A value as an operand of And, Or, Not: a truth value, or a number that is one (-1, 0). Other numbers are
// combined bit by bit there, which the rules here do not follow.
std::optional<Truth> truthOperand(const RuleResult& v) {
    if (!v)
        return std::nullopt;
    if (v->isNull())
        return Truth::Null;
    if (v->numeric() && (v->number == 0 || v->number == -1))
        return v->number == 0 ? Truth::False : Truth::True;
    return std::nullopt;
}

bool named(const QString& text, const char* op) {
    return text.compare(QLatin1String(op), Qt::CaseInsensitive) == 0;
}

double daysOf(const DateLiteral& literal) {
    const double day = double(QDate(1899, 12, 30).daysTo(literal.date));
    const double time = literal.time.msecsSinceStartOfDay() / 86400000.0;
    return day < 0 ? day - time : day + time; // a day before 1899-12-30 still counts its time forward
}

RuleResult fromData(const DataValue& v) {
    switch (v.kind) {
    case ValueKind::Null:
        return RuleValue::null();
    case ValueKind::Boolean:
        return RuleValue::ofTruth(v.integer != 0);
    case ValueKind::Integer:
        return RuleValue::ofNumber(double(v.integer));
    case ValueKind::Single:
    case ValueKind::Double:
        return RuleValue::ofNumber(v.real);
    case ValueKind::Currency:
        return RuleValue::ofNumber(double(v.integer) / 10000.0);
    case ValueKind::Decimal: {
        bool ok = false;
        const double n = QString::fromLatin1(v.bytes.data(), qsizetype(v.bytes.size())).toDouble(&ok);
        return ok ? RuleResult(RuleValue::ofNumber(n)) : std::nullopt;
    }
    case ValueKind::DateTime:
        return RuleValue::ofDate(v.real);
    case ValueKind::Text:
        return RuleValue::ofText(QString::fromUtf8(v.bytes.data(), qsizetype(v.bytes.size())));
    case ValueKind::Bytes:
    case ValueKind::Guid:
        break;
    }
    return std::nullopt;
}

// A text as the default compare sees it: its case folded, its trailing spaces gone.
QString compareKey(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end).toCaseFolded();
}

bool onlyAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 128)
            return false;
    return true;
}

// Letters, digits and spaces only: texts whose order under Access's General sort order is that of their
// folded characters (space, then digits, then letters).
bool plainOrder(const QString& key) {
    for (QChar c : key)
        if (!(c == QLatin1Char(' ') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              (c >= QLatin1Char('a') && c <= QLatin1Char('z'))))
            return false;
    return true;
}

// How two texts compare: below 0, 0 or above; none when the sort order could decide otherwise than the
// characters here. Equality needs less: ASCII texts that differ by more than hyphens and apostrophes (which
// the General sort order passes over) are unequal.
std::optional<int> textOrder(const QString& a, const QString& b, bool equalityOnly) {
    const QString ka = compareKey(a), kb = compareKey(b);
    if (ka == kb)
        return 0;
    if (plainOrder(ka) && plainOrder(kb))
        return ka < kb ? -1 : 1;
    if (!equalityOnly || !onlyAscii(ka) || !onlyAscii(kb))
        return std::nullopt;
    const auto bare = [](QString k) { return k.remove(QLatin1Char('-')).remove(QLatin1Char('\'')); };
    if (bare(ka) == bare(kb))
        return std::nullopt;
    return 1;
}

// Two values neither of which is NULL: numbers of any kind (dates and truth values among them) by value,
// texts by textOrder; none for a text against a number, which Access would first convert or refuse.
std::optional<int> order(const RuleValue& a, const RuleValue& b, bool equalityOnly) {
    if (a.numeric() && b.numeric())
        return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
    if (a.kind == Kind::Text && b.kind == Kind::Text)
        return textOrder(a.text, b.text, equalityOnly);
    return std::nullopt;
}

std::optional<Truth> compared(const RuleResult& a, const RuleResult& b, const QString& op) {
    if (!a || !b)
        return std::nullopt;
    if (a->isNull() || b->isNull())
        return Truth::Null;
    const bool equality = op == QLatin1String("=") || op == QLatin1String("<>");
    const std::optional<int> o = order(*a, *b, equality);
    if (!o)
        return std::nullopt;
    bool holds = false;
    if (op == QLatin1String("="))
        holds = *o == 0;
    else if (op == QLatin1String("<>"))
        holds = *o != 0;
    else if (op == QLatin1String("<"))
        holds = *o < 0;
    else if (op == QLatin1String(">"))
        holds = *o > 0;
    else if (op == QLatin1String("<="))
        holds = *o <= 0;
    else if (op == QLatin1String(">="))
        holds = *o >= 0;
    else
        return std::nullopt;
    return holds ? Truth::True : Truth::False;
}

std::optional<Truth> notOf(std::optional<Truth> t) {
    if (!t || *t == Truth::Null)
        return t;
    return *t == Truth::True ? Truth::False : Truth::True;
}

// And, Or, Xor, Eqv, Imp of two truth values, NULL as Access combines it. A side that cannot be told makes
// the whole unknown, except beside a True under Or.
std::optional<Truth> logic(const QString& op, std::optional<Truth> a, std::optional<Truth> b) {
    if (op == QLatin1String("OR") && (a == Truth::True || b == Truth::True))
        return Truth::True;
    if (!a || !b)
        return std::nullopt;
    const bool anyNull = *a == Truth::Null || *b == Truth::Null;
    const bool x = *a == Truth::True, y = *b == Truth::True;
    if (op == QLatin1String("AND")) {
        if (*a == Truth::False || *b == Truth::False)
            return Truth::False;
        return anyNull ? Truth::Null : Truth::True;
    }
    if (op == QLatin1String("OR"))
        return anyNull ? Truth::Null : Truth::False;
    if (op == QLatin1String("IMP")) {
        if (*a == Truth::False || *b == Truth::True)
            return Truth::True;
        return anyNull ? Truth::Null : Truth::False;
    }
    if (anyNull)
        return Truth::Null;
    if (op == QLatin1String("XOR"))
        return x != y ? Truth::True : Truth::False;
    if (op == QLatin1String("EQV"))
        return x == y ? Truth::True : Truth::False;
    return std::nullopt;
}

// + - * / \ Mod ^ & of two values.
RuleResult arithmetic(const QString& op, const RuleValue& a, const RuleValue& b) {
    if (op == QLatin1String("&")) {
        if (a.isNull() && b.isNull())
            return RuleValue::null();
        if ((a.isNull() || a.kind == Kind::Text) && (b.isNull() || b.kind == Kind::Text))
            return RuleValue::ofText(a.text + b.text);
        return std::nullopt; // a number as text is written in the locale's way
    }
    if (a.isNull() || b.isNull())
        return RuleValue::null();
    if (op == QLatin1String("+") && a.kind == Kind::Text && b.kind == Kind::Text)
        return RuleValue::ofText(a.text + b.text);
    if (!a.numeric() || !b.numeric())
        return std::nullopt;
    const double x = a.number, y = b.number;
    double r = 0;
    Kind kind = Kind::Number;
    if (op == QLatin1String("+")) {
        r = x + y;
        kind = a.kind == Kind::Date || b.kind == Kind::Date ? Kind::Date : Kind::Number;
    } else if (op == QLatin1String("-")) {
        r = x - y;
        kind = a.kind == Kind::Date && b.kind != Kind::Date ? Kind::Date : Kind::Number;
    } else if (op == QLatin1String("*")) {
        r = x * y;
    } else if (op == QLatin1String("/")) {
        if (y == 0)
            return std::nullopt;
        r = x / y;
    } else if (op == QLatin1String("\\") || op == QLatin1String("MOD")) {
        // Both sides rounded half to even to whole numbers first.
        const double wx = std::nearbyint(x), wy = std::nearbyint(y);
        if (wy == 0)
            return std::nullopt;
        r = op == QLatin1String("MOD") ? std::fmod(wx, wy) : std::trunc(wx / wy);
    } else if (op == QLatin1String("^")) {
        r = std::pow(x, y);
    } else {
        return std::nullopt;
    }
    if (!std::isfinite(r))
        return std::nullopt;
    return RuleValue{kind, r, {}};
}

class Evaluator {
public:
    Evaluator(const std::function<std::optional<DataValue>(const QString&)>& valueOf, double nowDays)
        : valueOf_(valueOf), nowDays_(nowDays) {}

    // Whether a column the row does not know was named: the outcome is then Unknown whatever the rest says.
    bool unknownColumn() const { return unknownColumn_; }

    RuleResult value(const Expr& e) {
        switch (e.kind) {
        case ExprKind::Number: {
            bool ok = false;
            const double n = e.text.toDouble(&ok);
            return ok ? RuleResult(RuleValue::ofNumber(n)) : std::nullopt;
        }
        case ExprKind::Text:
            return RuleValue::ofText(e.text);
        case ExprKind::Date: {
            const std::optional<DateLiteral> literal = readDateLiteral(e.text);
            return literal ? RuleResult(RuleValue::ofDate(daysOf(*literal))) : std::nullopt;
        }
        case ExprKind::Boolean:
            return RuleValue::ofTruth(e.truth);
        case ExprKind::Null:
            return RuleValue::null();
        case ExprKind::Name: {
            if (e.parts.size() != 1 || e.bang)
                return std::nullopt;
            const std::optional<DataValue> v = valueOf_(e.parts.front());
            if (!v) {
                unknownColumn_ = true;
                return std::nullopt;
            }
            return fromData(*v);
        }
        case ExprKind::Unary:
            return unary(e);
        case ExprKind::Binary:
            return binary(e);
        case ExprKind::Between:
            return between(e);
        case ExprKind::In:
            return in(e);
        case ExprKind::IsNull: {
            const RuleResult v = value(e.args[0]);
            if (!v)
                return std::nullopt;
            return RuleValue::ofTruth(v->isNull() != e.negated);
        }
        case ExprKind::Call:
            return call(e);
        case ExprKind::Star:
        case ExprKind::Subquery:
            break;
        }
        return std::nullopt;
    }

private:
    static RuleResult truth(std::optional<Truth> t) { return t ? RuleResult(ofTruth(*t)) : std::nullopt; }

    RuleResult unary(const Expr& e) {
        const RuleResult v = value(e.args[0]);
        if (e.text == QLatin1String("NOT"))
            return truth(notOf(truthOperand(v)));
        if (!v || v->isNull())
            return v;
        if (!v->numeric())
            return std::nullopt;
        return e.text == QLatin1String("-") ? RuleValue::ofNumber(-v->number)
                                            : RuleValue{v->kind, v->number, {}};
    }

    RuleResult binary(const Expr& e) {
        const QString& op = e.text;
        const RuleResult a = value(e.args[0]);
        const RuleResult b = value(e.args[1]);
        for (const char* l : {"AND", "OR", "XOR", "EQV", "IMP"})
            if (named(op, l))
                return truth(logic(op.toUpper(), truthOperand(a), truthOperand(b)));
        if (op == QLatin1String("LIKE"))
            return like(a, b);
        for (const char* c : {"=", "<>", "<", ">", "<=", ">="})
            if (op == QLatin1String(c))
                return truth(compared(a, b, op));
        if (!a || !b)
            return std::nullopt;
        return arithmetic(op.toUpper(), *a, *b);
    }

    static RuleResult like(const RuleResult& text, const RuleResult& pattern) {
        if (!text || !pattern)
            return std::nullopt;
        if (text->isNull() || pattern->isNull())
            return RuleValue::null();
        if (text->kind != Kind::Text || pattern->kind != Kind::Text)
            return std::nullopt; // a number or date is matched as the locale writes it
        const std::optional<bool> matches = likeMatches(text->text, pattern->text);
        return matches ? RuleResult(RuleValue::ofTruth(*matches)) : std::nullopt;
    }

    // x Between low And high: low <= x And x <= high. Access takes the ends in either order; a range written
    // high to low is left unknown here.
    RuleResult between(const Expr& e) {
        const RuleResult x = value(e.args[0]), low = value(e.args[1]), high = value(e.args[2]);
        if (low && high && !low->isNull() && !high->isNull()) {
            const std::optional<int> ends = order(*low, *high, false);
            if (!ends || *ends > 0)
                return std::nullopt;
        }
        const std::optional<Truth> within =
            logic(QStringLiteral("AND"), compared(x, low, QStringLiteral(">=")),
                  compared(x, high, QStringLiteral("<=")));
        return truth(e.negated ? notOf(within) : within);
    }

    // x In (a, b, ...): True for an equal item; otherwise NULL if x or an item is NULL, else False.
    RuleResult in(const Expr& e) {
        const RuleResult x = value(e.args[0]);
        bool unknown = !x, anyNull = false;
        for (std::size_t i = 1; i < e.args.size(); ++i) {
            const std::optional<Truth> eq = compared(x, value(e.args[i]), QStringLiteral("="));
            if (eq == Truth::True)
                return RuleValue::ofTruth(!e.negated);
            unknown = unknown || !eq;
            anyNull = anyNull || eq == Truth::Null;
        }
        if (unknown)
            return std::nullopt;
        if (anyNull)
            return RuleValue::null();
        return RuleValue::ofTruth(e.negated);
    }

    RuleResult call(const Expr& e) {
        std::vector<RuleValue> args;
        for (const Expr& arg : e.args) {
            RuleResult v = value(arg);
            if (!v)
                return std::nullopt;
            args.push_back(std::move(*v));
        }
        return callRuleFunction(e.text, args, nowDays_);
    }

    const std::function<std::optional<DataValue>(const QString&)>& valueOf_;
    double nowDays_;
    bool unknownColumn_ = false;
};

} // namespace

RuleOutcome evaluateRule(const Expr& condition,
                         const std::function<std::optional<DataValue>(const QString& column)>& valueOf,
                         double nowDays) {
    Evaluator evaluator(valueOf, nowDays);
    const RuleResult result = evaluator.value(condition);
    if (!result || evaluator.unknownColumn() || result->kind == Kind::Text)
        return RuleOutcome::Unknown;
    if (result->isNull() || result->number != 0)
        return RuleOutcome::Holds;
    return RuleOutcome::Breaks;
}
