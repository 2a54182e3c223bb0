#pragma once
// The foreign keys a sync makes. A migration makes each relationship's foreign key once every table's rows
// are there; a sync makes the tables the target lacks, and with them the foreign keys of the relationships
// that name one of them (the other table is the target's too: the file's, synchronized or made), in the
// same way and at the same point, after the rows.

#include "LiveConnection.h"
#include "ScriptPlan.h"

#include <QStringList>
#include <variant>

struct TargetDialect;

// "ALTER TABLE T ADD CONSTRAINT ..." of each relationship written whose table or referenced table is one
// of those made (their names in the target); none where the dialect writes foreign keys inside CREATE
// TABLE, since the tables made have theirs already. MySQL keeps a table's foreign key when the table it
// references is dropped with the checks off, and takes it up again when a table of that name is made: a key
// it holds already, by its table and name, is left as it is. The others drop such a key with the table.
std::variant<QString, QStringList> foreignKeysOfMadeTables(LiveConnection& target, TargetKind kind,
                                                           const TargetDialect& dialect,
                                                           const ScriptPlan& plan, const QStringList& made);
