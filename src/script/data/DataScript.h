#pragma once
// The complete script with every row, laid out as dump tools lay it out: the tables, then their rows, then
// the indexes, the foreign keys and the counters, so that the load is fast and no key is checked row by row.
// The rows stream through from the reader to the sink a batch at a time; nothing holds a table's rows.

#include "ConversionOptions.h"
#include "ConversionRun.h"

#include <QStringList>
#include <functional>
#include <string_view>

class CompleteScript;
class SchemaReader;
class WindowOps;
struct TargetDialect;

struct DataRequest {
    bool schema = true; // false: only the rows, for tables made before with the same options
    QStringList tables; // only these tables (Access names, without regard to case); empty: every table
};

// Where the script goes, in UTF-8 with CR LF line ends; false when the bytes could not be written.
using ByteSink = std::function<bool(std::string_view utf8)>;
// Called as the rows of a table arrive: the table, its rows so far, and its place among the tables. An answer
// of false stops the run there (it ends as Stopped, with nothing more written).
using RowProgress = std::function<bool(const QString& table, qint64 rows, int tableNumber, int tableCount)>;

struct DataOutcome {
    RunOutcome run;            // as for a script; PartlyRead also when rows could not all be read
    bool written = true;       // false: the sink refused the script
    QStringList missingTables; // asked for by name but not in the database: nothing was written
    QStringList warnings;      // values a target cannot hold, tables whose rows could not all be read
    qint64 rows = 0;
};

// Reads the schema into the script and finishes its plan, with only the tables asked for. False when nothing
// is to be written: the database could not be read (run says how, and the window was told why) or a table
// asked for is not there (missingTables).
bool planChosenTables(CompleteScript& script, const ConversionOptions& options, const DataRequest& request,
                      WindowOps& window, SchemaReader& reader, RunOutcome& run, QStringList& missingTables);

DataOutcome runDataScript(const TargetDialect& dialect, const ConversionOptions& options,
                          const DataRequest& request, WindowOps& window, SchemaReader& reader,
                          const ByteSink& sink, const RowProgress& progress);
