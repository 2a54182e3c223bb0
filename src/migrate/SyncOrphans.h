#pragma once
// The rows a sync would leave referencing nothing. PostgreSQL checks each foreign key before the sync's
// transaction commits; MySQL takes the row changes with its checks off (the rows of related tables change
// one table after another), and SQLite checks nothing unless a connection asks for it. There, before the
// row changes commit, the foreign keys of the tables the sync leaves alone (those only the target holds, or
// not asked for) to a table whose rows it changed are checked: such a row may still reference a row the
// file no longer has. The tables it synchronizes hold the file's rows, which keep the file's relationships
// (or broke them already, where the server compares texts otherwise and the key was kept all the same).

#include "LiveConnection.h"

#include <QStringList>

// "T: 2 rows would reference no row of P (foreign key F)" (SQLite's have no names) for the first such
// foreign key that some row breaks; the target's message where it cannot say. Nothing where every row has
// its referenced row, and for PostgreSQL.
Failure orphanedRows(LiveConnection& target, TargetKind kind, const QStringList& changed,
                     const QStringList& synchronized);
