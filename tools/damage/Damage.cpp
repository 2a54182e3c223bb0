#include "Damage.h"

#include "JetLayout.h"

#include <array>
#include <utility>

namespace {

// splitmix64: small, fast, and the same numbers on every platform and standard library.
class Random {
public:
    explicit Random(quint64 seed) : state_(seed) {}
    quint64 next() {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A number in [0, n); n > 0.
    qsizetype below(qsizetype n) { return qsizetype(next() % quint64(n)); }
    template <typename T> const T& pick(const QList<T>& items) { return items[below(items.size())]; }

private:
    quint64 state_;
};

constexpr std::array<char, 4> fillBytes{'\x00', '\xff', '\x7f', '\x80'};

// How often each kind is chosen, out of the sum of all weights.
constexpr std::array<std::pair<DamageKind, int>, 10> weights{{
    {DamageKind::BitFlips, 15},
    {DamageKind::OverwrittenBytes, 12},
    {DamageKind::TruncatedAtPage, 8},
    {DamageKind::TruncatedInPage, 7},
    {DamageKind::SwappedPages, 8},
    {DamageKind::ZeroedPage, 7},
    {DamageKind::Catalog, 15},
    {DamageKind::PropertyBlob, 12},
    {DamageKind::TableDefinition, 12},
    {DamageKind::Header, 4},
}};

DamageKind chooseKind(Random& random) {
    int total = 0;
    for (const auto& [kind, weight] : weights)
        total += weight;
    qsizetype roll = random.below(total);
    for (const auto& [kind, weight] : weights) {
        if (roll < weight)
            return kind;
        roll -= weight;
    }
    return DamageKind::BitFlips;
}

QString hex(qsizetype value) {
    return QStringLiteral("0x") + QString::number(value, 16);
}

// Overwrites 1..maxRun bytes inside [begin, end) with one of the fill bytes; returns what it did.
QString overwriteRun(QByteArray& bytes, qsizetype begin, qsizetype end, qsizetype maxRun, Random& random) {
    const qsizetype span = end - begin;
    const qsizetype run = 1 + random.below(qMin(maxRun, span));
    const qsizetype at = begin + random.below(span - run + 1);
    const char fill = fillBytes[random.below(fillBytes.size())];
    for (qsizetype i = 0; i < run; ++i)
        bytes[at + i] = fill;
    return QStringLiteral("%1 x %2 at %3").arg(run).arg(hex(quint8(fill))).arg(hex(at));
}

// Damages some bytes of one page: mostly runs of fill bytes, sometimes random bytes or single bits.
QString hitPage(QByteArray& bytes, int page, int pageSize, Random& random) {
    const qsizetype begin = qsizetype(page) * pageSize;
    const qsizetype end = qMin(begin + pageSize, bytes.size());
    QStringList done;
    const int hits = 1 + int(random.below(3));
    for (int i = 0; i < hits; ++i) {
        switch (random.below(3)) {
        case 0: {
            const qsizetype at = begin + random.below(end - begin);
            bytes[at] = char(random.next());
            done << QStringLiteral("random byte at %1").arg(hex(at));
            break;
        }
        case 1: {
            const qsizetype at = begin + random.below(end - begin);
            bytes[at] = char(bytes[at] ^ (1 << random.below(8)));
            done << QStringLiteral("bit at %1").arg(hex(at));
            break;
        }
        default:
            done << overwriteRun(bytes, begin, end, 8, random);
        }
    }
    return done.join(QStringLiteral(", "));
}

QString flipBits(QByteArray& bytes, Random& random) {
    QStringList done;
    const int flips = 1 + int(random.below(8));
    for (int i = 0; i < flips; ++i) {
        const qsizetype at = random.below(bytes.size());
        bytes[at] = char(bytes[at] ^ (1 << random.below(8)));
        done << hex(at);
    }
    return QStringLiteral("bits flipped at ") + done.join(QStringLiteral(", "));
}

QString overwrite(QByteArray& bytes, Random& random) {
    QStringList done;
    const int runs = 1 + int(random.below(3));
    for (int i = 0; i < runs; ++i)
        done << overwriteRun(bytes, 0, bytes.size(), 32, random);
    return QStringLiteral("overwritten: ") + done.join(QStringLiteral(", "));
}

QString truncateAtPage(QByteArray& bytes, const JetLayout& layout, Random& random) {
    const int pages = int(random.below(layout.pageCount));
    bytes.truncate(qsizetype(pages) * layout.pageSize);
    return QStringLiteral("cut after %1 of %2 pages").arg(pages).arg(layout.pageCount);
}

QString truncateInPage(QByteArray& bytes, Random& random) {
    qsizetype size = random.below(bytes.size());
    // Half of the cuts fall just before or after a page boundary of either page size.
    if (random.below(2) == 0)
        size = qBound<qsizetype>(0, (size & ~qsizetype(2047)) + (random.below(2) ? 1 : -1), bytes.size() - 1);
    bytes.truncate(size);
    return QStringLiteral("cut at byte %1").arg(size);
}

QString swapPages(QByteArray& bytes, const JetLayout& layout, Random& random) {
    const int a = int(random.below(layout.pageCount));
    int b = int(random.below(layout.pageCount));
    if (a == b)
        b = (b + 1) % layout.pageCount;
    const QByteArray pageA = bytes.mid(qsizetype(a) * layout.pageSize, layout.pageSize);
    bytes.replace(qsizetype(a) * layout.pageSize, layout.pageSize,
                  bytes.mid(qsizetype(b) * layout.pageSize, layout.pageSize));
    bytes.replace(qsizetype(b) * layout.pageSize, layout.pageSize, pageA);
    return QStringLiteral("pages %1 and %2 swapped").arg(a).arg(b);
}

QString zeroPage(QByteArray& bytes, const JetLayout& layout, Random& random) {
    const int page = int(random.below(layout.pageCount));
    bytes.replace(qsizetype(page) * layout.pageSize, layout.pageSize, QByteArray(layout.pageSize, '\0'));
    return QStringLiteral("page %1 zeroed").arg(page);
}

QString hitPropertyBlob(QByteArray& bytes, const JetLayout& layout, Random& random) {
    const qsizetype blob = random.pick(layout.propertyBlobs);
    // Property blobs are short; the damage lands in the first few hundred bytes after the signature, where
    // the name pool and the first property chunks lie.
    const qsizetype begin = blob + 4;
    const qsizetype end = qMin(bytes.size(), begin + 256);
    if (begin >= end)
        return overwrite(bytes, random);
    QString done;
    if (random.below(2) == 0) {
        done = overwriteRun(bytes, begin, end, 4, random);
    } else {
        const qsizetype at = begin + random.below(end - begin);
        bytes[at] = char(random.next());
        done = QStringLiteral("random byte at %1").arg(hex(at));
    }
    return QStringLiteral("property blob at %1: %2").arg(hex(blob), done);
}

QString hitHeader(QByteArray& bytes, Random& random) {
    // The header page past the signature: version, then the encrypted block with code page, collation,
    // database key.
    const qsizetype begin = 0x14;
    const qsizetype end = qMin<qsizetype>(bytes.size(), 0x100);
    if (begin >= end)
        return overwrite(bytes, random);
    return QStringLiteral("header: ") + overwriteRun(bytes, begin, end, 4, random);
}

QString applyDamage(DamageKind kind, QByteArray& bytes, const JetLayout& layout, Random& random) {
    switch (kind) {
    case DamageKind::BitFlips:
        return flipBits(bytes, random);
    case DamageKind::OverwrittenBytes:
        return overwrite(bytes, random);
    case DamageKind::TruncatedAtPage:
        return truncateAtPage(bytes, layout, random);
    case DamageKind::TruncatedInPage:
        return truncateInPage(bytes, random);
    case DamageKind::SwappedPages:
        return swapPages(bytes, layout, random);
    case DamageKind::ZeroedPage:
        return zeroPage(bytes, layout, random);
    case DamageKind::Catalog: {
        const int page = random.pick(layout.catalogPages);
        return QStringLiteral("catalog page %1: ").arg(page) + hitPage(bytes, page, layout.pageSize, random);
    }
    case DamageKind::PropertyBlob:
        return hitPropertyBlob(bytes, layout, random);
    case DamageKind::TableDefinition: {
        const int page = random.pick(layout.tableDefPages);
        return QStringLiteral("table definition page %1: ").arg(page) +
               hitPage(bytes, page, layout.pageSize, random);
    }
    case DamageKind::Header:
        return hitHeader(bytes, random);
    }
    return {};
}

// Whether the file has what the kind aims at.
bool fits(DamageKind kind, const JetLayout& layout) {
    switch (kind) {
    case DamageKind::TruncatedAtPage:
    case DamageKind::SwappedPages:
    case DamageKind::ZeroedPage:
        return layout.pageCount >= 2;
    case DamageKind::Catalog:
        return !layout.catalogPages.isEmpty();
    case DamageKind::PropertyBlob:
        return !layout.propertyBlobs.isEmpty();
    case DamageKind::TableDefinition:
        return !layout.tableDefPages.isEmpty();
    default:
        return true;
    }
}

} // namespace

QString damageKindName(DamageKind kind) {
    switch (kind) {
    case DamageKind::BitFlips:
        return QStringLiteral("bit-flips");
    case DamageKind::OverwrittenBytes:
        return QStringLiteral("overwritten-bytes");
    case DamageKind::TruncatedAtPage:
        return QStringLiteral("truncated-at-page");
    case DamageKind::TruncatedInPage:
        return QStringLiteral("truncated-in-page");
    case DamageKind::SwappedPages:
        return QStringLiteral("swapped-pages");
    case DamageKind::ZeroedPage:
        return QStringLiteral("zeroed-page");
    case DamageKind::Catalog:
        return QStringLiteral("catalog");
    case DamageKind::PropertyBlob:
        return QStringLiteral("property-blob");
    case DamageKind::TableDefinition:
        return QStringLiteral("table-definition");
    case DamageKind::Header:
        return QStringLiteral("header");
    }
    return {};
}

QStringList damageKindNames() {
    QStringList names;
    for (const auto& [kind, weight] : weights)
        names << damageKindName(kind);
    return names;
}

DamagedCopy damageCopy(const QByteArray& source, quint64 seed) {
    Random random(seed);
    DamagedCopy copy;
    copy.bytes = source;
    if (source.isEmpty()) {
        copy.description = QStringLiteral("empty source");
        return copy;
    }
    const JetLayout layout = readJetLayout(source);
    copy.kind = chooseKind(random);
    if (!fits(copy.kind, layout))
        copy.kind = DamageKind::OverwrittenBytes;
    copy.description = applyDamage(copy.kind, copy.bytes, layout, random);
    return copy;
}

quint64 caseSeed(quint64 runSeed, quint64 index) {
    Random mix(runSeed ^ (index * 0xD1B54A32D192ED03ull));
    return mix.next();
}
