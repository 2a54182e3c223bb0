#include "Shrink.h"

namespace {

// Never below two pages: shorter files never reach libmdb, so they show nothing worth keeping.
constexpr qsizetype minimumPages = 2;

} // namespace

QByteArray shrinkCopy(const QByteArray& bytes, const QString& outcome, const OutcomeOf& outcomeOf,
                      int pageSize, const QDeadlineTimer& budget) {
    QByteArray best = bytes;
    const auto keeps = [&](const QByteArray& candidate) {
        return !budget.hasExpired() && outcomeOf(candidate) == outcome;
    };

    // Cut: the fewest whole pages (plus the tail of a cut inside a page) that keep the outcome, by halving.
    qsizetype low = minimumPages;
    qsizetype high = best.size() / pageSize;
    while (low < high && !budget.hasExpired()) {
        const qsizetype middle = (low + high) / 2;
        if (keeps(best.left(middle * pageSize)))
            high = middle;
        else
            low = middle + 1;
    }
    if (high * pageSize < best.size() && keeps(best.left(high * pageSize)))
        best.truncate(high * pageSize);

    // Zero every page (but the header) that the outcome does not need.
    const QByteArray zeros(pageSize, '\0');
    for (qsizetype page = best.size() / pageSize - 1; page >= 1 && !budget.hasExpired(); --page) {
        QByteArray candidate = best;
        candidate.replace(page * pageSize, pageSize, zeros);
        if (candidate != best && keeps(candidate))
            best = candidate;
    }
    return best;
}
