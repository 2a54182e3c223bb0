#pragma once
// The rows of a keyed table that a synchronization changes. One join of the staged rows with the target's
// finds the rows of a new key and the rows whose values differ, and keeps them apart in a second temporary
// table of the staged one's form; the UPDATE and the INSERT then read only those rows and find the target's
// by its primary key, instead of joining the whole staged table with the target's once more. The kept rows
// stay on the server: the program holds nothing but the counts, whatever the number of rows.

#include "LiveConnection.h"
#include "SyncStatements.h"

#include <QString>
#include <variant>

struct Survey {
    qint64 added = 0;  // staged rows of a key the target does not hold
    qint64 differ = 0; // staged rows of a held key whose values differ
    qint64 gone = 0;   // rows of the target whose key the file no longer has
    bool few = false;  // the kept rows are few beside the staged ones
};

// The temporary table the differing rows are kept in, beside the staged table, and its CREATE: the staged
// table's columns without a key, so that each server reads the few kept rows one by one and looks up the
// target's by its key (SQLite, given a key on both, would read the target's whole table instead).
QString keptTable(const QString& staged);
std::string keptTableDefinition(TargetKind kind, const TargetDialect& dialect, const TablePlan& t,
                                const QString& staged);

// Empties the kept table and fills it again from the staged rows as they compare now; staged: the number of
// staged rows (every server's load refuses rather than drops a row, so it is the table's count).
std::variant<QString, Survey> surveyTable(LiveConnection& target, TargetKind kind,
                                          const TargetDialect& dialect, const KeyedChanges& changes,
                                          const QString& staged, qint64 stagedRows);

// Deletes the rows the file no longer has; answers how many.
std::variant<QString, qint64> deleteGone(LiveConnection& target, TargetKind kind,
                                         const TargetDialect& dialect, const KeyedChanges& changes,
                                         const QString& staged);

// Updates the rows whose values differ and inserts the rows of a new key, as surveyed.
struct Changed {
    qint64 updated = 0;
    qint64 inserted = 0;
};
std::variant<QString, Changed> changeDiffering(LiveConnection& target, TargetKind kind,
                                               const KeyedChanges& changes, const Survey& survey);
