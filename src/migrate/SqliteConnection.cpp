// SQLite: a database file, opened for the migration; statements as the script writes them.
#include "LiveConnection.h"

#include <QFile>
#include <sqlite3.h>

namespace {

class SqliteConnection : public LiveConnection {
public:
    SqliteConnection(sqlite3* db, QString path, bool created)
        : db_(db), path_(std::move(path)), created_(created) {}
    ~SqliteConnection() override { sqlite3_close(db_); }

    Failure execute(const std::string& sql) override {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK)
            return std::nullopt;
        const QString why = QString::fromUtf8(error ? error : sqlite3_errmsg(db_));
        sqlite3_free(error);
        return why;
    }

    std::variant<QString, QList<QStringList>> query(const std::string& sql) override {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
            return QString::fromUtf8(sqlite3_errmsg(db_));
        QList<QStringList> rows;
        int step;
        while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
                row << QString::fromUtf8(text ? text : "", sqlite3_column_bytes(statement, c));
            }
            rows << row;
        }
        sqlite3_finalize(statement);
        if (step != SQLITE_DONE)
            return QString::fromUtf8(sqlite3_errmsg(db_));
        return rows;
    }

    std::variant<QString, QStringList> tableNames() override {
        auto rows = query("SELECT name FROM sqlite_master WHERE type IN ('table', 'view')");
        if (auto* why = std::get_if<QString>(&rows))
            return *why;
        QStringList names;
        for (const QStringList& row : std::get<QList<QStringList>>(rows))
            names << row.value(0);
        return names;
    }
    bool namesKeepCase() const override { return false; }

    void abandon() override {
        if (!created_)
            return;
        sqlite3_close(db_);
        db_ = nullptr;
        QFile::remove(path_);
        QFile::remove(path_ + QStringLiteral("-journal"));
    }

    QString serverVersion() override {
        return QStringLiteral("SQLite ") + QString::fromUtf8(sqlite3_libversion());
    }

private:
    sqlite3* db_;
    QString path_;
    bool created_;
};

} // namespace

Connected connectSqlite(const TargetAddress& address) {
    const bool created = !QFile::exists(address.path);
    sqlite3* db = nullptr;
    const int opened = sqlite3_open_v2(address.path.toUtf8().constData(), &db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (opened != SQLITE_OK) {
        const QString why = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close(db);
        return QStringLiteral("cannot open %1: %2").arg(address.path, why);
    }
    // A file that is no database is found out here, before anything is written.
    char* error = nullptr;
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &error) != SQLITE_OK) {
        const QString why = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
        sqlite3_free(error);
        sqlite3_close(db);
        return QStringLiteral("cannot open %1: %2").arg(address.path, why);
    }
    return std::make_unique<SqliteConnection>(db, address.path, created);
}
