#pragma once
// A synchronization: a target that an earlier migration of the same file made, brought up to date with the
// file, changing only the rows that differ. Each table's rows are loaded into a temporary table by the same
// bulk path a migration takes (COPY, LOAD DATA LOCAL, bound INSERTs), and the target's table is then
// changed by a few statements keyed on its primary key: the rows the file no longer has are deleted, the
// rows whose values differ are updated, the new keys are inserted. A table without a primary key is
// replaced whole; a table the target does not hold yet is made and loaded, and its foreign keys made after
// the rows; a table only the target holds is left alone.
//
// Safety: every table's columns are compared with the target's before anything changes, and a difference
// refuses the whole run. PostgreSQL and SQLite take it in one transaction; MySQL makes the new tables
// first (DDL commits there) and takes the row changes in one transaction. A row left referencing nothing
// refuses the run before the row changes commit (SyncOrphans.h).

#include "Migration.h"

struct TableSync {
    enum class How {
        Keyed,    // changed row by row on the primary key
        Replaced, // no primary key and other rows than the file's: emptied and loaded again
        Created,  // not in the target: made and loaded
    };
    QString name{}; // in the target
    How how = How::Keyed;
    qint64 inFile = 0;
    qint64 inserted = 0;
    qint64 updated = 0;
    qint64 deleted = 0;
    TableCount::Values values = TableCount::Values::NotChecked;

    qint64 unchanged() const { return how == How::Keyed ? inFile - inserted - updated : 0; }
};

struct SyncReport {
    MigrationReport run{};      // ending, target, server, failure, rollback, warnings, verified
    QList<TableSync> tables{};  // in the order of the file's tables, child tables after theirs
    QStringList differences{};  // "Table T: ..." for each table whose columns differ: nothing changed
    QStringList onlyInTarget{}; // tables the target holds and the file does not, left alone

    // The counts of the tables are what the target went through: not when its changes were all undone.
    bool countsStand() const { return !tables.isEmpty() && !run.rolledBack; }

    bool valuesAgree() const {
        for (const TableSync& t : tables)
            if (run.verified && t.values != TableCount::Values::Same)
                return false;
        return true;
    }
};

SyncReport runSync(const ConversionOptions& options, const MigrationRequest& request, WindowOps& window,
                   SchemaReader& reader, const RowProgress& progress);

// The report as a table of plain text: one line a table, then the total, then what went wrong.
QString syncReportText(const SyncReport& report);
