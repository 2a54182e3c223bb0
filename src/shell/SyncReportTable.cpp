#include "SyncReportTable.h"

#include "Sync.h"

#include <QTableWidget>

QStringList showSyncReport(QTableWidget& table, const SyncReport& report) {
    QStringList headers{QStringLiteral("Table"),    QStringLiteral("Rows in file"),
                        QStringLiteral("Inserted"), QStringLiteral("Updated"),
                        QStringLiteral("Deleted"),  QStringLiteral("Unchanged")};
    if (report.run.verified)
        headers << QStringLiteral("Values");
    table.setRowCount(0);
    table.setColumnCount(int(headers.size()));
    table.setHorizontalHeaderLabels(headers);
    const auto row = [&table](const QString& name, const QList<qint64>& counts, const QString& values) {
        const int r = table.rowCount();
        table.insertRow(r);
        table.setItem(r, 0, new QTableWidgetItem(name));
        for (int c = 0; c < counts.size(); ++c) {
            auto* item = new QTableWidgetItem(QString::number(counts[c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table.setItem(r, c + 1, item);
        }
        if (table.columnCount() > 6)
            table.setItem(r, 6, new QTableWidgetItem(values));
    };
    QList<qint64> total(5, 0);
    const QList<TableSync> counted = report.countsStand() ? report.tables : QList<TableSync>();
    for (const TableSync& t : counted) {
        const QList<qint64> counts{t.inFile, t.inserted, t.updated, t.deleted, t.unchanged()};
        for (int c = 0; c < 5; ++c)
            total[c] += counts[c];
        row(t.name, counts,
            t.values == TableCount::Values::Same        ? QStringLiteral("same")
            : t.values == TableCount::Values::Different ? QStringLiteral("DIFFERENT")
                                                        : QString());
    }
    if (!counted.isEmpty())
        row(QStringLiteral("Total"), total, {});
    QStringList tail = syncReportText(report).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    tail = tail.mid(counted.isEmpty() ? 0 : counted.size() + 2);
    if (!report.run.missingTables.isEmpty())
        tail << QStringLiteral("No table named %1 in the database.")
                    .arg(report.run.missingTables.join(QStringLiteral(", ")));
    return tail << report.run.warnings;
}
