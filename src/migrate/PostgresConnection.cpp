// PostgreSQL through libpq: the address as libpq reads it (URL or keywords, Unix sockets included), the
// rows through the COPY protocol.
#include "LiveConnection.h"

#include <libpq-fe.h>
#include <vector>

namespace {

QString message(PGconn* connection) {
    return QString::fromUtf8(PQerrorMessage(connection)).trimmed();
}

class PostgresConnection : public LiveConnection {
public:
    explicit PostgresConnection(PGconn* connection) : connection_(connection) {}
    ~PostgresConnection() override { PQfinish(connection_); }

    Failure execute(const std::string& sql) override {
        PGresult* result = PQexec(connection_, sql.c_str());
        const ExecStatusType status = PQresultStatus(result);
        Failure failure;
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_EMPTY_QUERY)
            failure = resultMessage(result);
        PQclear(result);
        return failure;
    }

    std::variant<QString, QList<QStringList>> query(const std::string& sql) override {
        PGresult* result = PQexec(connection_, sql.c_str());
        if (PQresultStatus(result) != PGRES_TUPLES_OK) {
            const QString why = resultMessage(result);
            PQclear(result);
            return why;
        }
        QList<QStringList> rows;
        for (int r = 0; r < PQntuples(result); ++r) {
            QStringList row;
            for (int c = 0; c < PQnfields(result); ++c)
                row << QString::fromUtf8(PQgetvalue(result, r, c));
            rows << row;
        }
        PQclear(result);
        return rows;
    }

    // In single-row mode, so that a table of any size is never held whole.
    Failure eachRow(const std::string& sql, const HeldRow& row) override {
        if (PQsendQuery(connection_, sql.c_str()) != 1)
            return message(connection_);
        PQsetSingleRowMode(connection_);
        Failure failure;
        std::vector<HeldField> fields;
        while (PGresult* result = PQgetResult(connection_)) {
            const ExecStatusType status = PQresultStatus(result);
            if (status == PGRES_SINGLE_TUPLE && !failure) {
                fields.resize(std::size_t(PQnfields(result)));
                for (int c = 0; c < int(fields.size()); ++c)
                    fields[std::size_t(c)] =
                        PQgetisnull(result, 0, c)
                            ? HeldField{.null = true}
                            : HeldField{.text = std::string_view(PQgetvalue(result, 0, c),
                                                                 std::size_t(PQgetlength(result, 0, c)))};
                row(fields.data(), int(fields.size()));
            } else if (status != PGRES_SINGLE_TUPLE && status != PGRES_TUPLES_OK && !failure) {
                failure = resultMessage(result);
            }
            PQclear(result);
        }
        return failure;
    }

    std::variant<QString, QStringList> tableNames() override {
        auto rows = query("SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                          "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'p', 'v', 'm', 'f')");
        if (auto* why = std::get_if<QString>(&rows))
            return *why;
        QStringList names;
        for (const QStringList& row : std::get<QList<QStringList>>(rows))
            names << row.value(0);
        return names;
    }
    bool namesKeepCase() const override { return true; }

    Failure copyStart(const std::string& statement) override {
        PGresult* result = PQexec(connection_, statement.c_str());
        Failure failure;
        if (PQresultStatus(result) != PGRES_COPY_IN)
            failure = resultMessage(result);
        PQclear(result);
        return failure;
    }
    Failure copyData(std::string_view lines) override {
        if (PQputCopyData(connection_, lines.data(), int(lines.size())) != 1)
            return message(connection_);
        return std::nullopt;
    }
    Failure copyEnd() override {
        if (PQputCopyEnd(connection_, nullptr) != 1)
            return message(connection_);
        Failure failure;
        while (PGresult* result = PQgetResult(connection_)) {
            if (PQresultStatus(result) != PGRES_COMMAND_OK && !failure)
                failure = resultMessage(result);
            PQclear(result);
        }
        return failure;
    }

    QString serverVersion() override {
        const int v = PQserverVersion(connection_);
        return QStringLiteral("PostgreSQL %1.%2").arg(v / 10000).arg(v % 10000);
    }

private:
    QString resultMessage(const PGresult* result) const {
        const char* text = result ? PQresultErrorMessage(result) : nullptr;
        const QString why = text && *text ? QString::fromUtf8(text).trimmed() : message(connection_);
        return why.isEmpty() ? QStringLiteral("the server gave no answer") : why;
    }

    PGconn* connection_;
};

} // namespace

Connected connectPostgres(const TargetAddress& address, const QString& password) {
    const QByteArray conninfo = address.conninfo.toUtf8();
    const QByteArray secret = password.toUtf8();
    // The address first, expanded as libpq reads it; what follows it overrides it.
    std::vector<const char*> keywords{"dbname", "fallback_application_name", "client_encoding"};
    std::vector<const char*> values{conninfo.constData(), "veltrane", "UTF8"};
    if (!password.isEmpty()) {
        keywords.push_back("password");
        values.push_back(secret.constData());
    }
    keywords.push_back(nullptr);
    values.push_back(nullptr);
    PGconn* connection = PQconnectdbParams(keywords.data(), values.data(), 1);
    if (!connection)
        return QStringLiteral("out of memory");
    if (PQstatus(connection) != CONNECTION_OK) {
        const QString why = message(connection);
        PQfinish(connection);
        return why;
    }
    // The script's own settings: standard strings, and no notices of implicit indexes on standard error.
    PGresult* result = PQexec(connection, "SET client_min_messages = warning");
    PQclear(result);
    return std::make_unique<PostgresConnection>(connection);
}
