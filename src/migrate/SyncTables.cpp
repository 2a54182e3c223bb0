#include "Sync.h"

#include "ChildTableRows.h"
#include "RowSender.h"
#include "SyncDifferingRows.h"
#include "SyncForeignKeys.h"
#include "SyncOrphans.h"
#include "SyncStatements.h"
#include "SyncUndo.h"

#include "CompleteScript.h"
#include "LiveConnection.h"
#include "SchemaReader.h"
#include "WindowOps.h"

namespace {

std::string utf8(const QString& text) {
    return text.toStdString();
}

bool sameName(const QString& a, const QString& b, bool keepCase) {
    return a.compare(b, keepCase ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

// One table of the file (a child table of complex columns too) and what the run does with it.
struct Planned {
    const TablePlan* table = nullptr;
    int top = 0; // the table of the file it belongs to
    bool exists = false;
    QString staged{};  // the temporary table its rows are loaded into, where the target holds it
    qint64 report = 0; // its line in the report
    std::optional<TableDigest> sent{};
    Survey surveyed{}; // what the last survey of a keyed table found
};

class Sync {
public:
    Sync(const TargetDialect& dialect, const ConversionOptions& options, const MigrationRequest& request,
         CompleteScript& script, LiveConnection& target, SyncReport& report, WindowOps& window,
         SchemaReader& reader, const RowProgress& progress)
        : d_(dialect), kind_(request.address.kind), options_(options), request_(request), script_(script),
          target_(target), report_(report), window_(window), reader_(reader), progress_(progress) {}

    // Which tables the target holds, and the tables only it holds.
    bool survey() {
        auto names = baseTableNames(target_, kind_);
        if (auto* why = std::get_if<QString>(&names))
            return ok(*why);
        const QStringList held = std::get<QStringList>(names);
        QStringList ours;
        const ScriptPlan& plan = script_.plan();
        for (int i = 0; i < plan.tables.size(); ++i) {
            if (!plan.tables[i].written)
                continue;
            const auto add = [&](const TablePlan& t) {
                Planned p{.table = &t, .top = i};
                for (const QString& name : held)
                    p.exists = p.exists || sameName(name, t.name, target_.namesKeepCase());
                ours << t.name;
                tables_ << p;
            };
            add(plan.tables[i]);
            for (const TablePlan& child : plan.tables[i].children)
                add(child);
        }
        if (request_.tables.isEmpty())
            for (const QString& name : held) {
                bool found = false;
                for (const QString& our : ours)
                    found = found || sameName(name, our, target_.namesKeepCase());
                if (!found)
                    report_.onlyInTarget << name;
            }
        return true;
    }

    // Every table the target holds gets its temporary table, whose columns are then compared with the
    // target's; nothing of the target is changed before all agree.
    bool stage() {
        for (int n = 0; n < tables_.size(); ++n) {
            Planned& p = tables_[n];
            const bool parentNew = !tables_[firstOf(p.top)].exists;
            if (!p.exists) {
                if (!parentNew)
                    report_.differences << QStringLiteral("Table %1: not in the target, though %2 is")
                                               .arg(p.table->name, script_.plan().tables[p.top].name);
                continue;
            }
            if (parentNew) {
                report_.differences << QStringLiteral("Table %1: in the target, though %2 is not")
                                           .arg(p.table->name, script_.plan().tables[p.top].name);
                continue;
            }
            p.staged = QStringLiteral("veltrane_sync_%1").arg(n + 1);
            if (!ok(target_.execute(stagingTable(kind_, d_, *p.table, p.staged))))
                return false;
            if (p.table->primaryKey &&
                !ok(target_.execute(keptTableDefinition(kind_, d_, *p.table, p.staged))))
                return false;
            auto held = catalogColumns(target_, kind_, d_, p.table->name, false);
            auto staged = catalogColumns(target_, kind_, d_, p.staged, true);
            if (auto* why = std::get_if<QString>(&held))
                return ok(*why);
            if (auto* why = std::get_if<QString>(&staged))
                return ok(*why);
            const QStringList differ =
                columnDifferences(std::get<QList<TargetColumn>>(held), std::get<QList<TargetColumn>>(staged),
                                  kind_ == TargetKind::PostgreSql);
            if (!differ.isEmpty())
                report_.differences
                    << QStringLiteral("Table %1: %2").arg(p.table->name, differ.join(QStringLiteral("; ")));
        }
        return true;
    }

    // The tables the target does not hold, made as a migration makes them.
    bool createNew() {
        for (int i = 0; i < script_.tableCount(); ++i) {
            const int first = firstOf(i);
            if (first < 0 || tables_[first].exists)
                continue;
            if (!ok(target_.execute(utf8(script_.tableDefinition(i)))))
                return false;
            for (int n = first; n < tables_.size() && tables_[n].top == i; ++n)
                created_ << tables_[n].table->name;
        }
        return true;
    }

    // The rows of the file: into the temporary tables, and into the tables just made.
    bool load() {
        if (d_.rowsSetup && !ok(target_.execute(d_.rowsSetup)))
            return false;
        for (int i = 0; i < script_.tableCount(); ++i) {
            if (firstOf(i) < 0)
                continue;
            const bool done = writeWithChildTables(script_.plan().tables[i],
                                                   [&](const TablePlan& t, const QString& readName,
                                                       const PrepareBatch& prepare,
                                                       const std::function<QStringList()>& lateNotes) {
                                                       if (!rows(t, readName, i, prepare))
                                                           return false;
                                                       if (lateNotes)
                                                           report_.run.warnings << lateNotes();
                                                       return true;
                                                   });
            if (!done)
                return false;
        }
        return true;
    }

    // The target's tables changed: first the rows the file no longer has, the last table first, so that a
    // key another table's rows used is gone after them; then the changed and the new rows. Each table is
    // surveyed first, and only the changes it needs are made; after a delete, which a foreign key may have
    // cascaded to other tables, they are surveyed again. Last, no row may be left referencing nothing.
    bool change() {
        if (kind_ == TargetKind::PostgreSql && !deferForeignKeys())
            return false;
        if (!changeRows())
            return false;
        if (kind_ != TargetKind::PostgreSql)
            return ok(orphanedRows(target_, kind_, tableNames(true), tableNames(false)));
        // The foreign keys checked now, and made again as they were.
        if (!ok(target_.execute("SET CONSTRAINTS ALL IMMEDIATE")))
            return false;
        for (const QString& constraint : deferred_)
            if (!ok(target_.execute(utf8(constraint + QStringLiteral(" NOT DEFERRABLE")))))
                return false;
        return true;
    }

private:
    // PostgreSQL checks a foreign key at the end of each statement unless it was made deferrable: a table's
    // new rows may name a key that a later table's INSERT brings. Inside the transaction, the schema's
    // foreign keys are made deferred until every table is changed, and then made again as they were.
    bool deferForeignKeys() {
        auto rows = target_.query(
            "SELECT format('ALTER TABLE %s ALTER CONSTRAINT %I', conrelid::regclass, conname) FROM "
            "pg_constraint "
            "WHERE contype = 'f' AND NOT condeferrable AND connamespace = current_schema()::regnamespace");
        if (const auto* why = std::get_if<QString>(&rows))
            return ok(*why);
        for (const QStringList& row : std::get<QList<QStringList>>(rows)) {
            if (!ok(target_.execute(utf8(row.value(0) + QStringLiteral(" DEFERRABLE INITIALLY DEFERRED")))))
                return false;
            deferred_ << row.value(0);
        }
        return true;
    }

    bool changeRows() {
        bool deleted = false;
        for (qsizetype n = tables_.size() - 1; n >= 0; --n) {
            Planned& p = tables_[n];
            if (p.staged.isEmpty())
                continue;
            TableSync& line = report_.tables[p.report];
            if (!p.table->primaryKey) {
                // Replaced only where its rows are not the file's already.
                if (!ok(prepareReadBack(target_, kind_)))
                    return false;
                auto held = heldDigest(target_, kind_, d_, *p.table);
                if (const auto* why = std::get_if<QString>(&held))
                    return ok(*why);
                if (std::get<TableDigest>(held) == *p.sent)
                    continue;
                line.how = TableSync::How::Replaced;
                const std::string empty =
                    utf8(QStringLiteral("DELETE FROM %1").arg(quoteName(d_, p.table->name)));
                if (!count(changedRows(target_, kind_, empty), line.deleted))
                    return false;
                deleted = deleted || line.deleted > 0;
                continue;
            }
            const KeyedChanges changes = keyedChanges(kind_, d_, *p.table, p.staged, keptTable(p.staged));
            if (!survey(changes, p))
                return false;
            if (p.surveyed.gone > 0 &&
                !count(deleteGone(target_, kind_, d_, changes, p.staged), line.deleted))
                return false;
            deleted = deleted || line.deleted > 0;
        }
        for (Planned& p : tables_) {
            if (p.staged.isEmpty())
                continue;
            TableSync& line = report_.tables[p.report];
            if (window_.showsProgress())
                window_.setProgress(QStringLiteral("Synchronizing %1").arg(p.table->name));
            if (!p.table->primaryKey) {
                if (line.how == TableSync::How::Replaced &&
                    !count(changedRows(target_, kind_, copyStaged(d_, *p.table, p.staged)), line.inserted))
                    return false;
                continue;
            }
            const KeyedChanges changes = keyedChanges(kind_, d_, *p.table, p.staged, keptTable(p.staged));
            if (deleted && !survey(changes, p))
                return false;
            auto changed = changeDiffering(target_, kind_, changes, p.surveyed);
            if (const auto* why = std::get_if<QString>(&changed))
                return ok(*why);
            line.updated = std::get<Changed>(changed).updated;
            line.inserted = std::get<Changed>(changed).inserted;
        }
        return true;
    }

public:
    // The new tables' indexes and foreign keys, and every AutoNumber's counter set past the highest value,
    // as a migration sets them.
    bool finishTables() {
        for (int i = 0; i < script_.tableCount(); ++i) {
            const int first = firstOf(i);
            if (first < 0 || tables_[first].exists)
                continue;
            const QString indexes = script_.tableIndexes(i);
            if (!indexes.trimmed().isEmpty() && !ok(target_.execute(utf8(indexes))))
                return false;
        }
        // MySQL checks the rows against a foreign key it adds only with its checks on.
        const auto made = foreignKeysOfMadeTables(target_, kind_, d_, script_.plan(), created_);
        if (const auto* why = std::get_if<QString>(&made))
            return ok(*why);
        const QStringList& keys = std::get<QStringList>(made);
        if (!keys.isEmpty() && kind_ == TargetKind::MySql &&
            !ok(target_.execute("SET FOREIGN_KEY_CHECKS = 1")))
            return false;
        for (const QString& key : keys)
            if (!ok(target_.execute(utf8(key))))
                return false;
        if (d_.counterStatement)
            for (const Planned& p : tables_)
                for (const ColumnPlan& c : p.table->columns)
                    if (c.written && c.identity &&
                        !ok(target_.execute(utf8(d_.counterStatement(d_, p.table->name, c.name)))))
                        return false;
        return true;
    }

    // Every table's rows read back and compared with the digest of the file's.
    bool verify() {
        if (!ok(prepareReadBack(target_, kind_)))
            return false;
        for (const Planned& p : tables_) {
            if (!p.sent)
                continue;
            if (window_.showsProgress())
                window_.setProgress(QStringLiteral("Verifying %1").arg(p.table->name));
            auto held = heldDigest(target_, kind_, d_, *p.table);
            if (const auto* why = std::get_if<QString>(&held))
                return ok(*why);
            report_.tables[p.report].values = std::get<TableDigest>(held) == *p.sent
                                                  ? TableCount::Values::Same
                                                  : TableCount::Values::Different;
        }
        report_.run.verified = true;
        return true;
    }

    // SQLite keeps its temporary tables in a file of the connection's own, deleted as it closes after the
    // run; a DROP inside the transaction would first copy every page of the staged rows to that file's
    // journal.
    bool dropStaged() {
        if (kind_ == TargetKind::Sqlite)
            return true;
        const QString drop = kind_ == TargetKind::MySql ? QStringLiteral("DROP TEMPORARY TABLE %1")
                                                        : QStringLiteral("DROP TABLE %1");
        for (const Planned& p : tables_) {
            if (p.staged.isEmpty())
                continue;
            if (!ok(target_.execute(utf8(drop.arg(quoteName(d_, p.staged))))))
                return false;
            if (p.table->primaryKey &&
                !ok(target_.execute(utf8(drop.arg(quoteName(d_, keptTable(p.staged)))))))
                return false;
        }
        return true;
    }

    bool ok(Failure failure) {
        if (!failure)
            return true;
        report_.run.failure = *failure;
        report_.run.ending = MigrationReport::Ending::Failed;
        return false;
    }

    const QStringList& created() const { return created_; }

private:
    int firstOf(int top) const {
        for (int n = 0; n < tables_.size(); ++n)
            if (tables_[n].top == top)
                return n;
        return -1;
    }

    Planned* find(const TablePlan& t) {
        for (Planned& p : tables_)
            if (p.table == &t)
                return &p;
        return nullptr;
    }

    // The tables the sync synchronizes; changed: those whose rows it changed.
    QStringList tableNames(bool changed) const {
        QStringList names;
        for (const Planned& p : tables_) {
            const TableSync& line = report_.tables[p.report];
            if (!changed || line.inserted + line.updated + line.deleted > 0)
                names << p.table->name;
        }
        return names;
    }

    bool survey(const KeyedChanges& changes, Planned& p) {
        auto surveyed = surveyTable(target_, kind_, d_, changes, p.staged, report_.tables[p.report].inFile);
        if (const auto* why = std::get_if<QString>(&surveyed))
            return ok(*why);
        p.surveyed = std::get<Survey>(surveyed);
        return true;
    }

    bool count(const std::variant<QString, qint64>& changed, qint64& into) {
        if (const auto* why = std::get_if<QString>(&changed))
            return ok(*why);
        into = std::get<qint64>(changed);
        return true;
    }

    bool rows(const TablePlan& t, const QString& readName, int i, const PrepareBatch& prepare) {
        Planned* p = find(t);
        if (!p)
            return true;
        // The rows go into the temporary table, which is the target's table by another name.
        TablePlan staged = t;
        if (!p->staged.isEmpty())
            staged.name = p->staged;
        // A table without a primary key is compared whole by the digest of its rows.
        RowSender sender(d_, staged, target_, request_.verify || !t.primaryKey);
        Failure failure;
        bool stopped = false;
        const RowsRead read = reader_.ReadTableRows(options_.DatabasePath, readName, [&](const RowBatch& b) {
            failure = sender.batch(prepare(b));
            if (failure)
                return false;
            if (progress_ && !progress_(t.table->name, sender.rows(), i, script_.tableCount())) {
                stopped = true;
                return false;
            }
            return true;
        });
        if (stopped) {
            report_.run.ending = MigrationReport::Ending::Stopped;
            return false;
        }
        if (!ok(failure) || !ok(sender.finish()))
            return false;
        p->report = report_.tables.size();
        p->sent = sender.digest();
        TableSync line{.name = t.name, .inFile = sender.rows()};
        if (p->staged.isEmpty()) {
            line.how = TableSync::How::Created;
            line.inserted = sender.rows();
        }
        report_.tables << line;
        report_.run.warnings << sender.notes();
        if (read.failure || !read.complete) {
            // A sync from rows that are not all there would delete the rest from the target.
            return ok(QStringLiteral("table %1: %2 rows read; %3")
                          .arg(t.table->name)
                          .arg(sender.rows())
                          .arg(read.failure ? read.failure->description
                                            : QStringLiteral("the rest could not be read")));
        }
        if (window_.showsProgress())
            window_.setProgress(QStringLiteral("%1: %2 rows").arg(t.table->name).arg(sender.rows()));
        return true;
    }

    const TargetDialect& d_;
    TargetKind kind_;
    const ConversionOptions& options_;
    const MigrationRequest& request_;
    CompleteScript& script_;
    LiveConnection& target_;
    SyncReport& report_;
    WindowOps& window_;
    SchemaReader& reader_;
    const RowProgress& progress_;
    QList<Planned> tables_;
    QStringList created_;
    QStringList deferred_; // PostgreSQL: "ALTER TABLE t ALTER CONSTRAINT c" of the foreign keys deferred
};

} // namespace

SyncReport runSync(const ConversionOptions& options, const MigrationRequest& request, WindowOps& window,
                   SchemaReader& reader, const RowProgress& progress) {
    SyncReport report;
    report.run.target = describeTarget(request.address);
    const TargetKind kind = request.address.kind;
    const TargetDialect& dialect = targetDialect(kind);
    ConversionOptions planned = options;
    planned.ScriptType = dialect.scriptType;

    CompleteScript script(dialect, planned, ScriptContents::SchemaAndRows);
    if (!planChosenTables(script, planned, DataRequest{.tables = request.tables}, window, reader,
                          report.run.run, report.run.missingTables)) {
        report.run.ending = MigrationReport::Ending::Unreadable;
        return report;
    }
    Connected connected = connectTarget(request.address, request.password);
    if (auto* why = std::get_if<QString>(&connected)) {
        report.run.ending = MigrationReport::Ending::NotConnected;
        report.run.failure = *why;
        return report;
    }
    LiveConnection& target = *std::get<std::unique_ptr<LiveConnection>>(connected);
    report.run.server = target.serverVersion();

    Sync sync(dialect, planned, request, script, target, report, window, reader, progress);
    const bool mysql = kind == TargetKind::MySql;
    // MySQL checks foreign keys row by row, and the rows of related tables change one table after another.
    // PostgreSQL keeps the temporary tables in the session's own buffers (8 MB unless set before their first
    // use): a table of a million rows would otherwise go to disk and back for each statement.
    const char* begin = mysql ? "SET FOREIGN_KEY_CHECKS = 0"
                        : kind == TargetKind::Sqlite
                            ? "BEGIN; PRAGMA defer_foreign_keys = ON"
                            : "SET temp_buffers = '256MB'; SET work_mem = '256MB'; BEGIN";
    if (!sync.ok(target.execute(begin)) || !sync.survey() || !sync.stage()) {
        undoSync(target, kind, dialect, {}, false, report);
        report.run.rolledBack = false;
        return report;
    }
    if (!report.differences.isEmpty()) {
        undoSync(target, kind, dialect, {}, false, report);
        report.run.rolledBack = false;
        report.run.ending = MigrationReport::Ending::Failed;
        return report;
    }
    bool committed = false; // MySQL: the row changes, before the new tables' foreign keys
    const bool done =
        sync.createNew() && (!mysql || sync.ok(target.execute("START TRANSACTION"))) && sync.load() &&
        sync.change() && (!mysql || (committed = sync.ok(target.execute("COMMIT")))) && sync.finishTables() &&
        (!request.verify || sync.verify()) && sync.dropStaged() &&
        (mysql ? sync.ok(target.execute("SET FOREIGN_KEY_CHECKS = 1")) : sync.ok(target.execute("COMMIT")));
    if (!done) {
        undoSync(target, kind, dialect, sync.created(), committed, report);
        return report;
    }
    report.run.ending = MigrationReport::Ending::Done;
    return report;
}
