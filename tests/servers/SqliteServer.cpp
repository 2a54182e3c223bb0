// SQLite (Debian's sqlite3): each script goes into a new database file in a temporary folder, through the
// sqlite3 shell with -bail, and the catalog comes from sqlite_master and the table-valued pragmas.
#include "ServerProcess.h"
#include "TestServer.h"

namespace {

QString action(const QString& text) {
    return text == QLatin1String("RESTRICT") ? QStringLiteral("NO ACTION") : text;
}

class SqliteServer : public TestServer {
public:
    bool start(QString& why) {
        shell_ = findProgram({QStringLiteral("/usr/bin/sqlite3")});
        if (shell_.isEmpty()) {
            why = QStringLiteral("SQLite is not installed (Debian package sqlite3)");
            return false;
        }
        return dir_.isValid();
    }

    LoadResult load(const QByteArray& script) override {
        file_ = dir_.filePath(QStringLiteral("load%1.db").arg(++loads_));
        const ProgramResult loaded = runProgram(shell_, {QStringLiteral("-bail"), file_}, script);
        return {loaded.ok() && loaded.err.trimmed().isEmpty(), loaded.message()};
    }

    QString createDatabase() override {
        file_ = dir_.filePath(QStringLiteral("load%1.db").arg(++loads_));
        return QStringLiteral("sqlite:") + file_;
    }

    LoadResult execute(const QString& statement) override {
        const ProgramResult r = runProgram(shell_, {QStringLiteral("-bail"), file_, statement});
        return {r.ok(), r.message()};
    }

    Catalog catalog() override {
        Catalog tables;
        const auto table = [&tables](const QString& name) -> CatalogTable& {
            return catalogTable(tables, name);
        };
        QList<QPair<QString, QString>> primaryKeyColumns; // (table, "position name")
        for (const QStringList& r : query(QStringLiteral(
                 "SELECT m.name, p.name, p.type, p.\"notnull\", p.pk FROM sqlite_master m, "
                 "pragma_table_info(m.name) p "
                 "WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite_%' ORDER BY m.name, p.cid"))) {
            CatalogTable& t = table(r[0]);
            t.columns << CatalogTableColumn{r[1], r[2].toLower(), r[3] == QLatin1String("1")};
            if (r[4].toInt() > 0) {
                while (t.primaryKey.size() < r[4].toInt())
                    t.primaryKey << QString();
                t.primaryKey[r[4].toInt() - 1] = r[1];
            }
        }
        for (const QStringList& r : query(QStringLiteral(
                 "SELECT m.name, il.name, il.\"unique\", il.origin, x.name, x.\"desc\" FROM sqlite_master m, "
                 "pragma_index_list(m.name) il, pragma_index_xinfo(il.name) x WHERE m.type = 'table' AND "
                 "x.key = 1 "
                 "AND il.origin <> 'pk' ORDER BY m.name, il.name, x.seqno"))) {
            CatalogTable& t = table(r[0]);
            if (t.indexes.isEmpty() || t.indexes.last().name != r[1])
                t.indexes << CatalogIndex{r[1], {}, r[2] == QLatin1String("1")};
            t.indexes.last().columns << r[4] + (r[5] == QLatin1String("1") ? QStringLiteral(" DESC")
                                                                           : QString());
        }
        for (const QStringList& r : query(QStringLiteral(
                 "SELECT m.name, f.id, f.\"table\", f.\"from\", f.\"to\", f.on_update, f.on_delete FROM "
                 "sqlite_master m, "
                 "pragma_foreign_key_list(m.name) f WHERE m.type = 'table' ORDER BY m.name, f.id, f.seq"))) {
            CatalogTable& t = table(r[0]);
            if (t.foreignKeys.isEmpty() || t.foreignKeys.last().name != r[1])
                t.foreignKeys << CatalogForeignKey{r[1], {}, r[2], {}, action(r[5]), action(r[6])};
            t.foreignKeys.last().columns << r[3];
            t.foreignKeys.last().referencedColumns << r[4];
        }
        std::sort(tables.begin(), tables.end(),
                  [](const CatalogTable& a, const CatalogTable& b) { return a.name < b.name; });
        return tables;
    }

private:
    QList<QStringList> select(const QString& sql) override { return query(sql); }
    QList<QStringList> query(const QString& sql) {
        return rows(runProgram(shell_, {QStringLiteral("-separator"), QStringLiteral("\t"), file_, sql}).out);
    }

    QTemporaryDir dir_;
    QString shell_;
    QString file_;
    int loads_ = 0;
};

} // namespace

std::unique_ptr<TestServer> startSqlite(QString& why) {
    auto server = std::make_unique<SqliteServer>();
    if (!server->start(why))
        return nullptr;
    return server;
}
