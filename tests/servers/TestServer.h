#pragma once
// Real database servers for tests: each is started in a temporary folder of its own on a Unix socket, with
// no network and no system service, loads scripts into fresh databases through the server's own command-line
// client (stopping at the first error), reads back its catalog, and is stopped when the object goes.

#include "ServerCatalog.h"

#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>

struct LoadResult {
    bool ok = false;
    QString error; // the client's message on failure
};

class TestServer {
public:
    virtual ~TestServer() = default;
    // Loads the script (UTF-8) into a new, empty database, which then answers catalog().
    virtual LoadResult load(const QByteArray& script) = 0;
    virtual Catalog catalog() = 0;
    // Makes a new, empty database, which then answers catalog() and select(), and gives the address a
    // migration reaches it by (veltrane-cli --into).
    virtual QString createDatabase() = 0;
    // Runs one statement in the current database as the administrator (to create users, for instance).
    virtual LoadResult execute(const QString& statement) = 0;
    // The rows of a query in the current database, each column as the server's client prints it.
    virtual QList<QStringList> select(const QString& sql) = 0;
};

// nullptr with the reason when the server's programs are not installed or it would not start.
std::unique_ptr<TestServer> startPostgres(QString& why);
std::unique_ptr<TestServer> startMariaDb(QString& why);
std::unique_ptr<TestServer> startSqlite(QString& why);

// A real as a client printed it: decimal digits, or the exact mantissa "p" exponent that a query gets from
// the sqlite3 shell's ieee754_mantissa and ieee754_exponent (its own decimal printing rounds).
inline double printedReal(const QString& printed) {
    const qsizetype p = printed.indexOf('p');
    if (p < 0)
        return std::strtod(printed.toLatin1().constData(), nullptr);
    return std::ldexp(double(printed.left(p).toLongLong()), printed.mid(p + 1).toInt());
}

inline std::unique_ptr<TestServer> startServer(const QString& name, QString& why) {
    return name == QLatin1String("postgres")  ? startPostgres(why)
           : name == QLatin1String("mariadb") ? startMariaDb(why)
                                              : startSqlite(why);
}

// Without a server's package a test skips, except where every server is asked for (CI): there it fails.
#define skipOrFail(why)                                                                                      \
    do {                                                                                                     \
        if (qEnvironmentVariableIsSet("VELTRANE_REQUIRE_SERVERS"))                                           \
            QFAIL(qPrintable(why));                                                                          \
        QSKIP(qPrintable(why));                                                                              \
    } while (false)
