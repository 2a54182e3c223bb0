#pragma once
// A migration into a namespace of its own, so that the tables of several databases of the same names never
// meet: a PostgreSQL schema, or a MySQL/MariaDB database, made when it is missing and made the connection's
// current one (search_path, USE); for SQLite, a file of that name in the folder the address names. A
// namespace the migration made and left empty after a failure is dropped again.

#include "LiveConnection.h"
#include "TargetAddress.h"

// The address with its namespace: SQLite's path becomes FOLDER/NAME.sqlite, the servers' space NAME.
TargetAddress inSpace(const TargetAddress& address, const QString& name);

struct SpaceEntered {
    Failure failure{};
    bool created = false; // the namespace did not exist before
};

// Makes the address's space (nothing without one) the connection's current namespace.
SpaceEntered enterSpace(LiveConnection& connection, const TargetAddress& address);

// Drops the space made by the migration if it holds nothing, over a new connection when this one is lost;
// a failure is the report's warning.
void dropSpaceMade(LiveConnection& connection, const TargetAddress& address, const QString& password,
                   QStringList& warnings);
