#include "AccessSqlLexer.h"

namespace {

bool wordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$') || c.unicode() > 127;
}

} // namespace

LexResult lexAccessSql(const QString& sql) {
    LexResult result;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    const auto add = [&result](TokenKind kind, QString text) {
        result.tokens.append({kind, std::move(text)});
    };
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = sql.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) {
                result.error = QStringLiteral("a [ without its ]");
                break;
            }
            add(TokenKind::Bracket, sql.mid(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            QString value;
            qsizetype j = i + 1;
            bool closed = false;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        value += c;
                        j += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                value += sql[j++];
            }
            if (!closed) {
                result.error = QStringLiteral("a string without its closing quote");
                break;
            }
            add(TokenKind::String, value);
            i = j + 1;
        } else if (c == QLatin1Char('#')) {
            const qsizetype close = sql.indexOf(QLatin1Char('#'), i + 1);
            if (close < 0) {
                result.error = QStringLiteral("a # without its closing #");
                break;
            }
            add(TokenKind::Date, sql.mid(i + 1, close - i - 1).trimmed());
            i = close + 1;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql[i + 1].isDigit())) {
            qsizetype j = i;
            while (j < n && (sql[j].isDigit() || sql[j] == QLatin1Char('.')))
                ++j;
            if (j < n && (sql[j] == QLatin1Char('E') || sql[j] == QLatin1Char('e'))) {
                qsizetype k = j + 1;
                if (k < n && (sql[k] == QLatin1Char('+') || sql[k] == QLatin1Char('-')))
                    ++k;
                if (k < n && sql[k].isDigit()) {
                    while (k < n && sql[k].isDigit())
                        ++k;
                    j = k;
                }
            }
            if (j < n && wordChar(sql[j])) {
                result.error = QStringLiteral("the number %1").arg(sql.mid(i, j - i + 1));
                break;
            }
            add(TokenKind::Number, sql.mid(i, j - i));
            i = j;
        } else if (wordChar(c)) {
            qsizetype j = i;
            while (j < n && wordChar(sql[j]))
                ++j;
            add(TokenKind::Word, sql.mid(i, j - i));
            i = j;
        } else if ((c == QLatin1Char('<') || c == QLatin1Char('>')) && i + 1 < n &&
                   (sql[i + 1] == QLatin1Char('=') ||
                    (c == QLatin1Char('<') && sql[i + 1] == QLatin1Char('>')))) {
            add(TokenKind::Symbol, sql.mid(i, 2));
            i += 2;
        } else if (QStringLiteral("(),.!;*+-/\\^&=<>").contains(c)) {
            add(TokenKind::Symbol, QString(c));
            ++i;
        } else {
            result.error = QStringLiteral("the character %1").arg(c);
            break;
        }
    }
    add(TokenKind::End, QString());
    return result;
}
