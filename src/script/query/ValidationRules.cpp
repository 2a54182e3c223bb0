#include "ValidationRules.h"

#include "AccessSqlLexer.h"

namespace {

bool oneOf(const QString& text, std::initializer_list<const char*> words) {
    for (const char* w : words)
        if (text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A token that begins a comparison with its left side left out: ">0", "Between 1 And 5", "Is Null".
bool comparisonStart(const Token& t) {
    for (const char* op : {"=", "<>", "<", ">", "<=", ">=", "LIKE", "BETWEEN", "IN", "IS"})
        if (t.is(op))
            return true;
    return false;
}

// A token after which an operand of the rule's conditions begins: "(", a logical operator, or a Not that
// itself begins an operand (not the Not of "[x] Not Like ...").
bool operandAfter(const Token& t, bool tokenBeginsOperand) {
    for (const char* op : {"(", "AND", "OR", "XOR", "EQV", "IMP"})
        if (t.is(op))
            return true;
    return t.is("NOT") && tokenBeginsOperand;
}

// The tokens with the column before every comparison that begins an operand without its left side.
QList<Token> withColumn(const QList<Token>& tokens, const QString& column) {
    QList<Token> out;
    bool beginsOperand = true;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (i > 0)
            beginsOperand = operandAfter(tokens[i - 1], beginsOperand);
        if (beginsOperand && comparisonStart(tokens[i]))
            out.append({TokenKind::Bracket, column});
        out.append(tokens[i]);
    }
    return out;
}

bool logical(const Expr& e) {
    return (e.kind == ExprKind::Binary && oneOf(e.text, {"AND", "OR", "XOR", "EQV", "IMP"})) ||
           (e.kind == ExprKind::Unary && e.text == QLatin1String("NOT"));
}

// Whether an operand is a condition of its own rather than a value the column is to equal.
bool condition(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Binary:
        return oneOf(e.text, {"=", "<>", "<", ">", "<=", ">=", "LIKE"}) || logical(e);
    case ExprKind::Between:
    case ExprKind::In:
    case ExprKind::IsNull:
        return true;
    case ExprKind::Call:
        return oneOf(e.text, {"IsNull", "IsDate", "IsNumeric", "IsEmpty", "IsError"});
    default:
        return logical(e);
    }
}

// Every bare value among the operands of And, Or and Not as the column's equal.
Expr equalsForValues(Expr e, const Expr& column) {
    if (logical(e)) {
        for (Expr& arg : e.args)
            arg = equalsForValues(std::move(arg), column);
        return e;
    }
    if (condition(e))
        return e;
    Expr eq;
    eq.kind = ExprKind::Binary;
    eq.text = QStringLiteral("=");
    eq.args = {column, std::move(e)};
    return eq;
}

// What a rule may not hold: a subquery, or a * where a value belongs.
QString notInRule(const Expr& e) {
    if (e.kind == ExprKind::Subquery || !e.subquery.empty())
        return QStringLiteral("a subquery in a validation rule");
    if (e.kind == ExprKind::Star || (e.kind == ExprKind::Name && e.parts.contains(QStringLiteral("*"))))
        return QStringLiteral("* in a validation rule");
    for (const Expr& arg : e.args)
        if (QString reason = notInRule(arg); !reason.isEmpty())
            return reason;
    return QString();
}

} // namespace

std::variant<ParseFailure, Expr> parseValidationRule(const QString& rule, const QString& column) {
    // Access keeps at most 2048 characters of a rule; a longer one is a damaged file's, and no deeper tree
    // than Access's own rules make is read.
    if (rule.size() > 2048)
        return ParseFailure{QStringLiteral("a validation rule longer than 2048 characters")};
    LexResult lexed = lexAccessSql(rule);
    if (!lexed.error.isEmpty())
        return ParseFailure{lexed.error};
    if (lexed.tokens.size() == 1)
        return ParseFailure{QStringLiteral("an empty validation rule")};
    const bool ofColumn = !column.isEmpty();
    auto parsed =
        parseExpressionTokens(ofColumn ? withColumn(lexed.tokens, column) : std::move(lexed.tokens));
    if (auto* failure = std::get_if<ParseFailure>(&parsed))
        return *failure;
    Expr e = std::move(std::get<Expr>(parsed));
    if (QString reason = notInRule(e); !reason.isEmpty())
        return ParseFailure{reason};
    if (!ofColumn)
        return e;
    Expr name;
    name.kind = ExprKind::Name;
    name.parts << column;
    return equalsForValues(std::move(e), name);
}
