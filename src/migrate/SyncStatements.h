#pragma once
// The statements of a synchronization, in each server's own form: the temporary table the file's rows are
// loaded into, the target's columns as its catalogue gives them, and the set-based changes of a table keyed
// on its primary key, each with the number of rows it changed.

#include "LiveConnection.h"
#include "ScriptPlan.h"
#include "TargetDialect.h"

#include <QStringList>
#include <string>
#include <variant>

// The base tables of the database the target's connection is in (no views, no system tables).
std::variant<QString, QStringList> baseTableNames(LiveConnection& target, TargetKind kind);

// CREATE of a temporary table named staged with the written columns of t and their types; with t's primary
// key where the server joins by index (MySQL, SQLite).
std::string stagingTable(TargetKind kind, const TargetDialect& dialect, const TablePlan& t,
                         const QString& staged);

// A column of a table and its type, in the target's own words.
struct TargetColumn {
    QString name;
    QString type;
};

// Each column of a table in its order; staged: the temporary table.
std::variant<QString, QList<TargetColumn>> catalogColumns(LiveConnection& target, TargetKind kind,
                                                          const TargetDialect& dialect, const QString& table,
                                                          bool staged);

// What differs between the target's columns and the staged ones, each as one phrase; empty when the same.
QStringList columnDifferences(const QList<TargetColumn>& target, const QList<TargetColumn>& staged,
                              bool namesKeepCase);

// The changes of the target's table t from the staged rows, each answering the rows it changed. The staged
// rows that differ from the target's are kept apart first, in a temporary table of the staged one's form
// (see SyncSurvey.h), so that the UPDATE and the INSERT touch only those rows and not the whole table.
struct KeyedChanges {
    // One pass over the staged rows joined to the target's: the rows of a new key and the rows whose
    // values differ into the kept table.
    std::string collect;
    // Of the kept rows, how many there are and how many have a key the target holds; the target's rows.
    std::string counts;
    std::string deleteGone; // rows whose key the file no longer has
    std::string update;     // kept rows of a held key; empty when every column is in the key
    std::string insert;     // kept rows of a new key
};
KeyedChanges keyedChanges(TargetKind kind, const TargetDialect& dialect, const TablePlan& t,
                          const QString& staged, const QString& kept);
// Every row of the staged table into the target's (a table without a primary key, emptied first).
std::string copyStaged(const TargetDialect& dialect, const TablePlan& t, const QString& staged);

// Runs a DELETE, UPDATE or INSERT and answers how many rows it changed.
std::variant<QString, qint64> changedRows(LiveConnection& target, TargetKind kind, const std::string& sql);
