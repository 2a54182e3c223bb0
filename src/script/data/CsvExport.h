#pragma once
// The rows of every table the run writes as CSV files, one a table, in a folder: RFC 4180 in UTF-8, a header
// row of the column names, CR LF line ends, NULL an empty field and an empty text "", binary as hex, dates as
// ISO 8601. Each file is written beside its name and renamed into place when complete.

#include "DataScript.h"

struct CsvOutcome {
    RunOutcome run;            // PartlyRead when some rows could not be read
    QStringList missingTables; // asked for by name but not in the database: nothing was written
    QString unwritten;         // the file that could not be written; empty when every one was
    QString unwrittenReason;   // the system's reason for it ("No space left on device")
    QStringList files;         // written, in the order of the tables
    QStringList warnings;
    qint64 rows = 0;
};

CsvOutcome runCsvExport(const ConversionOptions& options, const DataRequest& request, WindowOps& window,
                        SchemaReader& reader, const QString& folder, const RowProgress& progress);

// A name as a file name: no separators, no control or reserved characters, no leading dot, unique among the
// names given before without regard to case, the extension (".csv") at the end.
QString safeFileName(const QString& name, const QString& extension, QStringList& taken);

// A table's name as a file name: no separators, no control or reserved characters, no leading dot, unique
// among the names given before without regard to case, ".csv" at the end.
QString csvFileName(const QString& table, QStringList& taken);
