// MySQL and MariaDB through MariaDB Connector/C: statements as the script writes them, in UTF-8 (utf8mb4),
// over TCP or a Unix socket; the rows through LOAD DATA LOCAL from a stream, or where the server takes no
// LOCAL load, as the script's multi-row INSERTs with the literals of the MySQL dialect.
#include "LiveConnection.h"
#include "LocalLoadStream.h"

#include <cstdlib>
#include <mysql.h>
#include <vector>

namespace {

constexpr unsigned emptyQuery = 1065; // ER_EMPTY_QUERY: a text of comments alone

QString message(MYSQL* connection) {
    return QString::fromUtf8(mysql_error(connection)).trimmed();
}

class MariaDbConnection : public LiveConnection {
public:
    explicit MariaDbConnection(MYSQL* connection) : connection_(connection), load_(connection) {}
    ~MariaDbConnection() override {
        load_.abandon();
        mysql_close(connection_);
    }

    Failure execute(const std::string& sql) override {
        if (mysql_real_query(connection_, sql.data(), sql.size()) != 0)
            return mysql_errno(connection_) == emptyQuery ? std::nullopt : Failure(message(connection_));
        // Every statement's result is taken, so that the next query finds the connection free.
        for (;;) {
            if (MYSQL_RES* result = mysql_store_result(connection_))
                mysql_free_result(result);
            else if (mysql_field_count(connection_) != 0)
                return message(connection_);
            const int next = mysql_next_result(connection_);
            if (next > 0)
                return message(connection_);
            if (next < 0)
                return std::nullopt;
        }
    }

    Failure send(const std::string& sql) override {
        if (Failure f = finish())
            return f;
        if (mysql_send_query(connection_, sql.data(), sql.size()) != 0)
            return message(connection_);
        pending_ = true;
        return std::nullopt;
    }
    Failure finish() override {
        load_.abandon(); // a load stopped in the middle: its rows are not kept
        if (!pending_)
            return std::nullopt;
        pending_ = false;
        if (mysql_read_query_result(connection_) != 0)
            return message(connection_);
        return std::nullopt;
    }

    bool loadsData() const override { return !refusedLoad_; }
    Failure loadStart(const std::string& statement, bool& refused) override {
        const Failure failure = load_.start(statement, refused);
        refusedLoad_ = refused;
        return failure;
    }
    Failure copyData(std::string_view lines) override { return load_.write(lines); }
    // LOAD DATA LOCAL takes every row, turning what an INSERT would refuse (a duplicate key, a value that
    // does not fit) into a warning, since the server cannot stop the stream: any warning fails the load.
    Failure copyEnd() override {
        if (Failure f = load_.end())
            return f;
        if (mysql_warning_count(connection_) == 0)
            return std::nullopt;
        auto warnings = query("SHOW WARNINGS LIMIT 3");
        if (auto* why = std::get_if<QString>(&warnings))
            return *why;
        QStringList messages;
        for (const QStringList& w : std::get<QList<QStringList>>(warnings))
            if (w.value(0) != QLatin1String("Note"))
                messages << w.value(2);
        if (messages.isEmpty())
            return std::nullopt;
        return QStringLiteral("the rows were not taken as they are: ") + messages.join(QStringLiteral("; "));
    }

    std::variant<QString, QList<QStringList>> query(const std::string& sql) override {
        if (mysql_real_query(connection_, sql.data(), sql.size()) != 0)
            return message(connection_);
        MYSQL_RES* result = mysql_store_result(connection_);
        if (!result)
            return mysql_field_count(connection_) == 0 ? QStringLiteral("the query gave no rows")
                                                       : message(connection_);
        QList<QStringList> rows;
        const unsigned columns = mysql_num_fields(result);
        while (MYSQL_ROW row = mysql_fetch_row(result)) {
            const unsigned long* lengths = mysql_fetch_lengths(result);
            QStringList fields;
            for (unsigned c = 0; c < columns; ++c)
                fields << QString::fromUtf8(row[c] ? row[c] : "", row[c] ? qsizetype(lengths[c]) : 0);
            rows << fields;
        }
        mysql_free_result(result);
        while (mysql_next_result(connection_) == 0)
            if (MYSQL_RES* more = mysql_store_result(connection_))
                mysql_free_result(more);
        return rows;
    }

    // Row by row as the server sends them (mysql_use_result), so that a table of any size is never held
    // whole.
    Failure eachRow(const std::string& sql, const HeldRow& row) override {
        if (Failure f = finish())
            return f;
        if (mysql_real_query(connection_, sql.data(), sql.size()) != 0)
            return message(connection_);
        MYSQL_RES* result = mysql_use_result(connection_);
        if (!result)
            return message(connection_);
        std::vector<HeldField> fields(mysql_num_fields(result));
        while (MYSQL_ROW values = mysql_fetch_row(result)) {
            const unsigned long* lengths = mysql_fetch_lengths(result);
            for (std::size_t c = 0; c < fields.size(); ++c)
                fields[c] = values[c] ? HeldField{.text = std::string_view(values[c], lengths[c])}
                                      : HeldField{.null = true};
            row(fields.data(), int(fields.size()));
        }
        // The end of the rows, or a connection lost on the way.
        const Failure failure = mysql_errno(connection_) != 0 ? Failure(message(connection_)) : std::nullopt;
        mysql_free_result(result);
        return failure;
    }

    std::variant<QString, QStringList> tableNames() override {
        auto rows = query("SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE()");
        if (auto* why = std::get_if<QString>(&rows))
            return *why;
        QStringList names;
        for (const QStringList& row : std::get<QList<QStringList>>(rows))
            names << row.value(0);
        return names;
    }
    // Whether they are depends on the server's file system and lower_case_table_names: taken as not.
    bool namesKeepCase() const override { return false; }

    QString serverVersion() override { return QString::fromUtf8(mysql_get_server_info(connection_)); }

private:
    MYSQL* connection_;
    bool pending_ = false;     // a statement sent, its answer not yet read
    bool refusedLoad_ = false; // the server took no LOAD DATA LOCAL
    LocalLoadStream load_;
};

QByteArray orNull(const QString& text) {
    return text.toUtf8();
}

const char* pointer(const QByteArray& bytes) {
    return bytes.isEmpty() ? nullptr : bytes.constData();
}

} // namespace

Connected connectMariaDb(const TargetAddress& address, const QString& password) {
    MYSQL* connection = mysql_init(nullptr);
    if (!connection)
        return QStringLiteral("out of memory");
    // The [client] groups of the option files (~/.my.cnf): user, password, socket, as the mariadb client.
    mysql_optionsv(connection, MYSQL_READ_DEFAULT_GROUP, "client");
    mysql_optionsv(connection, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const unsigned int connectSeconds = 10;
    mysql_optionsv(connection, MYSQL_OPT_CONNECT_TIMEOUT, &connectSeconds);
    // For the rows' LOAD DATA LOCAL, whose only "file" is the stream of LocalLoadStream.
    const unsigned int localInfile = 1;
    mysql_optionsv(connection, MYSQL_OPT_LOCAL_INFILE, &localInfile);
    const QByteArray user = orNull(address.user);
    const QByteArray host = orNull(address.host);
    const QByteArray database = orNull(address.database);
    const QByteArray socket = orNull(address.socket);
    QByteArray secret = password.toUtf8();
    if (secret.isEmpty())
        secret = qgetenv("MYSQL_PWD");
    if (!mysql_real_connect(connection, pointer(host), pointer(user), pointer(secret), pointer(database),
                            unsigned(address.port), pointer(socket), CLIENT_MULTI_STATEMENTS)) {
        const QString why = message(connection);
        mysql_close(connection);
        return why;
    }
    return std::make_unique<MariaDbConnection>(connection);
}
