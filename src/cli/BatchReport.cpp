#include "BatchReport.h"

#include "Migration.h"

#include <algorithm>

QString summaryLine(const MigrationReport& report) {
    qint64 rows = 0;
    for (const TableCount& t : report.tables)
        rows += std::max<qint64>(t.held, 0);
    return QStringLiteral("%1\t%2\t%3\t%4\n")
        .arg(report.tables.size())
        .arg(rows)
        .arg(report.views)
        .arg(report.verified && report.valuesAgree() ? 1 : 0);
}

bool readSummaryLine(const QString& text, BatchLine& line) {
    const QStringList fields = text.trimmed().split(QLatin1Char('\t'));
    if (fields.size() != 4)
        return false;
    bool ok[3] = {};
    line.tables = fields[0].toInt(&ok[0]);
    line.rows = fields[1].toLongLong(&ok[1]);
    line.views = fields[2].toInt(&ok[2]);
    line.verified = fields[3] == QLatin1String("1");
    if (ok[0] && ok[1] && ok[2])
        return true;
    line.tables = -1;
    return false;
}

int worstStatus(const QList<BatchLine>& lines) {
    int worst = 0;
    for (const BatchLine& line : lines)
        worst = std::max(worst, line.status);
    return worst;
}

QString batchReportText(const QList<BatchLine>& lines, const QString& target) {
    int databaseWidth = 8;
    int spaceWidth = 4;
    for (const BatchLine& line : lines) {
        databaseWidth = std::max(databaseWidth, int(line.database.size()));
        spaceWidth = std::max(spaceWidth, int(line.space.size()));
    }
    const auto row = [&](const QString& database, const QString& space, const QString& tables,
                         const QString& rows, const QString& views, const QString& verified,
                         const QString& status) {
        return database.leftJustified(databaseWidth) + QStringLiteral("  ") +
               space.leftJustified(spaceWidth) + QStringLiteral("  ") + tables.rightJustified(6) +
               QStringLiteral("  ") + rows.rightJustified(12) + QStringLiteral("  ") +
               views.rightJustified(5) + QStringLiteral("  ") + verified.leftJustified(8) +
               QStringLiteral("  ") + status.rightJustified(4) + QLatin1Char('\n');
    };
    QString text = row(QStringLiteral("Database"), QStringLiteral("Into"), QStringLiteral("Tables"),
                       QStringLiteral("Rows"), QStringLiteral("Views"), QStringLiteral("Verified"),
                       QStringLiteral("Exit"));
    int migrated = 0;
    for (const BatchLine& line : lines) {
        const bool counted = line.tables >= 0;
        const QString none = QStringLiteral("-");
        text += row(line.database, line.space, counted ? QString::number(line.tables) : none,
                    counted ? QString::number(line.rows) : none, counted ? QString::number(line.views) : none,
                    counted ? (line.verified ? QStringLiteral("yes") : QStringLiteral("no")) : none,
                    QString::number(line.status));
        migrated += line.status == 0 ? 1 : 0;
    }
    text += QStringLiteral("%1 databases into %2: %3 ended with status 0, %4 did not; exit status %5\n")
                .arg(lines.size())
                .arg(target)
                .arg(migrated)
                .arg(lines.size() - migrated)
                .arg(worstStatus(lines));
    return text;
}
