// SQLite: a database file, opened for the migration; statements as the script writes them, and the rows
// bound to a prepared INSERT with the values the script's literals would give.
#include "LiveConnection.h"
#include "ValueText.h"

#include <QFile>
#include <cmath>
#include <sqlite3.h>
#include <vector>

namespace {

class SqliteConnection : public LiveConnection {
public:
    SqliteConnection(sqlite3* db, QString path, bool created)
        : db_(db), path_(std::move(path)), created_(created) {}
    ~SqliteConnection() override {
        sqlite3_finalize(insert_);
        sqlite3_close(db_);
    }

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

    Failure eachRow(const std::string& sql, const HeldRow& row) override {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
            return QString::fromUtf8(sqlite3_errmsg(db_));
        const int count = sqlite3_column_count(statement);
        std::vector<HeldField> fields(static_cast<std::size_t>(count));
        std::vector<std::string> reals(static_cast<std::size_t>(count));
        int step;
        while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
            for (int c = 0; c < count; ++c) {
                HeldField& field = fields[std::size_t(c)];
                const int type = sqlite3_column_type(statement, c);
                if (type == SQLITE_NULL) {
                    field = HeldField{.null = true};
                } else if (type == SQLITE_FLOAT) {
                    // Its own text keeps only 15 digits: the shortest exact one instead.
                    std::string& text = reals[std::size_t(c)];
                    text.clear();
                    const double x = sqlite3_column_double(statement, c);
                    if (!appendShortest(text, x))
                        text = std::isnan(x) ? "nan" : x < 0 ? "-inf" : "inf";
                    field = HeldField{.text = text};
                } else {
                    const void* bytes = type == SQLITE_BLOB ? sqlite3_column_blob(statement, c)
                                                            : sqlite3_column_text(statement, c);
                    const int length = sqlite3_column_bytes(statement, c);
                    field = HeldField{.text = std::string_view(bytes ? static_cast<const char*>(bytes) : "",
                                                               std::size_t(length))};
                }
            }
            row(fields.data(), count);
        }
        sqlite3_finalize(statement);
        if (step != SQLITE_DONE)
            return QString::fromUtf8(sqlite3_errmsg(db_));
        return std::nullopt;
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

    bool bindsValues() const override { return true; }
    Failure prepareInsert(const std::string& sql) override {
        endInsert();
        if (sqlite3_prepare_v3(db_, sql.c_str(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &insert_,
                               nullptr) != SQLITE_OK)
            return QString::fromUtf8(sqlite3_errmsg(db_));
        return std::nullopt;
    }
    Failure insertBound(const DataValue* row, const QList<int>& columns, const QList<ValueForm>& forms,
                        QList<ValueProblem>& problems) override {
        texts_.resize(std::size_t(columns.size()));
        for (int i = 0; i < columns.size(); ++i)
            problems[i] = bind(i + 1, forms[i], row[columns[i]], texts_[std::size_t(i)]);
        const int stepped = sqlite3_step(insert_);
        sqlite3_reset(insert_);
        if (stepped != SQLITE_DONE)
            return QString::fromUtf8(sqlite3_errmsg(db_));
        return std::nullopt;
    }
    void endInsert() override {
        sqlite3_finalize(insert_);
        insert_ = nullptr;
    }

    void abandon() override {
        if (!created_)
            return;
        endInsert();
        sqlite3_close(db_);
        db_ = nullptr;
        QFile::remove(path_);
        QFile::remove(path_ + QStringLiteral("-journal"));
    }

    QString serverVersion() override {
        return QStringLiteral("SQLite ") + QString::fromUtf8(sqlite3_libversion());
    }

private:
    // The value the SQLite dialect's literal gives (RowLiterals: exact numbers as texts, booleans 1 and 0,
    // a negative zero as 0, NaN as NULL, dates and GUIDs as texts, texts with every byte), bound.
    // The values are bound where they are (SQLITE_STATIC), without a copy: the batch's bytes and each
    // column's own text live until the row is stepped.
    ValueProblem bind(int at, ValueForm form, const DataValue& v, std::string& text) {
        text.clear();
        switch (v.kind) {
        case ValueKind::Null:
            break;
        case ValueKind::Boolean:
            sqlite3_bind_int64(insert_, at, v.integer ? 1 : 0);
            return ValueProblem::None;
        case ValueKind::Integer:
            sqlite3_bind_int64(insert_, at, v.integer);
            return ValueProblem::None;
        case ValueKind::Currency:
            appendCurrency(text, v.integer);
            sqlite3_bind_text(insert_, at, text.data(), int(text.size()), SQLITE_STATIC);
            return ValueProblem::None;
        case ValueKind::Decimal:
            sqlite3_bind_text(insert_, at, v.bytes.empty() ? "" : v.bytes.data(), int(v.bytes.size()),
                              SQLITE_STATIC);
            return ValueProblem::None;
        case ValueKind::Single:
        case ValueKind::Double: {
            const double x = v.kind == ValueKind::Single ? double(float(v.real)) : v.real;
            if (x == 0 && std::signbit(x)) {
                sqlite3_bind_int64(insert_, at, 0);
                return ValueProblem::ZeroSignLost;
            }
            if (std::isnan(x)) {
                sqlite3_bind_null(insert_, at);
                return ValueProblem::NotFinite;
            }
            sqlite3_bind_double(insert_, at, x);
            return ValueProblem::None;
        }
        case ValueKind::DateTime:
            if (!appendTimestamp(text, v.real)) {
                sqlite3_bind_null(insert_, at);
                return ValueProblem::DateOutOfRange;
            }
            sqlite3_bind_text(insert_, at, text.data(), int(text.size()), SQLITE_STATIC);
            return ValueProblem::None;
        // An empty text or blob is bound from a pointer that is not null: a null one would bind NULL.
        case ValueKind::Text:
            sqlite3_bind_text(insert_, at, v.bytes.empty() ? "" : v.bytes.data(), int(v.bytes.size()),
                              SQLITE_STATIC);
            return ValueProblem::None;
        case ValueKind::Bytes:
            sqlite3_bind_blob(insert_, at, v.bytes.empty() ? "" : v.bytes.data(), int(v.bytes.size()),
                              SQLITE_STATIC);
            return ValueProblem::None;
        case ValueKind::Guid:
            if (!appendGuid(text, v.bytes, form == ValueForm::UuidText)) {
                sqlite3_bind_null(insert_, at);
                return ValueProblem::BadValue;
            }
            sqlite3_bind_text(insert_, at, text.data(), int(text.size()), SQLITE_STATIC);
            return ValueProblem::None;
        }
        sqlite3_bind_null(insert_, at);
        return ValueProblem::None;
    }

    sqlite3* db_;
    sqlite3_stmt* insert_ = nullptr;
    std::vector<std::string> texts_; // a text made for each column of the row being bound
    QString path_;
    bool created_;
};

} // namespace

Connected connectSqlite(const TargetAddress& address) {
    // SQLite takes an empty name for a private database that goes when it is closed: a migration into it
    // would report every row as in the target and keep none.
    if (address.path.trimmed().isEmpty())
        return QStringLiteral("no file is named for the SQLite database");
    const bool created = !QFile::exists(address.path);
    sqlite3* db = nullptr;
    // One thread uses the connection at a time: without SQLite's mutex on every call (a seventh of a load's
    // time), which its default serialized mode takes.
    const int opened =
        sqlite3_open_v2(address.path.toUtf8().constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
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
