#pragma once
// A migration: the complete script's plan carried out on a live connection instead of written. The tables
// first, then their rows in the same batches and the same value forms as the script with rows (PostgreSQL's
// COPY text, the INSERT literals of MySQL and SQLite), then the indexes, the foreign keys and the counters,
// and last the count of what the target holds, table by table.
//
// Safety: the target is asked for its tables before anything is made, and a table of the same name is
// never touched unless replacing was asked for. PostgreSQL and SQLite take the whole migration in one
// transaction, so that a failure or a stop leaves the target as it was; MySQL commits each CREATE TABLE as
// it goes, so a failed migration drops again the tables it made.

#include "ConversionOptions.h"
#include "ConversionRun.h"
#include "DataScript.h"
#include "TargetAddress.h"

#include <QList>
#include <QStringList>

class SchemaReader;
class WindowOps;

struct MigrationRequest {
    TargetAddress address{};
    QString password{};   // empty: the client library's own ways
    QStringList tables{}; // only these (Access names); empty: every table
    bool replace = false; // drop and make again the target's tables of the same names
    bool verify = false;  // read every row back after the load and compare it with what was sent
};

struct TableCount {
    QString name{};   // in the target
    qint64 read = 0;  // rows read from the file and sent
    qint64 held = -1; // rows the target holds after the load; -1: not counted
    enum class Values {
        NotChecked,
        Same,      // the rows read back are the rows sent, value for value
        Different, // some row read back is not one that was sent
    };
    Values values = Values::NotChecked;
};

struct MigrationReport {
    enum class Ending {
        Done,         // every table loaded and counted (see run for tables partly read)
        Unreadable,   // the database or a table asked for could not be read: nothing was sent
        NotConnected, // the target refused the connection
        TablesExist,  // the target has tables of the same names: nothing was made
        Failed,       // the target refused a statement or went away
        Stopped,      // the caller stopped it
    };
    Ending ending = Ending::Done;
    RunOutcome run{};            // the reading of the file
    QString target{};            // the address, without anything secret
    QString server{};            // what the server said it is
    QString failure{};           // the target's message
    QStringList existing{};      // the target's tables of the same names
    QStringList replaced{};      // dropped and made again
    QStringList dropped{};       // MySQL: made by the run and dropped again after a failure
    bool rolledBack = false;     // PostgreSQL and SQLite: the transaction was rolled back (a sync into
                                 // MySQL: its row changes, and the tables it made dropped)
    QStringList missingTables{}; // asked for by name but not in the database
    QStringList warnings{};      // values the target cannot hold, tables whose rows could not all be read
    QStringList leftOut{};     // complex columns whose values were not sent, with how many (LeftOutValues.h)
    QString queries{};         // what the saved queries became: "3 views, 1 function, ..." (QueryViews.h)
    int views = 0;             // of those, the views
    QStringList queriesLeft{}; // each query left out of the target: "NAME: why"
    QString rules{};           // the validation rules carried over (ValidationChecks.h)
    QStringList rulesLeft{};   // each rule left out: "TABLE.COLUMN: rule: why"
    QList<TableCount> tables{};
    bool verified = false; // the rows were read back and compared

    // Every table counted, and every count what was sent.
    bool countsAgree() const {
        for (const TableCount& t : tables)
            if (t.held != t.read)
                return false;
        return true;
    }
    // Where the rows were read back: every table's rows the rows sent.
    bool valuesAgree() const {
        for (const TableCount& t : tables)
            if (verified && t.values != TableCount::Values::Same)
                return false;
        return true;
    }
};

MigrationReport runMigration(const ConversionOptions& options, const MigrationRequest& request,
                             WindowOps& window, SchemaReader& reader, const RowProgress& progress);

// The report as a table of plain text: one line a table, then the total, then what went wrong.
QString reportText(const MigrationReport& report);
