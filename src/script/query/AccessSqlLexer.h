#pragma once
// The tokens of Access SQL: bare and [bracketed] names, "..." and '...' strings, numbers, #date# literals and
// the operators and punctuation between them.

#include <QList>
#include <QString>

enum class TokenKind {
    Word,    // a bare name or keyword
    Bracket, // a [bracketed] name; text without the brackets
    String,  // text: the value, doubled quotes undone
    Number,
    Date,   // text: what stands between the #s
    Symbol, // ( ) , . ! ; * + - / \ ^ & = < > <= >= <>
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    QString text;
    bool is(const char* symbolOrWord) const {
        return (kind == TokenKind::Symbol || kind == TokenKind::Word) &&
               text.compare(QLatin1String(symbolOrWord), Qt::CaseInsensitive) == 0;
    }
};

struct LexResult {
    QList<Token> tokens; // ending with an End token
    QString error;       // empty when the whole text was read
};

LexResult lexAccessSql(const QString& sql);
