#pragma once
// The report of a batch migration: a line a database with what its migration put into the target, and
// the worst of their exit statuses. Each database's migration (its own process) hands its counts over as
// one line in a file of its own.

#include <QList>
#include <QString>

struct MigrationReport;

struct BatchLine {
    QString database{}; // the file
    QString space{};    // its namespace in the target
    int tables = -1;    // -1: nothing migrated (a failure, rolled back), or no count to tell
    qint64 rows = 0;    // rows the target holds
    int views = 0;
    bool verified = false;
    int status = 0; // its migration's exit status
};

// The counts of a migration as its one line: "tables rows views verified", separated by tabs.
QString summaryLine(const MigrationReport& report);
// The counts of summaryLine into the batch's line; false when the text is none.
bool readSummaryLine(const QString& text, BatchLine& line);

// The highest exit status: a database that could not be read (65) is not as bad as one the target
// refused (70) or one whose tables were there already (73), or one without its password (77).
int worstStatus(const QList<BatchLine>& lines);

// The table of the lines, then "N databases into TARGET: M migrated, K failed".
QString batchReportText(const QList<BatchLine>& lines, const QString& target);
