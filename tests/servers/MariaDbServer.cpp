// MariaDB (Debian's mariadb-server): mariadb-install-db and mariadbd in a temporary folder, on a Unix socket
// in that folder, with networking off; never the system service.
#include "ServerProcess.h"
#include "TestServer.h"

#include <QFile>
#include <QProcess>
#include <QThread>

namespace {

class MariaDbServer : public TestServer {
public:
    ~MariaDbServer() override {
        if (server_.state() != QProcess::NotRunning) {
            runProgram(admin_, {QStringLiteral("--no-defaults"), QStringLiteral("--socket=") + socket(),
                                QStringLiteral("-uroot"), QStringLiteral("shutdown")});
            if (!server_.waitForFinished(30000)) {
                server_.kill();
                server_.waitForFinished();
            }
        }
    }

    bool start(QString& why) {
        const QString install = findProgram(
            {QStringLiteral("/usr/bin/mariadb-install-db"), QStringLiteral("/usr/bin/mysql_install_db")});
        const QString daemon =
            findProgram({QStringLiteral("/usr/sbin/mariadbd"), QStringLiteral("/usr/sbin/mysqld")});
        client_ = findProgram({QStringLiteral("/usr/bin/mariadb"), QStringLiteral("/usr/bin/mysql")});
        admin_ =
            findProgram({QStringLiteral("/usr/bin/mariadb-admin"), QStringLiteral("/usr/bin/mysqladmin")});
        if (install.isEmpty() || daemon.isEmpty() || client_.isEmpty() || admin_.isEmpty()) {
            why = QStringLiteral("MariaDB is not installed (Debian package mariadb-server)");
            return false;
        }
        if (!dir_.isValid()) {
            why = QStringLiteral("no temporary folder");
            return false;
        }
        const QString user = runningAsRoot() ? QStringLiteral("--user=root") : QString();
        // Temporary tables in the server's own folder, not /tmp: servers started at once elsewhere on the
        // machine can pick the same file names there.
        QStringList arguments{QStringLiteral("--no-defaults"),
                              QStringLiteral("--datadir=") + data(),
                              QStringLiteral("--tmpdir=") + dir_.path(),
                              QStringLiteral("--auth-root-authentication-method=normal"),
                              QStringLiteral("--skip-test-db"),
                              QStringLiteral("--skip-name-resolve")};
        if (!user.isEmpty())
            arguments << user;
        const ProgramResult installed = runProgram(install, arguments);
        if (!installed.ok()) {
            why = QStringLiteral("mariadb-install-db failed: ") + installed.message();
            return false;
        }
        QStringList serverArguments{
            QStringLiteral("--no-defaults"),
            QStringLiteral("--datadir=") + data(),
            QStringLiteral("--tmpdir=") + dir_.path(),
            QStringLiteral("--socket=") + socket(),
            QStringLiteral("--pid-file=") + dir_.filePath(QStringLiteral("mariadb.pid")),
            QStringLiteral("--log-error=") + dir_.filePath(QStringLiteral("error.log")),
            QStringLiteral("--skip-networking"),
            QStringLiteral("--innodb-buffer-pool-size=64M"),
            QStringLiteral("--innodb-log-file-size=48M"),
            QStringLiteral("--innodb-flush-log-at-trx-commit=0")};
        if (!user.isEmpty())
            serverArguments << user;
        server_.start(daemon, serverArguments);
        if (!server_.waitForStarted(30000)) {
            why = QStringLiteral("mariadbd would not start");
            return false;
        }
        for (int i = 0; i < 600; ++i) {
            if (runProgram(admin_, {QStringLiteral("--no-defaults"), QStringLiteral("--socket=") + socket(),
                                    QStringLiteral("-uroot"), QStringLiteral("ping")})
                    .ok())
                return true;
            if (server_.state() == QProcess::NotRunning)
                break;
            QThread::msleep(100);
        }
        QFile log(dir_.filePath(QStringLiteral("error.log")));
        log.open(QIODevice::ReadOnly);
        why = QStringLiteral("mariadbd did not answer: ") + QString::fromUtf8(log.readAll().right(2000));
        return false;
    }

    LoadResult load(const QByteArray& script) override {
        database_ = QStringLiteral("load%1").arg(++loads_);
        const ProgramResult created =
            client({QStringLiteral("-e"),
                    QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(database_)});
        if (!created.ok())
            return {false, created.message()};
        // A script is read as a stock client reads it: with no option file and the client's own default
        // character set, so that only the script's own SET NAMES can make its text arrive whole.
        const ProgramResult loaded =
            runProgram(client_,
                       {QStringLiteral("--no-defaults"), QStringLiteral("--socket=") + socket(),
                        QStringLiteral("-uroot"), database_},
                       script);
        return {loaded.ok(), loaded.message()};
    }

    QString createDatabase() override {
        database_ = QStringLiteral("load%1").arg(++loads_);
        client({QStringLiteral("-e"),
                QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(database_)});
        return QStringLiteral("mysql://root@localhost/%1?socket=%2").arg(database_, socket());
    }

    LoadResult execute(const QString& statement) override {
        const ProgramResult r = database_.isEmpty() ? client({QStringLiteral("-e"), statement})
                                                    : client({database_, QStringLiteral("-e"), statement});
        return {r.ok(), r.message()};
    }

    Catalog catalog() override {
        Catalog tables;
        const auto table = [&tables](const QString& name) -> CatalogTable& {
            return catalogTable(tables, name);
        };
        const QString schema = QLatin1Char('\'') + database_ + QLatin1Char('\'');
        for (const QStringList& r :
             query(QStringLiteral("SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = %1 "
                                  "AND TABLE_TYPE = 'BASE TABLE'")
                       .arg(schema)))
            table(r[0]);
        for (const QStringList& r :
             query(QStringLiteral("SELECT TABLE_NAME, COLUMN_NAME, COLUMN_TYPE, IS_NULLABLE FROM "
                                  "information_schema.COLUMNS WHERE TABLE_SCHEMA = %1 AND TABLE_NAME IN "
                                  "(SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = %1 "
                                  "AND TABLE_TYPE = 'BASE TABLE') ORDER BY TABLE_NAME, ORDINAL_POSITION")
                       .arg(schema)))
            table(r[0]).columns << CatalogTableColumn{r[1], r[2].toLower(), r[3] == QLatin1String("NO")};
        for (const QStringList& r :
             query(QStringLiteral("SELECT TABLE_NAME, INDEX_NAME, NON_UNIQUE, COLUMN_NAME, COLLATION FROM "
                                  "information_schema.STATISTICS WHERE TABLE_SCHEMA = %1 "
                                  "ORDER BY TABLE_NAME, INDEX_NAME, SEQ_IN_INDEX")
                       .arg(schema))) {
            CatalogTable& t = table(r[0]);
            const QString column = r[3] + (r[4] == QLatin1String("D") ? QStringLiteral(" DESC") : QString());
            if (r[1] == QLatin1String("PRIMARY")) {
                t.primaryKey << r[3];
                continue;
            }
            if (t.indexes.isEmpty() || t.indexes.last().name != r[1])
                t.indexes << CatalogIndex{r[1], {}, r[2] == QLatin1String("0")};
            t.indexes.last().columns << column;
        }
        for (const QStringList& r :
             query(QStringLiteral("SELECT k.TABLE_NAME, k.CONSTRAINT_NAME, k.COLUMN_NAME, "
                                  "k.REFERENCED_TABLE_NAME, k.REFERENCED_COLUMN_NAME, "
                                  "c.UPDATE_RULE, c.DELETE_RULE FROM information_schema.KEY_COLUMN_USAGE k "
                                  "JOIN information_schema.REFERENTIAL_CONSTRAINTS c ON c.CONSTRAINT_SCHEMA "
                                  "= k.CONSTRAINT_SCHEMA "
                                  "AND c.CONSTRAINT_NAME = k.CONSTRAINT_NAME AND c.TABLE_NAME = k.TABLE_NAME "
                                  "WHERE k.TABLE_SCHEMA = %1 AND k.REFERENCED_TABLE_NAME IS NOT NULL "
                                  "ORDER BY k.TABLE_NAME, k.CONSTRAINT_NAME, k.ORDINAL_POSITION")
                       .arg(schema))) {
            CatalogTable& t = table(r[0]);
            const auto rule = [](const QString& text) {
                return text == QLatin1String("RESTRICT") ? QStringLiteral("NO ACTION") : text;
            };
            if (t.foreignKeys.isEmpty() || t.foreignKeys.last().name != r[1])
                t.foreignKeys << CatalogForeignKey{r[1], {}, r[3], {}, rule(r[5]), rule(r[6])};
            t.foreignKeys.last().columns << r[2];
            t.foreignKeys.last().referencedColumns << r[4];
        }
        std::sort(tables.begin(), tables.end(),
                  [](const CatalogTable& a, const CatalogTable& b) { return a.name < b.name; });
        return tables;
    }

private:
    QString data() const { return dir_.filePath(QStringLiteral("data")); }
    QString socket() const { return dir_.filePath(QStringLiteral("mariadb.sock")); }

    ProgramResult client(const QStringList& arguments, const QByteArray& input = {}) {
        return runProgram(client_,
                          QStringList{QStringLiteral("--no-defaults"), QStringLiteral("--socket=") + socket(),
                                      QStringLiteral("-uroot"),
                                      QStringLiteral("--default-character-set=utf8mb4"), QStringLiteral("-N"),
                                      QStringLiteral("-B"), QStringLiteral("-r")} +
                              arguments,
                          input);
    }

    QList<QStringList> select(const QString& sql) override { return query(sql); }
    QList<QStringList> query(const QString& sql) {
        return rows(client({database_, QStringLiteral("-e"), sql}).out);
    }

    QTemporaryDir dir_;
    QProcess server_;
    QString client_;
    QString admin_;
    QString database_;
    int loads_ = 0;
};

} // namespace

std::unique_ptr<TestServer> startMariaDb(QString& why) {
    auto server = std::make_unique<MariaDbServer>();
    if (!server->start(why))
        return nullptr;
    return server;
}
