#pragma once
// veltrane-cli --into is carried out by a program of its own, veltrane-cli-migrate, the only one of the
// command line's programs that links the servers' client libraries (libpq, MariaDB Connector/C, SQLite and
// what they load: TLS, Kerberos, LDAP). Every other run starts without them, in less time and memory.

// Replaces this process by veltrane-cli-migrate with the same arguments; returns only when it cannot be
// started, with the exit status (69).
int handOffMigration(char* argv[]);
