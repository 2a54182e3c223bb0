// PostgreSQL (Debian's postgresql): initdb and pg_ctl in a temporary folder, listening on a Unix socket in
// that folder only; run as the postgres user when the tests run as root.
#include "ServerProcess.h"
#include "TestServer.h"

#include <QDir>
#include <QFile>

namespace {

QString postgresBin() {
    QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(),
              [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    for (const QString& v : versions) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(v);
        if (QFile::exists(bin + QStringLiteral("/initdb")) && QFile::exists(bin + QStringLiteral("/pg_ctl")))
            return bin;
    }
    return {};
}

QString action(const QString& code) {
    if (code == QLatin1String("c"))
        return QStringLiteral("CASCADE");
    if (code == QLatin1String("n"))
        return QStringLiteral("SET NULL");
    return QStringLiteral("NO ACTION");
}

class PostgresServer : public TestServer {
public:
    ~PostgresServer() override {
        if (started_)
            runProgram(bin_ + QStringLiteral("/pg_ctl"),
                       {QStringLiteral("-D"), data(), QStringLiteral("-m"), QStringLiteral("immediate"),
                        QStringLiteral("-w"), QStringLiteral("stop")},
                       {}, user());
    }

    bool start(QString& why) {
        bin_ = postgresBin();
        if (bin_.isEmpty() || findProgram({QStringLiteral("/usr/bin/psql")}).isEmpty()) {
            why = QStringLiteral("PostgreSQL is not installed (Debian package postgresql)");
            return false;
        }
        if (!dir_.isValid()) {
            why = QStringLiteral("no temporary folder");
            return false;
        }
        if (runningAsRoot()) {
            // The folder belongs to the server's user, and only it.
            runProgram(QStringLiteral("chown"), {QStringLiteral("postgres:postgres"), dir_.path()});
        }
        ProgramResult init =
            runProgram(bin_ + QStringLiteral("/initdb"),
                       {QStringLiteral("-D"), data(), QStringLiteral("-A"), QStringLiteral("trust"),
                        QStringLiteral("-U"), QStringLiteral("postgres"), QStringLiteral("-E"),
                        QStringLiteral("UTF8"), QStringLiteral("--no-sync"), QStringLiteral("--locale=C")},
                       {}, user());
        if (!init.ok()) {
            why = QStringLiteral("initdb failed: ") + init.message();
            return false;
        }
        // Every user is trusted on the socket but "loader", who must give a password (to test wrong ones).
        QFile hba(data() + QStringLiteral("/pg_hba.conf"));
        if (!hba.open(QIODevice::ReadWrite)) {
            why = QStringLiteral("cannot open pg_hba.conf");
            return false;
        }
        const QByteArray rules = "local all loader scram-sha-256\n" + hba.readAll();
        hba.seek(0);
        hba.write(rules);
        hba.close();
        const QString options =
            QStringLiteral("-c listen_addresses='' -c unix_socket_directories='%1' -c fsync=off "
                           "-c full_page_writes=off -c synchronous_commit=off")
                .arg(dir_.path());
        ProgramResult start = runProgram(bin_ + QStringLiteral("/pg_ctl"),
                                         {QStringLiteral("-D"), data(), QStringLiteral("-o"), options,
                                          QStringLiteral("-l"), dir_.filePath(QStringLiteral("server.log")),
                                          QStringLiteral("-w"), QStringLiteral("start")},
                                         {}, user());
        if (!start.ok()) {
            why = QStringLiteral("pg_ctl start failed: ") + start.message();
            return false;
        }
        started_ = true;
        return true;
    }

    LoadResult load(const QByteArray& script) override {
        database_ = QStringLiteral("load%1").arg(++loads_);
        ProgramResult created =
            psql(QStringLiteral("postgres"),
                 {QStringLiteral("-c"), QStringLiteral("CREATE DATABASE %1").arg(database_)});
        if (!created.ok())
            return {false, created.message()};
        ProgramResult loaded = psql(database_, {QStringLiteral("-f"), QStringLiteral("-")}, script);
        return {loaded.ok(), loaded.message()};
    }

    QString createDatabase() override {
        database_ = QStringLiteral("load%1").arg(++loads_);
        psql(QStringLiteral("postgres"),
             {QStringLiteral("-c"), QStringLiteral("CREATE DATABASE %1").arg(database_)});
        return QStringLiteral("postgresql://postgres@/%1?host=%2").arg(database_, dir_.path());
    }

    LoadResult execute(const QString& statement) override {
        ProgramResult r = psql(database_.isEmpty() ? QStringLiteral("postgres") : database_,
                               {QStringLiteral("-c"), statement});
        return {r.ok(), r.message()};
    }

    Catalog catalog() override {
        Catalog tables;
        const auto table = [&tables](const QString& name) -> CatalogTable& {
            return catalogTable(tables, name);
        };
        for (const QStringList& r : query(QStringLiteral(
                 "SELECT c.relname, a.attname, format_type(a.atttypid, a.atttypmod), a.attnotnull FROM "
                 "pg_attribute a "
                 "JOIN pg_class c ON c.oid = a.attrelid JOIN pg_namespace n ON n.oid = c.relnamespace "
                 "WHERE n.nspname = 'public' AND c.relkind = 'r' AND a.attnum > 0 AND NOT a.attisdropped "
                 "ORDER BY c.relname, a.attnum")))
            table(r[0]).columns << CatalogTableColumn{r[1], r[2].toLower(), r[3] == QLatin1String("t")};
        for (const QStringList& r : query(QStringLiteral(
                 "SELECT t.relname, i.relname, ix.indisprimary, ix.indisunique, array_to_string(array("
                 " SELECT a.attname || CASE WHEN ix.indoption[k] & 1 = 1 THEN ' DESC' ELSE '' END"
                 " FROM generate_subscripts(ix.indkey, 1) k JOIN pg_attribute a ON a.attrelid = t.oid AND "
                 "a.attnum = ix.indkey[k]"
                 " ORDER BY k), E'\\x1f') FROM pg_index ix JOIN pg_class t ON t.oid = ix.indrelid "
                 "JOIN pg_class i ON i.oid = ix.indexrelid JOIN pg_namespace n ON n.oid = t.relnamespace "
                 "WHERE n.nspname = 'public' ORDER BY 1, 2"))) {
            const QStringList columns = r[4].split(QChar(0x1f));
            if (r[2] == QLatin1String("t"))
                table(r[0]).primaryKey = columns;
            else
                table(r[0]).indexes << CatalogIndex{r[1], columns, r[3] == QLatin1String("t")};
        }
        for (const QStringList& r : query(QStringLiteral(
                 "SELECT t.relname, c.conname, f.relname, array_to_string(array("
                 " SELECT a.attname FROM unnest(c.conkey) WITH ORDINALITY k(n, o)"
                 " JOIN pg_attribute a ON a.attrelid = c.conrelid AND a.attnum = k.n ORDER BY k.o), "
                 "E'\\x1f'),"
                 " array_to_string(array(SELECT a.attname FROM unnest(c.confkey) WITH ORDINALITY k(n, o)"
                 " JOIN pg_attribute a ON a.attrelid = c.confrelid AND a.attnum = k.n ORDER BY k.o), "
                 "E'\\x1f'),"
                 " c.confupdtype, c.confdeltype FROM pg_constraint c JOIN pg_class t ON t.oid = c.conrelid "
                 "JOIN pg_class f ON f.oid = c.confrelid WHERE c.contype = 'f' ORDER BY 1, 2")))
            table(r[0]).foreignKeys << CatalogForeignKey{
                r[1], r[3].split(QChar(0x1f)), r[2], r[4].split(QChar(0x1f)), action(r[5]), action(r[6])};
        std::sort(tables.begin(), tables.end(),
                  [](const CatalogTable& a, const CatalogTable& b) { return a.name < b.name; });
        return tables;
    }

private:
    QString data() const { return dir_.filePath(QStringLiteral("data")); }
    QString user() const { return QStringLiteral("postgres"); }

    ProgramResult psql(const QString& database, const QStringList& arguments, const QByteArray& input = {}) {
        return runProgram(QStringLiteral("/usr/bin/psql"),
                          QStringList{QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-h"),
                                      dir_.path(), QStringLiteral("-U"), QStringLiteral("postgres"),
                                      QStringLiteral("-d"), database, QStringLiteral("-v"),
                                      QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-A"),
                                      QStringLiteral("-t"), QStringLiteral("-F"), QStringLiteral("\t")} +
                              arguments,
                          input);
    }

    QList<QStringList> select(const QString& sql) override { return query(sql); }
    QList<QStringList> query(const QString& sql) {
        return rows(psql(database_, {QStringLiteral("-c"), sql}).out);
    }

    QTemporaryDir dir_;
    QString bin_;
    QString database_;
    int loads_ = 0;
    bool started_ = false;
};

} // namespace

std::unique_ptr<TestServer> startPostgres(QString& why) {
    auto server = std::make_unique<PostgresServer>();
    if (!server->start(why))
        return nullptr;
    return server;
}
