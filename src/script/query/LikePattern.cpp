#include "LikePattern.h"

#include <optional>

namespace {

// One character of a list, or a range of them (low == high for one).
struct Range {
    QChar low;
    QChar high;
};

struct Piece {
    enum Kind { Any, One, Digit, Literal, List } kind = Literal;
    QChar c;              // Literal
    bool negated = false; // List: [!...]
    QList<Range> ranges;  // List
};

// The pattern in pieces; nothing where Access would refuse it (an unclosed [, an empty list, a range
// backwards).
std::optional<QList<Piece>> pieces(const QString& p) {
    QList<Piece> out;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        Piece piece;
        if (c == QLatin1Char('*')) {
            piece.kind = Piece::Any;
        } else if (c == QLatin1Char('?')) {
            piece.kind = Piece::One;
        } else if (c == QLatin1Char('#')) {
            piece.kind = Piece::Digit;
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = p.indexOf(QLatin1Char(']'), i + 1);
            if (end < 0)
                return std::nullopt;
            QString inside = p.mid(i + 1, end - i - 1);
            i = end;
            piece.kind = Piece::List;
            if (inside.size() > 1 && inside[0] == QLatin1Char('!')) {
                piece.negated = true;
                inside.remove(0, 1);
            }
            if (inside.isEmpty())
                return std::nullopt;
            for (qsizetype k = 0; k < inside.size(); ++k) {
                if (k + 2 < inside.size() && inside[k + 1] == QLatin1Char('-')) {
                    if (inside[k] > inside[k + 2])
                        return std::nullopt;
                    piece.ranges.append({inside[k], inside[k + 2]});
                    k += 2;
                } else {
                    piece.ranges.append({inside[k], inside[k]});
                }
            }
            // [*], [?], [#]: the character itself.
            if (!piece.negated && piece.ranges.size() == 1 && piece.ranges[0].low == piece.ranges[0].high) {
                piece.kind = Piece::Literal;
                piece.c = piece.ranges[0].low;
            }
        } else {
            piece.c = c;
        }
        out << piece;
    }
    return out;
}

bool asciiLetter(QChar c) {
    return c.unicode() < 128 && c.isLetter();
}

QChar lowered(QChar c) {
    return asciiLetter(c) ? c.toLower() : c;
}

// A regular expression's character, outside or inside a list: what is special in either escaped.
QString regexChar(QChar c) {
    if (QStringLiteral("\\^$.|?*+()[]{}-").contains(c))
        return QLatin1Char('\\') + c;
    return c;
}

QString regex(const QList<Piece>& pieces) {
    QString rx;
    for (const Piece& p : pieces) {
        switch (p.kind) {
        case Piece::Any:
            rx += QStringLiteral(".*");
            break;
        case Piece::One:
            rx += QLatin1Char('.');
            break;
        case Piece::Digit:
            rx += QStringLiteral("[0-9]");
            break;
        case Piece::Literal:
            rx += regexChar(p.c);
            break;
        case Piece::List:
            rx += p.negated ? QStringLiteral("[^") : QStringLiteral("[");
            for (const Range& r : p.ranges)
                rx += r.low == r.high ? regexChar(r.low)
                                      : regexChar(r.low) + QLatin1Char('-') + regexChar(r.high);
            rx += QLatin1Char(']');
            break;
        }
    }
    return rx;
}

// A list as GLOB (SQLite, lowered) or SQL Server's LIKE write it, where no character is escaped: ] first
// (GLOB only), ^ anywhere but first, - last. Empty where it cannot be written.
QString bracketList(const Piece& p, bool glob) {
    QString items;
    bool close = false, caret = false, dash = false;
    for (const Range& r : p.ranges) {
        QChar low = r.low, high = r.high;
        if (glob) {
            if (asciiLetter(low) != asciiLetter(high) || (low.isUpper() != high.isUpper() && low != high))
                return QString();
            low = lowered(low);
            high = lowered(high);
        }
        if (low == high) {
            close = close || low == QLatin1Char(']');
            caret = caret || low == QLatin1Char('^');
            dash = dash || low == QLatin1Char('-');
            if (QStringLiteral("]^-").contains(low))
                continue;
            items += low;
        } else if (QStringLiteral("]^-").contains(low) || QStringLiteral("]^-").contains(high)) {
            return QString();
        } else {
            items += low + QLatin1Char('-') + high;
        }
    }
    if (close && !glob)
        return QString();
    if (caret && items.isEmpty() && !close && !p.negated)
        return QString(); // [^] would negate
    return QLatin1Char('[') + (p.negated ? QStringLiteral("^") : QString()) +
           (close ? QStringLiteral("]") : QString()) + items + (caret ? QStringLiteral("^") : QString()) +
           (dash ? QStringLiteral("-") : QString()) + QLatin1Char(']');
}

// The pattern as SQLite's GLOB of the lowered text, or as SQL Server's LIKE; empty where it cannot be.
QString bracketPattern(const QList<Piece>& pieces, bool glob) {
    QString out;
    for (const Piece& p : pieces) {
        switch (p.kind) {
        case Piece::Any:
            out += glob ? QLatin1Char('*') : QLatin1Char('%');
            break;
        case Piece::One:
            out += glob ? QLatin1Char('?') : QLatin1Char('_');
            break;
        case Piece::Digit:
            out += QStringLiteral("[0-9]");
            break;
        case Piece::Literal: {
            const QChar c = glob ? lowered(p.c) : p.c;
            const bool special = glob ? QStringLiteral("*?[").contains(c) : QStringLiteral("%_[").contains(c);
            out += special ? QLatin1Char('[') + c + QLatin1Char(']') : QString(c);
            break;
        }
        case Piece::List: {
            const QString list = bracketList(p, glob);
            if (list.isEmpty())
                return QString();
            out += list;
            break;
        }
        }
    }
    return out;
}

// A pattern of * and ? alone, and characters none of the servers' LIKEs treats specially.
QString plainPattern(const QList<Piece>& pieces) {
    QString out;
    for (const Piece& p : pieces) {
        if (p.kind == Piece::Any)
            out += QLatin1Char('%');
        else if (p.kind == Piece::One)
            out += QLatin1Char('_');
        else if (p.kind == Piece::Literal && !QStringLiteral("%_[\\").contains(p.c))
            out += p.c;
        else
            return QString();
    }
    return out;
}

Sql condition(QString text, const Sql& value) {
    Sql sql;
    sql.text = std::move(text);
    sql.type = ValueType::Boolean;
    sql.notNull = value.notNull;
    sql.predicate = true;
    return sql;
}

} // namespace

SqlOrReason likeCondition(const TargetDialect& d, const Sql& value, const QString& pattern) {
    const std::optional<QList<Piece>> parts = pieces(pattern);
    const QString why = QStringLiteral("the LIKE pattern \"%1\"").arg(pattern);
    if (!parts)
        return why;
    const QString plain = plainPattern(*parts);
    const PatternSpellings& spellings = d.functions->patterns;
    // Access compares without regard to case, as the servers' LIKE (PostgreSQL's ILIKE) does.
    if (!plain.isEmpty() || pattern.isEmpty())
        return condition(operand(value) + QLatin1String(spellings.like) + textLiteral(d, plain), value);
    if (spellings.regexMatch) {
        const QString expression = QString::fromUtf8(spellings.regexAnchors).arg(regex(*parts));
        return condition(
            QString::fromUtf8(spellings.regexMatch).arg(operand(value), textLiteral(d, expression)), value);
    }
    const QString bracketed = bracketPattern(*parts, spellings.glob);
    if (bracketed.isEmpty())
        return why;
    if (spellings.glob)
        return condition(QStringLiteral("lower(%1) GLOB %2").arg(value.text, textLiteral(d, bracketed)),
                         value);
    return condition(operand(value) + QStringLiteral(" LIKE ") + textLiteral(d, bracketed), value);
}
