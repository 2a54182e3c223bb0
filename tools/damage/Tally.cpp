#include "Tally.h"

#include <QTextStream>
#include <tuple>

namespace {

QString perThousand(qint64 count, qint64 total) {
    return total == 0 ? QStringLiteral("-") : QString::number(double(count) * 1000.0 / double(total), 'f', 2);
}

QString line(const QString& label, qint64 count, qint64 total, const QString& note = {}) {
    return QStringLiteral("  %1 %2 %3 per 1,000%4\n")
        .arg(label, -34)
        .arg(count, 7)
        .arg(perThousand(count, total), 8)
        .arg(note.isEmpty() ? QString() : QStringLiteral("   ") + note);
}

} // namespace

void Tally::add(const CaseRecord& record, bool keepable) {
    const CaseResult& result = record.result;
    ++copies_;
    KindCounts& kind = kinds_[record.kind];
    ++kind.copies;

    const CliOutcome a = result.accessSql.outcome;
    const CliOutcome t = result.tSql.outcome;
    if (a == CliOutcome::Script && t == CliOutcome::Script) {
        ++scripts_;
        ++kind.scripts;
    } else if (a == CliOutcome::ReadFailure && t == CliOutcome::ReadFailure) {
        ++readFailures_;
        ++kind.readFailures;
    } else if ((a == CliOutcome::Script || a == CliOutcome::ReadFailure) &&
               (t == CliOutcome::Script || t == CliOutcome::ReadFailure)) {
        ++mixed_;
    }
    for (const CliRun* run : {&result.accessSql, &result.tSql, &result.code}) {
        slowestMs_ = qMax(slowestMs_, run->milliseconds);
        switch (run->outcome) {
        case CliOutcome::Crash:
            ++cliCrashes_;
            break;
        case CliOutcome::Hang:
            ++hangs_;
            break;
        case CliOutcome::UnreportedFailure:
            ++unreported_;
            break;
        case CliOutcome::ReadFailure:
            ++failureNumbers_[run->message.section(QLatin1Char(' '), 0, 0)];
            break;
        case CliOutcome::Script:
            break;
        }
    }
    if (!result.strayFiles.isEmpty())
        ++filesWritten_;
    if (result.databaseChanged)
        ++changed_;
    if (result.probed) {
        ++readerFates_[readerFateName(result.probe)];
        if (result.probe.fate != ReaderFate::Answered)
            ++kind.contained;
    }

    const QString outcome = distinctOutcome(result);
    if (outcome.isEmpty())
        return;
    const KeptCase candidate{outcome, record.index, record.source, record.size, record.description, keepable};
    const auto rank = [](const KeptCase& c) { return std::tuple(!c.keepable, c.size, c.index); };
    auto it = kept_.find(outcome);
    if (it == kept_.end() || rank(candidate) < rank(*it))
        kept_[outcome] = candidate;
}

bool Tally::passed() const {
    return cliCrashes_ == 0 && hangs_ == 0 && unreported_ == 0 && filesWritten_ == 0 && changed_ == 0;
}

QString Tally::report() const {
    QString text;
    QTextStream out(&text);
    const qint64 runs = 2 * copies_;
    out << "Damaged copies: " << copies_ << " (each run in both dialects: " << runs
        << " runs of veltrane-cli)\n";
    out << line(QStringLiteral("script in both dialects"), scripts_, copies_);
    out << line(QStringLiteral("read failure reported in both"), readFailures_, copies_);
    out << line(QStringLiteral("script in one, read failure in other"), mixed_, copies_);
    for (auto it = failureNumbers_.cbegin(); it != failureNumbers_.cend(); ++it)
        out << line(QStringLiteral("  runs answered ") + it.key(), it.value(), runs,
                    QStringLiteral("(per run)"));
    out << "Must be zero:\n";
    out << line(QStringLiteral("veltrane-cli crashed (runs)"), cliCrashes_, runs);
    out << line(QStringLiteral("over time limit + margin (runs)"), hangs_, runs);
    out << line(QStringLiteral("failure without message (runs)"), unreported_, runs);
    out << line(QStringLiteral("file written outside stdout/stderr"), filesWritten_, copies_);
    out << line(QStringLiteral("database file changed"), changed_, copies_);
    out << "Slowest run: " << slowestMs_ << " ms\n";
    out << "Answered \"damaged\" (3049), the reader process asked directly:\n";
    for (auto it = readerFates_.cbegin(); it != readerFates_.cend(); ++it)
        out << line(it.key(), it.value(), copies_);
    out << "By damage (copies / script / read failure / reader crashed or out of time):\n";
    for (auto it = kinds_.cbegin(); it != kinds_.cend(); ++it)
        out << QStringLiteral("  %1 %2 %3 %4 %5\n")
                   .arg(damageKindName(it.key()), -20)
                   .arg(it->copies, 7)
                   .arg(it->scripts, 7)
                   .arg(it->readFailures, 7)
                   .arg(it->contained, 5);
    if (!kept_.isEmpty())
        out << "Smallest copy of each distinct outcome (make it again with --case N --out FILE):\n";
    for (const KeptCase& kept : kept_)
        out << QStringLiteral("  %1 copy %2 (%3 bytes, %4)\n")
                   .arg(kept.outcome, -34)
                   .arg(kept.index)
                   .arg(kept.size)
                   .arg(kept.keepable ? QStringLiteral("from a generated database")
                                      : QStringLiteral("from a database not our own: not kept"));
    out << (passed() ? "PASSED: no crash, no hang, nothing written, no database changed\n" : "FAILED\n");
    return text;
}
