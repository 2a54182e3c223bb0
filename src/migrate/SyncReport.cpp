// The report of a synchronization as a table of plain text: what veltrane-cli prints, and the lines under
// the window's table.
#include "Sync.h"

#include <algorithm>

QString syncReportText(const SyncReport& report) {
    const MigrationReport& run = report.run;
    QString text;
    if (report.countsStand()) {
        int width = 5;
        for (const TableSync& t : report.tables)
            width = std::max(width, int(t.name.size()));
        const auto line = [&](const QStringList& cells) {
            QString row = cells[0].leftJustified(width);
            for (int c = 1; c < 6; ++c)
                row += QStringLiteral("  ") + cells[c].rightJustified(c == 1 ? 12 : 10);
            for (int c = 6; c < cells.size(); ++c)
                row += QStringLiteral("  ") + cells[c];
            while (row.endsWith(QLatin1Char(' ')))
                row.chop(1);
            text += row + QLatin1Char('\n');
        };
        QStringList head{QStringLiteral("Table"),    QStringLiteral("Rows in file"),
                         QStringLiteral("Inserted"), QStringLiteral("Updated"),
                         QStringLiteral("Deleted"),  QStringLiteral("Unchanged")};
        if (run.verified)
            head << QStringLiteral("Values   ");
        line(head << QString());
        qint64 sums[5] = {};
        for (const TableSync& t : report.tables) {
            const qint64 counts[5] = {t.inFile, t.inserted, t.updated, t.deleted, t.unchanged()};
            QStringList cells{t.name};
            for (int c = 0; c < 5; ++c) {
                sums[c] += counts[c];
                cells << QString::number(counts[c]);
            }
            if (run.verified)
                cells << (t.values == TableCount::Values::Same        ? QStringLiteral("same     ")
                          : t.values == TableCount::Values::Different ? QStringLiteral("DIFFERENT")
                                                                      : QStringLiteral("-        "));
            cells << (t.how == TableSync::How::Replaced  ? QStringLiteral("replaced whole: no primary key")
                      : t.how == TableSync::How::Created ? QStringLiteral("new")
                                                         : QString());
            line(cells);
        }
        QStringList total{QStringLiteral("Total")};
        for (qint64 sum : sums)
            total << QString::number(sum);
        line(total);
    }
    if (!report.differences.isEmpty()) {
        text += QStringLiteral("%1 holds tables whose columns differ from the file's, so nothing was changed "
                               "(--replace with --table drops and makes such a table again):\n")
                    .arg(run.target);
        for (const QString& difference : report.differences)
            text += QStringLiteral("  ") + difference + QLatin1Char('\n');
        return text;
    }
    switch (run.ending) {
    case MigrationReport::Ending::Done:
        text += QStringLiteral("%1 tables synchronized with %2 (%3)\n")
                    .arg(report.tables.size())
                    .arg(run.target, run.server);
        if (run.verified) {
            QStringList differ;
            for (const TableSync& t : report.tables)
                if (t.values == TableCount::Values::Different)
                    differ << t.name;
            text += differ.isEmpty() ? QStringLiteral("Every table of the target holds the file's rows.\n")
                                     : QStringLiteral("The rows read back differ from the file's in: %1\n")
                                           .arg(differ.join(QStringLiteral(", ")));
        }
        if (!report.onlyInTarget.isEmpty())
            text += QStringLiteral("Only in the target, left alone: %1\n")
                        .arg(report.onlyInTarget.join(QStringLiteral(", ")));
        break;
    case MigrationReport::Ending::Unreadable:
        break;
    case MigrationReport::Ending::NotConnected:
        text += QStringLiteral("Cannot connect to %1: %2\n").arg(run.target, run.failure);
        break;
    case MigrationReport::Ending::TablesExist:
    case MigrationReport::Ending::Failed:
    case MigrationReport::Ending::Stopped:
        text += run.ending == MigrationReport::Ending::Stopped
                    ? QStringLiteral("Stopped.\n")
                    : QStringLiteral("%1 refused the synchronization: %2\n").arg(run.target, run.failure);
        if (run.rolledBack)
            text +=
                QStringLiteral("Nothing was changed: the synchronization's transaction was rolled back.\n");
        if (!run.dropped.isEmpty())
            text += QStringLiteral("The tables made were dropped again: %1\n")
                        .arg(run.dropped.join(QStringLiteral(", ")));
        break;
    }
    return text;
}
