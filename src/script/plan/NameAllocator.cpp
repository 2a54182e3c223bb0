#include "NameAllocator.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

char16_t lowerAscii(char16_t u) {
    return u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
}

// A UTF-16 code unit never takes more than three bytes of UTF-8: most names need no counting.
bool fits(const QString& name, int limit, bool inBytes, int room) {
    return limit <= 0 || name.size() * (inBytes ? 3 : 1) <= limit - room;
}

} // namespace

QString NameAllocator::allocate(const QString& base) {
    QString name = cut(base, 0);
    if (!insert(folded(name))) {
        // Names are only ever added, so the suffixes tried for this base before are still taken: the search
        // goes on after the one given last time instead of from "_2" (a name shared by a thousand tables'
        // indexes would otherwise cost a million tries).
        int& n = nextSuffix_[base];
        for (n = std::max(n, 2);; ++n) {
            const QString suffix = QLatin1Char('_') + QString::number(n);
            name = cut(base, int(suffix.size())) + suffix;
            if (insert(folded(name)))
                break;
        }
        ++n;
    }
    return name;
}

bool NameAllocator::keepsAsTheyAre(int limit, bool inBytes, const QList<ColumnDefinition>& columns) {
    constexpr qsizetype most = 64; // names, so up to about 2,000 pairs
    if (columns.size() > most)
        return false;
    // A hash of each lowered name (FNV-1a): only names of the same hash are compared unit by unit.
    std::array<std::uint32_t, most> hashes{};
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString& name = columns[i].name;
        if (!fits(name, limit, inBytes, 0))
            return false;
        std::uint32_t hash = 2166136261u;
        const QStringView units(name);
        for (qsizetype k = 0; k < units.size(); ++k) {
            const char16_t u = units.utf16()[k];
            if (u >= 0x80)
                return false;
            hash = (hash ^ lowerAscii(u)) * 16777619u;
        }
        hashes[std::size_t(i)] = hash;
    }
    const auto sameAscii = [](const QString& a, const QString& b) {
        const QStringView x(a);
        const QStringView y(b);
        return x.size() == y.size() &&
               std::equal(x.utf16(), x.utf16() + x.size(), y.utf16(),
                          [](char16_t p, char16_t q) { return lowerAscii(p) == lowerAscii(q); });
    };
    for (qsizetype i = 0; i < columns.size(); ++i)
        for (qsizetype j = i + 1; j < columns.size(); ++j)
            if (hashes[std::size_t(i)] == hashes[std::size_t(j)] &&
                sameAscii(columns[i].name, columns[j].name))
                return false;
    return true;
}

// The name's case-folded form; Unicode folding costs a hundred times what ASCII lowering does, and nearly
// every name is ASCII.
QString NameAllocator::folded(const QString& name) {
    const auto* from = reinterpret_cast<const char16_t*>(name.utf16());
    const qsizetype size = name.size();
    if (std::any_of(from, from + size, [](char16_t u) { return u >= 0x80; }))
        return name.toCaseFolded();
    QString lowered(size, Qt::Uninitialized);
    char16_t* to = reinterpret_cast<char16_t*>(lowered.data());
    for (qsizetype i = 0; i < size; ++i)
        to[i] = lowerAscii(from[i]);
    return lowered;
}

QString NameAllocator::cut(QString name, int room) const {
    if (fits(name, limit_, inBytes_, room))
        return name;
    const auto length = [this](const QString& s) {
        return inBytes_ ? int(s.toUtf8().size()) : int(s.size());
    };
    while (!name.isEmpty() && length(name) > limit_ - room) {
        name.chop(1);
        if (!name.isEmpty() && name.back().isHighSurrogate()) // never half a character
            name.chop(1);
    }
    return name;
}
