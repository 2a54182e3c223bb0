#pragma once
// The report of a synchronization in the migration dialog's table: a row a table with its rows in the file,
// inserted, updated, deleted and unchanged (and with the rows read back, whether the values are the file's),
// then the total.

#include <QStringList>

class QTableWidget;
struct SyncReport;

// Fills the table, and gives the lines of the report that follow its table of counts.
QStringList showSyncReport(QTableWidget& table, const SyncReport& report);
