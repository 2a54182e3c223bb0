// The report of a migration as a table of plain text: what veltrane-cli prints, and the lines under the
// window's table.
#include "Migration.h"

#include <algorithm>

QString reportText(const MigrationReport& report) {
    QString text;
    if (!report.tables.isEmpty()) {
        int width = 5;
        for (const TableCount& t : report.tables)
            width = std::max(width, int(t.name.size()));
        // With the rows read back, a column says whether they are the rows sent.
        const auto line = [&](const QString& name, const QString& read, const QString& held,
                              const QString& values, const QString& note) {
            text += name.leftJustified(width) + QStringLiteral("  ") + read.rightJustified(12) +
                    QStringLiteral("  ") + held.rightJustified(12) +
                    (report.verified ? QStringLiteral("  ") + values.leftJustified(9) : QString()) + note;
            while (text.endsWith(QLatin1Char(' ')))
                text.chop(1);
            text += QLatin1Char('\n');
        };
        line(QStringLiteral("Table"), QStringLiteral("Rows read"), QStringLiteral("In target"),
             QStringLiteral("Values"), {});
        qint64 read = 0;
        qint64 held = 0;
        for (const TableCount& t : report.tables) {
            read += t.read;
            held += std::max<qint64>(t.held, 0);
            const QString note = t.held != t.read ? QStringLiteral("  DIFFERENT") : QString();
            const QString values = t.values == TableCount::Values::Same        ? QStringLiteral("same")
                                   : t.values == TableCount::Values::Different ? QStringLiteral("DIFFERENT")
                                                                               : QStringLiteral("-");
            line(t.name, QString::number(t.read), t.held < 0 ? QStringLiteral("-") : QString::number(t.held),
                 values, note);
        }
        line(QStringLiteral("Total"), QString::number(read), QString::number(held), {}, {});
    }
    if (!report.replaced.isEmpty())
        text += QStringLiteral("Replaced: %1\n").arg(report.replaced.join(QStringLiteral(", ")));
    switch (report.ending) {
    case MigrationReport::Ending::Done:
        text += QStringLiteral("%1 tables migrated into %2 (%3)\n")
                    .arg(report.tables.size())
                    .arg(report.target, report.server);
        if (report.verified) {
            QStringList differ;
            for (const TableCount& t : report.tables)
                if (t.values == TableCount::Values::Different)
                    differ << t.name;
            text += differ.isEmpty()
                        ? QStringLiteral("Every row read back from the target is a row that was sent.\n")
                        : QStringLiteral("The rows read back differ from the rows sent in: %1\n")
                              .arg(differ.join(QStringLiteral(", ")));
        }
        if (!report.queries.isEmpty())
            text += QStringLiteral("Saved queries: %1\n").arg(report.queries);
        for (const QString& left : report.queriesLeft)
            text += QStringLiteral("Saved query not carried over, %1\n").arg(left);
        if (!report.rules.isEmpty())
            text += QStringLiteral("Validation rules: %1\n").arg(report.rules);
        for (const QString& left : report.rulesLeft)
            text += QStringLiteral("Validation rule not carried over, %1\n").arg(left);
        // What was never sent, so that a count that agrees is not taken for the whole database.
        for (const QString& left : report.leftOut)
            text += left + QLatin1Char('\n');
        break;
    case MigrationReport::Ending::Unreadable:
        break;
    case MigrationReport::Ending::NotConnected:
        text += QStringLiteral("Cannot connect to %1: %2\n").arg(report.target, report.failure);
        break;
    case MigrationReport::Ending::TablesExist:
        text += QStringLiteral("%1 already holds tables of these names, so nothing was made (--replace drops "
                               "and makes them again): %2\n")
                    .arg(report.target, report.existing.join(QStringLiteral(", ")));
        break;
    case MigrationReport::Ending::Failed:
    case MigrationReport::Ending::Stopped:
        text += report.ending == MigrationReport::Ending::Stopped
                    ? QStringLiteral("Stopped.\n")
                    : QStringLiteral("%1 refused the migration: %2\n").arg(report.target, report.failure);
        if (report.rolledBack)
            text += QStringLiteral("Nothing was kept: the migration's transaction was rolled back.\n");
        if (!report.dropped.isEmpty())
            text += QStringLiteral("The tables made were dropped again: %1\n")
                        .arg(report.dropped.join(QStringLiteral(", ")));
        break;
    }
    return text;
}
