#pragma once
// Where a migration goes, read from the text the user gave: a PostgreSQL URL or keyword string (as libpq
// reads it), a MySQL or MariaDB URL, or "sqlite:" and the path of a file. Passwords never come this way:
// an address that holds one is refused, as it would be seen by anyone who can list the processes.

#include <QString>
#include <variant>

enum class TargetKind { PostgreSql, MySql, Sqlite };

struct TargetAddress {
    TargetKind kind = TargetKind::PostgreSql;
    QString conninfo{}; // PostgreSQL: the URL or keyword string, handed to libpq as it is
    // MySQL and MariaDB
    QString user{};
    QString host{};
    int port = 0;
    QString database{};
    QString socket{};
    QString path{}; // SQLite: the file
    // PostgreSQL: the schema, MySQL: the database the tables go into, made when missing (TargetSpace.h);
    // empty: the address's own
    QString space{};
};

struct AddressError {
    QString message{};
};

std::variant<AddressError, TargetAddress> parseTargetAddress(const QString& text);

// The address without anything secret, to be named in the report and kept in the settings.
QString describeTarget(const TargetAddress& address);
