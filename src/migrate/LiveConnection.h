#pragma once
// A connection to the server a migration goes into, with the few things a migration asks of it. Every
// answer is a value: an empty optional for success, else the server's message. Names and values only ever
// reach it inside SQL the plan quoted, or as data (COPY lines, literals of the script's own forms).

#include "DataValue.h"
#include "TargetAddress.h"
#include "TargetDialect.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

using Failure = std::optional<QString>;

// One field of a row read back: the server's text of the value (raw bytes for binary data; SQLite gives a
// real by its shortest exact text), or NULL.
struct HeldField {
    std::string_view text{};
    bool null = false;
};
using HeldRow = std::function<void(const HeldField* fields, int count)>;

// The file name a LOAD DATA LOCAL statement of the rows names: the stream the connection feeds it from.
inline constexpr const char* loadDataStream = "veltrane-rows";

class LiveConnection {
public:
    virtual ~LiveConnection() = default;
    // One or more statements separated by semicolons.
    virtual Failure execute(const std::string& sql) = 0;
    // A statement sent while the answer to the one before is awaited only now, so that the server works on
    // one while the next is made; finish() takes the last answer. The same as execute() where the client
    // cannot send ahead.
    virtual Failure send(const std::string& sql) { return execute(sql); }
    virtual Failure finish() { return std::nullopt; }
    // The rows of a query, each field as the server's text; NULL as an empty text.
    virtual std::variant<QString, QList<QStringList>> query(const std::string& sql) = 0;
    // Every row of a query, one at a time as the server sends them, none of them kept.
    virtual Failure eachRow(const std::string& sql, const HeldRow& row) = 0;
    // The names of the tables in the database (PostgreSQL: the current schema) the migration goes into.
    virtual std::variant<QString, QStringList> tableNames() = 0;
    // Whether table names are told apart by case alone.
    virtual bool namesKeepCase() const = 0;

    // PostgreSQL's COPY: the statement, then lines of COPY text, then the end. Others never are asked.
    virtual Failure copyStart(const std::string& statement) {
        (void)statement;
        return QStringLiteral("COPY is not supported");
    }
    virtual Failure copyData(std::string_view lines) {
        (void)lines;
        return QStringLiteral("COPY is not supported");
    }
    virtual Failure copyEnd() { return QStringLiteral("COPY is not supported"); }

    // MySQL's LOAD DATA LOCAL INFILE with the rows as a stream rather than a file: loadStart sends the
    // statement and returns once the server asks for the rows, which then follow as lines through copyData
    // and end with copyEnd. refused: the server (or the client library) takes no LOCAL load, nothing was
    // done, and the rows go as INSERT statements instead.
    virtual bool loadsData() const { return false; }
    virtual Failure loadStart(const std::string& statement, bool& refused) {
        (void)statement;
        refused = true;
        return std::nullopt;
    }

    // SQLite: rows bound as values to a prepared INSERT of one row, the values kept exactly as the script's
    // literals give them, without a text to make and parse. insertBound takes the values of the columns in
    // the statement's order, each in its column's form, and sets the problem met for each.
    virtual bool bindsValues() const { return false; }
    virtual Failure prepareInsert(const std::string& sql) {
        (void)sql;
        return QStringLiteral("bound values are not supported");
    }
    virtual Failure insertBound(const DataValue* row, const QList<int>& columns,
                                const QList<ValueForm>& forms, QList<ValueProblem>& problems) {
        (void)row;
        (void)columns;
        (void)forms;
        (void)problems;
        return QStringLiteral("bound values are not supported");
    }
    virtual void endInsert() {}

    // After a failed migration was rolled back: a file the connection created is removed again.
    virtual void abandon() {}

    // What the server is ("PostgreSQL 15.5"), for the report.
    virtual QString serverVersion() = 0;
};

using Connected = std::variant<QString, std::unique_ptr<LiveConnection>>;

// An empty password leaves it to the client library's own ways (PGPASSWORD, ~/.pgpass, service files;
// MYSQL_PWD, option files).
Connected connectPostgres(const TargetAddress& address, const QString& password);
Connected connectMariaDb(const TargetAddress& address, const QString& password);
// A new file (an existing one is opened, and its tables are checked like a server's).
Connected connectSqlite(const TargetAddress& address);

inline Connected connectTarget(const TargetAddress& address, const QString& password) {
    switch (address.kind) {
    case TargetKind::PostgreSql:
        return connectPostgres(address, password);
    case TargetKind::MySql:
        return connectMariaDb(address, password);
    case TargetKind::Sqlite:
        return connectSqlite(address);
    }
    return QStringLiteral("unknown target");
}

// The complete script's dialect of the server a target address names.
inline const TargetDialect& targetDialect(TargetKind kind) {
    switch (kind) {
    case TargetKind::PostgreSql:
        return postgreSqlDialect();
    case TargetKind::MySql:
        return mySqlDialect();
    case TargetKind::Sqlite:
        break;
    }
    return sqliteDialect();
}
