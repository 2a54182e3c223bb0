#include "AccessSqlActions.h"

namespace {

Token word(const char* text) {
    return Token{TokenKind::Word, QLatin1String(text)};
}

// Where the PARAMETERS declaration ends: the index of the statement's first token.
qsizetype statementStart(const QList<Token>& tokens) {
    if (tokens.isEmpty() || !tokens.first().is("PARAMETERS"))
        return 0;
    for (qsizetype i = 0; i < tokens.size(); ++i)
        if (tokens[i].is(";"))
            return i + 1;
    return tokens.size() - 1;
}

// The first of the words outside parentheses from start on; -1 when there is none.
qsizetype findOutside(const QList<Token>& tokens, qsizetype start, const char* text) {
    int depth = 0;
    for (qsizetype i = start; i < tokens.size(); ++i) {
        if (tokens[i].is("("))
            ++depth;
        else if (tokens[i].is(")"))
            --depth;
        else if (depth == 0 && tokens[i].is(text))
            return i;
    }
    return -1;
}

bool isName(const Token& t) {
    return t.kind == TokenKind::Word || t.kind == TokenKind::Bracket || t.kind == TokenKind::String;
}

// The table named at tokens[i], moving i past it; empty with the reason in why when it is not one of this
// database's tables.
QString tableAt(const QList<Token>& tokens, qsizetype& i, QString& why) {
    if (!isName(tokens[i])) {
        why = QStringLiteral("%1 where a table was expected").arg(tokens[i].text);
        return QString();
    }
    const QString name = tokens[i++].text;
    if (tokens[i].is(".") || tokens[i].is("!") || tokens[i].is("IN")) {
        why = QStringLiteral("a table of another database");
        return QString();
    }
    return name;
}

QList<Token> slice(const QList<Token>& tokens, qsizetype from, qsizetype to) {
    return tokens.mid(from, to - from);
}

// The rewritten SELECT parsed; the query's PARAMETERS come along.
std::variant<ParseFailure, AccessQuery> parsed(const QList<Token>& tokens, qsizetype start,
                                               QList<Token> select) {
    QList<Token> all = slice(tokens, 0, start);
    all += select;
    if (all.isEmpty() || all.last().kind != TokenKind::End)
        all << Token{};
    return parseQueryTokens(std::move(all));
}

// The statement's tokens without a closing ";" and the End token.
qsizetype statementEnd(const QList<Token>& tokens) {
    qsizetype end = tokens.size() - 1;
    while (end > 0 && tokens[end - 1].is(";"))
        --end;
    return end;
}

std::variant<ParseFailure, AccessQuery> update(const QList<Token>& tokens, qsizetype start) {
    const qsizetype end = statementEnd(tokens);
    const qsizetype set = findOutside(tokens, start + 1, "SET");
    if (set < 0)
        return ParseFailure{QStringLiteral("an UPDATE without SET")};
    qsizetype where = findOutside(tokens, set + 1, "WHERE");
    if (where < 0)
        where = end;
    QList<Token> select{word("SELECT")};
    select += slice(tokens, set + 1, where);
    select << word("FROM");
    select += slice(tokens, start + 1, set);
    select += slice(tokens, where, end);
    auto result = parsed(tokens, start, select);
    if (auto* q = std::get_if<AccessQuery>(&result)) {
        SelectQuery& s = q->selects.front();
        ActionQuery action;
        action.kind = ActionKind::Update;
        for (SelectItem& item : s.items) {
            Expr& e = item.expr;
            if (!item.alias.isEmpty() || e.kind != ExprKind::Binary || e.text != QLatin1String("=") ||
                e.args[0].kind != ExprKind::Name)
                return ParseFailure{QStringLiteral("a SET item that is not column = value")};
            action.set.push_back({std::move(e.args[0]), std::move(e.args[1])});
        }
        action.from = std::move(s.from);
        action.where = std::move(s.where);
        q->selects.clear();
        q->action = std::move(action);
    }
    return result;
}

std::variant<ParseFailure, AccessQuery> deletion(const QList<Token>& tokens, qsizetype start) {
    const qsizetype from = findOutside(tokens, start + 1, "FROM");
    if (from < 0)
        return ParseFailure{QStringLiteral("a DELETE without FROM")};
    QList<Token> select{word("SELECT"), Token{TokenKind::Symbol, QStringLiteral("*")}};
    select += slice(tokens, from, tokens.size());
    auto result = parsed(tokens, start, select);
    if (auto* q = std::get_if<AccessQuery>(&result)) {
        SelectQuery& s = q->selects.front();
        if (q->selects.size() > 1 || !s.groupBy.empty() || s.having || !s.orderBy.empty())
            return ParseFailure{QStringLiteral("a DELETE with more than FROM and WHERE")};
        ActionQuery action;
        action.kind = ActionKind::Delete;
        action.from = std::move(s.from);
        action.where = std::move(s.where);
        q->selects.clear();
        q->action = std::move(action);
    }
    return result;
}

std::variant<ParseFailure, AccessQuery> append(const QList<Token>& tokens, qsizetype start) {
    qsizetype i = start + 1;
    if (!tokens[i++].is("INTO"))
        return ParseFailure{QStringLiteral("INSERT without INTO")};
    ActionQuery action;
    action.kind = ActionKind::Append;
    QString why;
    action.table = tableAt(tokens, i, why);
    if (action.table.isEmpty())
        return ParseFailure{why};
    if (tokens[i].is("(")) {
        for (++i; !tokens[i].is(")"); ++i) {
            if (tokens[i].is(",") || tokens[i].is(".")) // a qualified column: its last part is its name
                continue;
            if (!isName(tokens[i]))
                return ParseFailure{QStringLiteral("%1 in the list of columns").arg(tokens[i].text)};
            if (tokens[i + 1].is("."))
                continue;
            action.columns << tokens[i].text;
        }
        ++i;
    }
    QList<Token> select;
    if (tokens[i].is("VALUES")) {
        const qsizetype end = statementEnd(tokens);
        if (!tokens[i + 1].is("(") || !tokens[end - 1].is(")"))
            return ParseFailure{QStringLiteral("VALUES without its list in parentheses")};
        select << word("SELECT");
        select += slice(tokens, i + 2, end - 1);
    } else {
        select = slice(tokens, i, tokens.size());
    }
    auto result = parsed(tokens, start, select);
    if (auto* q = std::get_if<AccessQuery>(&result)) {
        if (tokens[i].is("VALUES")) {
            action.values.emplace_back();
            for (SelectItem& item : q->selects.front().items)
                action.values.front().push_back(std::move(item.expr));
            q->selects.clear();
        }
        q->action = std::move(action);
    }
    return result;
}

std::variant<ParseFailure, AccessQuery> makeTable(const QList<Token>& tokens, qsizetype start,
                                                  qsizetype into) {
    qsizetype i = into + 1;
    QString why;
    ActionQuery action;
    action.kind = ActionKind::MakeTable;
    action.table = tableAt(tokens, i, why);
    if (action.table.isEmpty())
        return ParseFailure{why};
    QList<Token> select = slice(tokens, start, into);
    select += slice(tokens, i, tokens.size());
    auto result = parsed(tokens, start, select);
    if (auto* q = std::get_if<AccessQuery>(&result))
        q->action = std::move(action);
    return result;
}

// The INTO of a make-table query: outside parentheses, before the first FROM.
qsizetype makeTableInto(const QList<Token>& tokens, qsizetype start) {
    if (!tokens[start].is("SELECT"))
        return -1;
    const qsizetype into = findOutside(tokens, start, "INTO");
    const qsizetype from = findOutside(tokens, start, "FROM");
    return into >= 0 && (from < 0 || into < from) ? into : -1;
}

} // namespace

bool isActionStatement(const QList<Token>& tokens) {
    const qsizetype start = statementStart(tokens);
    const Token& t = tokens[start];
    return t.is("UPDATE") || t.is("DELETE") || t.is("INSERT") || makeTableInto(tokens, start) >= 0;
}

std::variant<ParseFailure, AccessQuery> parseActionTokens(const QList<Token>& tokens) {
    const qsizetype start = statementStart(tokens);
    const Token& t = tokens[start];
    if (t.is("UPDATE"))
        return update(tokens, start);
    if (t.is("DELETE"))
        return deletion(tokens, start);
    if (t.is("INSERT"))
        return append(tokens, start);
    return makeTable(tokens, start, makeTableInto(tokens, start));
}
