#pragma once
// What a failed or stopped sync does to leave the target as it found it.

#include "LiveConnection.h"
#include "Sync.h"

#include <QStringList>

struct TargetDialect;

// PostgreSQL and SQLite roll the transaction back; MySQL rolls the row changes back, unless they were
// committed already (committed), and drops the tables the run made (created). The report says which.
void undoSync(LiveConnection& target, TargetKind kind, const TargetDialect& dialect,
              const QStringList& created, bool committed, SyncReport& report);
