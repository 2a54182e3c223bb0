#include "AccessSqlParser.h"

#include "AccessSqlActions.h"
#include "AccessSqlLexer.h"

namespace {

// Words that end an expression or a name rather than continue it.
bool clauseWord(const Token& t) {
    static const char* const words[] = {"FROM", "WHERE",  "GROUP",     "HAVING", "ORDER", "UNION",
                                        "AS",   "INNER",  "LEFT",      "RIGHT",  "JOIN",  "ON",
                                        "INTO", "SELECT", "TRANSFORM", "PIVOT"};
    if (t.kind != TokenKind::Word)
        return false;
    for (const char* w : words)
        if (t.is(w))
            return true;
    return false;
}

class Parser {
public:
    explicit Parser(QList<Token> tokens) : tokens_(std::move(tokens)) {}

    std::variant<ParseFailure, AccessQuery> query() {
        AccessQuery q;
        if (peek().is("PARAMETERS")) {
            next();
            QString declaration;
            while (!peek().is(";") && peek().kind != TokenKind::End) {
                const Token t = next();
                if (t.is(",")) {
                    q.parameters << declaration.trimmed();
                    declaration.clear();
                } else {
                    declaration +=
                        (t.kind == TokenKind::Bracket ? QLatin1Char('[') + t.text + QLatin1Char(']')
                                                      : t.text) +
                        QLatin1Char(' ');
                }
            }
            q.parameters << declaration.trimmed();
            accept(";");
        }
        if (accept("TRANSFORM")) {
            q.crosstab.emplace();
            q.crosstab->value = expression();
            if (accept("AS"))
                q.crosstab->alias = name();
        }
        for (;;) {
            q.selects.push_back(select());
            if (failed())
                return ParseFailure{error_};
            if (!accept("UNION"))
                break;
            q.unionAll.push_back(accept("ALL"));
        }
        if (q.crosstab)
            pivot(q);
        accept(";");
        if (peek().kind != TokenKind::End)
            fail(QStringLiteral("the text after the query's end (%1)").arg(peek().text));
        if (failed())
            return ParseFailure{error_};
        if (q.selects.size() > 1) {
            q.orderBy = std::move(q.selects.back().orderBy);
            q.selects.back().orderBy.clear();
        }
        return q;
    }

    // One expression and nothing after it, as a validation rule holds it.
    std::variant<ParseFailure, Expr> loneExpression() {
        Expr e = expression();
        if (!failed() && peek().kind != TokenKind::End)
            fail(QStringLiteral("the text after the expression's end (%1)").arg(peek().text));
        if (failed())
            return ParseFailure{error_};
        return e;
    }

private:
    const Token& peek(int ahead = 0) const {
        return tokens_[std::min<qsizetype>(pos_ + ahead, tokens_.size() - 1)];
    }
    Token next() {
        const Token t = peek();
        if (pos_ < tokens_.size() - 1)
            ++pos_;
        return t;
    }
    bool accept(const char* text) {
        if (!peek().is(text))
            return false;
        next();
        return true;
    }
    void expect(const char* text) {
        if (!accept(text))
            fail(QStringLiteral("%1 where %2 was expected").arg(describe(peek()), QLatin1String(text)));
    }
    void fail(const QString& reason) {
        if (error_.isEmpty())
            error_ = reason;
        pos_ = tokens_.size() - 1; // nothing more is read
    }
    bool failed() const { return !error_.isEmpty(); }
    static QString describe(const Token& t) {
        return t.kind == TokenKind::End ? QStringLiteral("the end") : t.text;
    }

    SelectQuery select() {
        SelectQuery s;
        if (peek().is("(") && peek(1).is("SELECT")) {
            fail(QStringLiteral("a SELECT in parentheses"));
            return s;
        }
        expect("SELECT");
        if (accept("DISTINCT"))
            s.distinct = true;
        else if (accept("DISTINCTROW"))
            s.distinctRow = true;
        else
            accept("ALL");
        if (accept("TOP")) {
            if (peek().kind != TokenKind::Number)
                fail(QStringLiteral("TOP without a number"));
            s.top = next().text;
            s.topPercent = accept("PERCENT");
        }
        do {
            SelectItem item;
            item.expr = expression();
            if (accept("AS"))
                item.alias = name();
            s.items.push_back(std::move(item));
        } while (accept(","));
        if (peek().is("INTO"))
            fail(QStringLiteral("SELECT ... INTO"));
        if (accept("FROM")) {
            do
                s.from.push_back(source());
            while (accept(","));
        }
        if (accept("WHERE"))
            s.where = expression();
        if (accept("GROUP")) {
            expect("BY");
            do
                s.groupBy.push_back(expression());
            while (accept(","));
        }
        if (accept("HAVING"))
            s.having = expression();
        if (accept("ORDER")) {
            expect("BY");
            do {
                OrderItem o;
                o.expr = expression();
                if (accept("DESC"))
                    o.descending = true;
                else
                    accept("ASC");
                s.orderBy.push_back(std::move(o));
            } while (accept(","));
        }
        return s;
    }

    // PIVOT pivot [IN (headings)] after a crosstab's SELECT: an IN there gives the headings, as in Access.
    void pivot(AccessQuery& q) {
        if (q.selects.size() > 1)
            fail(QStringLiteral("a crosstab of a union"));
        expect("PIVOT");
        Expr e = expression();
        if (e.kind == ExprKind::In && !e.negated && e.subquery.empty()) {
            q.crosstab->headings.assign(std::make_move_iterator(e.args.begin() + 1),
                                        std::make_move_iterator(e.args.end()));
            e = Expr(std::move(e.args.front()));
        }
        q.crosstab->pivot = std::move(e);
    }

    QString name() {
        const Token t = peek();
        if (t.kind == TokenKind::Bracket || t.kind == TokenKind::String ||
            (t.kind == TokenKind::Word && !clauseWord(t))) {
            next();
            return t.text;
        }
        fail(QStringLiteral("%1 where a name was expected").arg(describe(t)));
        return QString();
    }

    Source source() {
        Source left = sourcePrimary();
        for (;;) {
            JoinKind kind;
            if (accept("INNER"))
                kind = JoinKind::Inner;
            else if (accept("LEFT"))
                kind = JoinKind::Left;
            else if (accept("RIGHT"))
                kind = JoinKind::Right;
            else
                return left;
            if (kind != JoinKind::Inner)
                accept("OUTER");
            expect("JOIN");
            Source join;
            join.join = true;
            join.kind = kind;
            join.sides.push_back(std::move(left));
            join.sides.push_back(sourcePrimary());
            expect("ON");
            join.on.push_back(expression());
            left = std::move(join);
            if (failed())
                return left;
        }
    }

    Source sourcePrimary() {
        const Nesting nesting(*this);
        if (failed())
            return {};
        if (accept("(")) {
            if (peek().is("SELECT")) {
                fail(QStringLiteral("a subquery in FROM"));
                return {};
            }
            Source inner = source();
            expect(")");
            return inner;
        }
        Source s;
        s.name = name();
        if (peek().is(".") || peek().is("!")) {
            fail(QStringLiteral("a table of another database"));
            return s;
        }
        if (peek().is("IN")) {
            fail(QStringLiteral("a table of another database (IN)"));
            return s;
        }
        if (accept("AS"))
            s.alias = name();
        else if ((peek().kind == TokenKind::Word && !clauseWord(peek()) && !peek().is("WHERE")) ||
                 peek().kind == TokenKind::Bracket)
            s.alias = name();
        return s;
    }

    static Expr node(ExprKind kind, QString text, std::vector<Expr> args) {
        Expr e;
        e.kind = kind;
        e.text = std::move(text);
        e.args = std::move(args);
        return e;
    }

    // Lowest to highest: Imp, Eqv, Xor, Or, And, Not, comparisons, &, + -, Mod, \, * /, unary -, ^.
    Expr expression() {
        const Nesting nesting(*this);
        return failed() ? Expr{} : binaryLevel(0);
    }

    Expr binaryLevel(int level) {
        static const char* const levels[][2] = {
            {"IMP", nullptr}, {"EQV", nullptr}, {"XOR", nullptr}, {"OR", nullptr}, {"AND", nullptr}};
        if (level == 5)
            return notLevel();
        Expr left = binaryLevel(level + 1);
        while (!failed() && peek().is(levels[level][0])) {
            next();
            left = node(ExprKind::Binary, QLatin1String(levels[level][0]), {left, binaryLevel(level + 1)});
        }
        return left;
    }

    Expr notLevel() {
        const Nesting nesting(*this);
        if (failed())
            return {};
        if (accept("NOT"))
            return node(ExprKind::Unary, QStringLiteral("NOT"), {notLevel()});
        return comparison();
    }

    Expr comparison() {
        Expr left = concatenation();
        while (!failed()) {
            const Token& t = peek();
            if (t.is("=") || t.is("<>") || t.is("<") || t.is(">") || t.is("<=") || t.is(">=") ||
                t.is("LIKE")) {
                const QString op = next().text.toUpper();
                left = node(ExprKind::Binary, op, {left, concatenation()});
                continue;
            }
            bool negated = false;
            if (t.is("NOT") && (peek(1).is("LIKE") || peek(1).is("BETWEEN") || peek(1).is("IN"))) {
                next();
                negated = true;
            }
            if (accept("LIKE")) {
                left = node(ExprKind::Unary, QStringLiteral("NOT"),
                            {node(ExprKind::Binary, QStringLiteral("LIKE"), {left, concatenation()})});
            } else if (accept("BETWEEN")) {
                Expr low = concatenation();
                expect("AND");
                left = node(ExprKind::Between, QString(), {left, low, concatenation()});
                left.negated = negated;
            } else if (accept("IN")) {
                expect("(");
                std::vector<Expr> args{left};
                if (peek().is("SELECT")) {
                    left = node(ExprKind::In, QString(), std::move(args));
                    left.subquery.push_back(select());
                    left.negated = negated;
                    expect(")");
                    continue;
                }
                do
                    args.push_back(expression());
                while (accept(","));
                expect(")");
                left = node(ExprKind::In, QString(), std::move(args));
                left.negated = negated;
            } else if (accept("IS")) {
                const bool isNot = accept("NOT");
                expect("NULL");
                left = node(ExprKind::IsNull, QString(), {left});
                left.negated = isNot;
            } else {
                break;
            }
        }
        return left;
    }

    Expr concatenation() { return arithmetic(0); }

    // & ; + - ; Mod ; \ ; * /
    Expr arithmetic(int level) {
        static const char* const ops[][3] = {{"&", nullptr, nullptr},
                                             {"+", "-", nullptr},
                                             {"MOD", nullptr, nullptr},
                                             {"\\", nullptr, nullptr},
                                             {"*", "/", nullptr}};
        if (level == 5)
            return unary();
        Expr left = arithmetic(level + 1);
        while (!failed()) {
            const char* op = nullptr;
            for (const char* candidate : ops[level])
                if (candidate && peek().is(candidate))
                    op = candidate;
            if (!op)
                break;
            next();
            left = node(ExprKind::Binary, QLatin1String(op), {left, arithmetic(level + 1)});
        }
        return left;
    }

    Expr unary() {
        const Nesting nesting(*this);
        if (failed())
            return {};
        if (peek().is("-") || peek().is("+")) {
            const QString op = next().text;
            return node(ExprKind::Unary, op, {unary()});
        }
        return power();
    }

    Expr power() {
        Expr left = primary();
        while (!failed() && accept("^")) {
            Expr right = peek().is("-") ? (next(), node(ExprKind::Unary, QStringLiteral("-"), {primary()}))
                                        : primary();
            left = node(ExprKind::Binary, QStringLiteral("^"), {left, right});
        }
        return left;
    }

    Expr primary() {
        const Token t = peek();
        Expr e;
        switch (t.kind) {
        case TokenKind::Number:
            next();
            return node(ExprKind::Number, t.text, {});
        case TokenKind::String:
            next();
            return node(ExprKind::Text, t.text, {});
        case TokenKind::Date:
            next();
            return node(ExprKind::Date, t.text, {});
        case TokenKind::End:
            fail(QStringLiteral("the end where a value was expected"));
            return e;
        default:
            break;
        }
        if (accept("(")) {
            if (peek().is("SELECT")) {
                e.kind = ExprKind::Subquery;
                e.subquery.push_back(select());
                expect(")");
                return e;
            }
            e = expression();
            expect(")");
            return e;
        }
        if (accept("*"))
            return node(ExprKind::Star, QString(), {});
        if (t.kind == TokenKind::Word) {
            for (const char* word : {"TRUE", "YES", "ON", "FALSE", "NO", "OFF"})
                if (t.is(word)) {
                    next();
                    e.kind = ExprKind::Boolean;
                    e.truth = t.is("TRUE") || t.is("YES") || t.is("ON");
                    return e;
                }
            if (t.is("NULL")) {
                next();
                return node(ExprKind::Null, QString(), {});
            }
            if (t.is("EXISTS") && peek(1).is("(") && peek(2).is("SELECT")) {
                next();
                next();
                e.kind = ExprKind::Subquery;
                e.text = QStringLiteral("EXISTS");
                e.subquery.push_back(select());
                expect(")");
                return e;
            }
            if (peek(1).is("(") && !t.is("NOT") && !t.is("IN") && !t.is("SELECT")) {
                next();
                next();
                e = node(ExprKind::Call, t.text, {});
                if (!accept(")")) {
                    do
                        e.args.push_back(expression());
                    while (accept(","));
                    expect(")");
                }
                return e;
            }
            if (clauseWord(t) || t.is("NOT") || t.is("AND") || t.is("OR")) {
                fail(QStringLiteral("%1 where a value was expected").arg(t.text));
                return e;
            }
        }
        if (t.kind != TokenKind::Word && t.kind != TokenKind::Bracket) {
            fail(QStringLiteral("%1 where a value was expected").arg(describe(t)));
            return e;
        }
        e.kind = ExprKind::Name;
        e.parts << next().text;
        while (peek().is(".") || peek().is("!")) {
            e.bang = e.bang || peek().is("!");
            next();
            if (accept("*")) {
                e.parts << QStringLiteral("*");
                break;
            }
            const Token part = next();
            if (part.kind != TokenKind::Word && part.kind != TokenKind::Bracket) {
                fail(QStringLiteral("%1 in a name").arg(describe(part)));
                return e;
            }
            e.parts << part.text;
        }
        return e;
    }

    QList<Token> tokens_;
    qsizetype pos_ = 0;
    // Counts how deep the text nests, so that a damaged file's query cannot take the whole stack.
    struct Nesting {
        explicit Nesting(Parser& p) : parser(p) {
            if (++parser.depth_ > 150)
                parser.fail(QStringLiteral("an expression nested too deeply"));
        }
        ~Nesting() { --parser.depth_; }
        Parser& parser;
    };

    int depth_ = 0;
    QString error_;
};

} // namespace

std::variant<ParseFailure, AccessQuery> parseAccessSql(const QString& sql) {
    LexResult lexed = lexAccessSql(sql);
    if (!lexed.error.isEmpty())
        return ParseFailure{lexed.error};
    if (isActionStatement(lexed.tokens))
        return parseActionTokens(lexed.tokens);
    return parseQueryTokens(std::move(lexed.tokens));
}

std::variant<ParseFailure, AccessQuery> parseQueryTokens(QList<Token> tokens) {
    return Parser(std::move(tokens)).query();
}

std::variant<ParseFailure, Expr> parseExpressionTokens(QList<Token> tokens) {
    return Parser(std::move(tokens)).loneExpression();
}
