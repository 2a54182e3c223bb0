#include "RuleLike.h"

#include <utility>
#include <vector>

namespace {

struct Range {
    QChar low, high;
};

struct Element {
    enum class Kind { Any, One, Digit, Set, Literal } kind = Kind::Literal;
    QChar literal;
    std::vector<Range> set; // one character is a range of itself
    bool negated = false;
};

QChar folded(QChar c) {
    return c.unicode() < 128 ? c.toLower() : c.toCaseFolded();
}

bool ascii(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 128)
            return false;
    return true;
}

bool asciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool asciiLetter(QChar c) {
    const QChar l = c.toLower();
    return l >= QLatin1Char('a') && l <= QLatin1Char('z');
}

// The pattern's elements; none when it is malformed or holds a range other than of ASCII letters or digits.
std::optional<std::vector<Element>> elements(const QString& pattern) {
    std::vector<Element> out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        Element e;
        const QChar c = pattern[i];
        if (c == QLatin1Char('*')) {
            e.kind = Element::Kind::Any;
        } else if (c == QLatin1Char('?')) {
            e.kind = Element::Kind::One;
        } else if (c == QLatin1Char('#')) {
            e.kind = Element::Kind::Digit;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = pattern.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0)
                return std::nullopt;
            QString inside = pattern.mid(i + 1, close - i - 1);
            i = close;
            e.kind = Element::Kind::Set;
            if (inside.size() > 1 && inside.front() == QLatin1Char('!')) {
                e.negated = true;
                inside.remove(0, 1);
            }
            if (inside.isEmpty())
                return std::nullopt;
            for (qsizetype k = 0; k < inside.size(); ++k) {
                if (k + 2 < inside.size() && inside[k + 1] == QLatin1Char('-')) {
                    const QChar low = inside[k], high = inside[k + 2];
                    const bool digits = asciiDigit(low) && asciiDigit(high);
                    const bool letters = asciiLetter(low) && asciiLetter(high);
                    if (!digits && !letters)
                        return std::nullopt;
                    e.set.push_back({folded(low), folded(high)});
                    k += 2;
                } else {
                    e.set.push_back({folded(inside[k]), folded(inside[k])});
                }
            }
        } else {
            e.literal = folded(c);
        }
        out.push_back(std::move(e));
    }
    return out;
}

bool matchesOne(const Element& e, QChar c) {
    switch (e.kind) {
    case Element::Kind::One:
        return true;
    case Element::Kind::Digit:
        return asciiDigit(c);
    case Element::Kind::Literal:
        return folded(c) == e.literal;
    case Element::Kind::Set: {
        const QChar f = folded(c);
        bool in = false;
        for (const Range& r : e.set)
            in = in || (f >= r.low && f <= r.high);
        return in != e.negated;
    }
    case Element::Kind::Any:
        break;
    }
    return false;
}

} // namespace

std::optional<bool> likeMatches(const QString& text, const QString& pattern) {
    const std::optional<std::vector<Element>> parts = elements(pattern);
    if (!parts)
        return std::nullopt;
    // Whether the elements from i on match the text from j on, a row per element filled from the ends
    // backwards: row i needs only row i + 1 and itself.
    const std::size_t n = parts->size(), m = std::size_t(text.size());
    if (double(n) * double(m) > 1e8)
        return std::nullopt; // a pattern over a long memo: not worth the time it would take here
    std::vector<char> next(m + 1, 0), row(m + 1, 0);
    next[m] = 1;
    for (std::size_t i = n; i-- > 0;) {
        const Element& e = (*parts)[i];
        for (std::size_t j = m + 1; j-- > 0;) {
            if (e.kind == Element::Kind::Any)
                row[j] = next[j] || (j < m && row[j + 1]);
            else
                row[j] = j < m && matchesOne(e, text[qsizetype(j)]) && next[j + 1];
        }
        std::swap(row, next);
    }
    if (next[0])
        return true;
    if (!ascii(text) || !ascii(pattern))
        return std::nullopt;
    return false;
}
