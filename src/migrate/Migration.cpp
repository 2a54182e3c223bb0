#include "Migration.h"

#include "ChildTableRows.h"
#include "LeftOutValues.h"
#include "QueryViews.h"
#include "RequiredAfterRows.h"
#include "RowSender.h"
#include "TargetSpace.h"
#include "ValidationChecks.h"

#include "CompleteScript.h"
#include "LiveConnection.h"
#include "SchemaReader.h"
#include "TextCase.h"
#include "WindowOps.h"

#include <QMap>

namespace {

std::string utf8(const QString& text) {
    return text.toStdString();
}

bool sameName(const QString& a, const QString& b, bool keepCase) {
    return a.compare(b, keepCase ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

// The reading of the file, from the states of its tables and the tables whose rows could not all be read.
void endRun(RunOutcome& run, const CompleteScript& script) {
    for (int i = 0; i < script.tableCount(); ++i) {
        const TableDefinition& table = script.table(i);
        if (table.columnsState == ReadState::NotRead)
            run.notReadTables << table.name;
        else if ((table.columnsState == ReadState::Unreadable ||
                  table.indexesState == ReadState::Unreadable) &&
                 !run.unreadableTables.contains(table.name))
            run.unreadableTables << table.name;
    }
    run.ending = run.unreadableTables.isEmpty() ? RunOutcome::Ending::Done : RunOutcome::Ending::PartlyRead;
}

// Carries the migration out on an open connection; the caller undoes it on failure.
class Load {
public:
    Load(const TargetDialect& dialect, const ConversionOptions& options, const MigrationRequest& request,
         CompleteScript& script, LiveConnection& target, MigrationReport& report, WindowOps& window,
         SchemaReader& reader, const RowProgress& progress)
        : d_(dialect), options_(options), request_(request), script_(script), target_(target),
          report_(report), window_(window), reader_(reader), progress_(progress) {}

    bool run() {
        const ScriptPlan& plan = script_.plan();
        const bool transaction = request_.address.kind != TargetKind::MySql;
        if (transaction && !ok(target_.execute("BEGIN")))
            return false;
        if (!report_.existing.isEmpty() && !dropExisting())
            return false;
        if (const QString setup = textCaseSetup(d_, options_.CaseOfTexts);
            !setup.isEmpty() && !ok(target_.execute(utf8(setup))))
            return false;
        for (int i = 0; i < script_.tableCount(); ++i) {
            if (!plan.tables[i].written)
                continue;
            if (!ok(target_.execute(utf8(script_.tableDefinition(i)))))
                return false;
            created_ << plan.tables[i].name;
            for (const TablePlan& child : plan.tables[i].children)
                created_ << child.name;
        }
        if (d_.rowsSetup && !ok(target_.execute(d_.rowsSetup)))
            return false;
        if (!transaction && !ok(target_.execute("START TRANSACTION")))
            return false;
        for (int i = 0; i < script_.tableCount(); ++i)
            if (plan.tables[i].written && !tableRows(i))
                return false;
        if (!transaction && !ok(target_.execute("COMMIT")))
            return false;
        for (int i = 0; i < script_.tableCount(); ++i) {
            const QString indexes = script_.tableIndexes(i);
            if (!indexes.trimmed().isEmpty() && !ok(target_.execute(utf8(indexes))))
                return false;
        }
        const QString relationships = script_.relationshipScript();
        if (hasStatement(relationships) && !ok(target_.execute(utf8(relationships))))
            return false;
        if (d_.counterStatement)
            for (const TablePlan& t : plan.tables)
                for (const ColumnPlan& c : t.columns)
                    if (t.written && c.written && c.identity &&
                        !ok(target_.execute(utf8(d_.counterStatement(d_, t.name, c.name)))))
                        return false;
        // The views of the saved queries, last, as the complete scripts make them.
        const ViewsScript views =
            options_.CreateViews ? savedQueryViews(d_, options_, plan, reader_) : ViewsScript();
        if (hasStatement(views.text) && !ok(target_.execute(utf8(views.text))))
            return false;
        if (!views.text.isEmpty())
            report_.queries = savedQueryCounts(views);
        report_.views = views.views;
        report_.queriesLeft = views.left;
        if (!count())
            return false;
        if (request_.verify && !verify())
            return false;
        return !transaction || ok(target_.execute("COMMIT"));
    }

    const QStringList& created() const { return created_; }

private:
    bool ok(Failure failure) {
        if (!failure)
            return true;
        report_.failure = *failure;
        report_.ending = MigrationReport::Ending::Failed;
        return false;
    }

    // Whether the text holds more than comments.
    static bool hasStatement(const QString& text) {
        for (const QString& line : text.split(QStringLiteral("\r\n")))
            if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1String("--")))
                return true;
        return false;
    }

    bool dropExisting() {
        QStringList names;
        for (const QString& name : report_.existing)
            names << quoteName(d_, name);
        // SQLite drops one table a statement; the servers take them together, foreign keys among them too.
        const QString drop = request_.address.kind == TargetKind::Sqlite
                                 ? QStringLiteral("DROP TABLE ") + names.join(QStringLiteral("; DROP TABLE "))
                                 : QStringLiteral("DROP TABLE %1").arg(names.join(QStringLiteral(", ")));
        const bool mysql = request_.address.kind == TargetKind::MySql;
        // MySQL checks foreign keys from other tables even among the tables dropped together.
        const QString sql =
            mysql ? QStringLiteral("SET FOREIGN_KEY_CHECKS = 0; %1; SET FOREIGN_KEY_CHECKS = 1").arg(drop)
                  : drop;
        if (!ok(target_.execute(utf8(sql))))
            return false;
        report_.replaced = report_.existing;
        return true;
    }

    // The rows of the table, then those of its child tables, made from the rows of the hidden tables that
    // hold its complex columns' values with the keys of its rows gathered as they went by.
    bool tableRows(int i) {
        return writeWithChildTables(script_.plan().tables[i],
                                    [&](const TablePlan& t, const QString& readName,
                                        const PrepareBatch& prepare,
                                        const std::function<QStringList()>& lateNotes) {
                                        if (!rows(t, readName, i, prepare))
                                            return false;
                                        if (lateNotes)
                                            report_.warnings << lateNotes();
                                        return true;
                                    });
    }

    bool rows(const TablePlan& t, const QString& readName, int i, const PrepareBatch& prepare) {
        RowSender sender(d_, t, target_, request_.verify);
        RequiredAfterRows required(t);
        Failure failure;
        bool stopped = false;
        const RowsRead read = reader_.ReadTableRows(options_.DatabasePath, readName, [&](const RowBatch& b) {
            const RowBatch& sent = prepare(b);
            required.count(sent);
            failure = sender.batch(sent);
            if (failure)
                return false;
            if (progress_ && !progress_(t.table->name, sender.rows(), i, script_.tableCount())) {
                stopped = true;
                return false;
            }
            return true;
        });
        if (stopped) {
            report_.ending = MigrationReport::Ending::Stopped;
            return false;
        }
        if (!ok(failure) || !ok(sender.finish()))
            return false;
        const RequiredAfterRows::Ending requiredEnding = required.ending(d_);
        for (const QString& statement : requiredEnding.statements)
            if (!ok(target_.execute(utf8(statement))))
                return false;
        report_.warnings << requiredEnding.warnings;
        report_.tables << TableCount{.name = t.name, .read = sender.rows()};
        if (const std::optional<TableDigest> digest = sender.digest())
            sent_ << Sent{&t, *digest};
        report_.warnings << sender.notes();
        report_.leftOut << leftOutValueNotes(t, reader_, options_.DatabasePath);
        if (read.failure || !read.complete) {
            const QString why =
                read.failure ? read.failure->description : QStringLiteral("the rest could not be read");
            report_.warnings << QStringLiteral("Table %1: %2 rows sent; %3")
                                    .arg(t.table->name)
                                    .arg(sender.rows())
                                    .arg(why);
            report_.run.unreadableTables << t.table->name;
        }
        if (window_.showsProgress())
            window_.setProgress(QStringLiteral("%1: %2 rows").arg(t.table->name).arg(sender.rows()));
        return true;
    }

    bool count() {
        for (TableCount& t : report_.tables) {
            auto rows =
                target_.query(utf8(QStringLiteral("SELECT COUNT(*) FROM %1").arg(quoteName(d_, t.name))));
            if (const auto* why = std::get_if<QString>(&rows))
                return ok(*why);
            t.held = std::get<QList<QStringList>>(rows).value(0).value(0).toLongLong();
        }
        return true;
    }

    // Every table's rows read back and compared with the digest of what was sent.
    bool verify() {
        if (!ok(prepareReadBack(target_, request_.address.kind)))
            return false;
        for (int i = 0; i < sent_.size(); ++i) {
            if (window_.showsProgress())
                window_.setProgress(QStringLiteral("Verifying %1").arg(sent_[i].table->name));
            auto held = heldDigest(target_, request_.address.kind, d_, *sent_[i].table);
            if (const auto* why = std::get_if<QString>(&held))
                return ok(*why);
            report_.tables[i].values = std::get<TableDigest>(held) == sent_[i].digest
                                           ? TableCount::Values::Same
                                           : TableCount::Values::Different;
        }
        report_.verified = true;
        return true;
    }

    struct Sent {
        const TablePlan* table;
        TableDigest digest;
    };

    const TargetDialect& d_;
    const ConversionOptions& options_;
    const MigrationRequest& request_;
    CompleteScript& script_;
    LiveConnection& target_;
    MigrationReport& report_;
    WindowOps& window_;
    SchemaReader& reader_;
    const RowProgress& progress_;
    QStringList created_;
    QList<Sent> sent_; // in the order of report_.tables
};

// What a failed or stopped load leaves: PostgreSQL and SQLite roll the transaction back (a server that went
// away has discarded it itself); MySQL drops the tables the run made.
void undo(LiveConnection& target, const MigrationRequest& request, const TargetDialect& dialect,
          const QStringList& created, MigrationReport& report) {
    target.finish(); // the answer to a statement sent ahead, which would leave the connection out of step
    if (request.address.kind != TargetKind::MySql) {
        target.execute("ROLLBACK");
        report.rolledBack = true;
        target.abandon();
        return;
    }
    target.execute("ROLLBACK");
    if (created.isEmpty())
        return;
    QStringList names;
    for (const QString& name : created)
        names << quoteName(dialect, name);
    const std::string drop =
        utf8(QStringLiteral("SET FOREIGN_KEY_CHECKS = 0; DROP TABLE IF EXISTS %1; SET FOREIGN_KEY_CHECKS = 1")
                 .arg(names.join(QStringLiteral(", "))));
    Failure dropped = target.execute(drop);
    if (dropped) {
        // The connection is lost (the server went away, or killed it): a new one drops them if it can.
        Connected again = connectTarget(request.address, request.password);
        if (auto* connection = std::get_if<std::unique_ptr<LiveConnection>>(&again)) {
            const SpaceEntered space = enterSpace(**connection, request.address);
            dropped = space.failure ? space.failure : (*connection)->execute(drop);
        }
    }
    if (dropped)
        report.warnings << QStringLiteral("The tables made could not be dropped again (%1): %2")
                               .arg(created.join(QStringLiteral(", ")), *dropped);
    else
        report.dropped = created;
}

} // namespace

MigrationReport runMigration(const ConversionOptions& options, const MigrationRequest& request,
                             WindowOps& window, SchemaReader& reader, const RowProgress& progress) {
    MigrationReport report;
    report.target = describeTarget(request.address);
    const TargetDialect& dialect = targetDialect(request.address.kind);
    ConversionOptions planned = options;
    planned.ScriptType = dialect.scriptType;

    CompleteScript script(dialect, planned, ScriptContents::SchemaAndRows);
    if (!planChosenTables(script, planned, DataRequest{.tables = request.tables}, window, reader, report.run,
                          report.missingTables)) {
        report.ending = MigrationReport::Ending::Unreadable;
        return report;
    }

    Connected connected = connectTarget(request.address, request.password);
    if (auto* why = std::get_if<QString>(&connected)) {
        report.ending = MigrationReport::Ending::NotConnected;
        report.failure = *why;
        return report;
    }
    LiveConnection& target = *std::get<std::unique_ptr<LiveConnection>>(connected);
    report.server = target.serverVersion();
    const SpaceEntered space = enterSpace(target, request.address);
    if (space.failure) {
        report.ending = MigrationReport::Ending::Failed;
        report.failure = *space.failure;
        if (space.created)
            dropSpaceMade(target, request.address, request.password, report.warnings);
        return report;
    }

    auto names = target.tableNames();
    if (auto* why = std::get_if<QString>(&names)) {
        report.ending = MigrationReport::Ending::Failed;
        report.failure = *why;
        if (space.created)
            dropSpaceMade(target, request.address, request.password, report.warnings);
        return report;
    }
    for (const TablePlan& t : script.plan().tables) {
        QStringList made{t.name};
        for (const TablePlan& child : t.children)
            made << child.name;
        for (const QString& name : std::get<QStringList>(names))
            for (const QString& ours : made)
                if (t.written && sameName(ours, name, target.namesKeepCase()))
                    report.existing << name;
    }
    if (!report.existing.isEmpty() && !request.replace) {
        report.ending = MigrationReport::Ending::TablesExist;
        return report;
    }

    // Rules of the file that its own rows break, written only as far as the rows allow.
    report.warnings << script.plan().brokenRules;
    report.rules = validationRuleCounts(script.plan());
    report.rulesLeft = script.plan().rulesLeft;
    script.setClientDelimiters(false); // each statement goes to the server alone, through its library
    Load load(dialect, planned, request, script, target, report, window, reader, progress);
    if (!load.run()) {
        undo(target, request, dialect, load.created(), report);
        if (space.created)
            dropSpaceMade(target, request.address, request.password, report.warnings);
        return report;
    }
    endRun(report.run, script);
    const QString message = unreadTablesMessage(report.run);
    if (!message.isEmpty())
        window.showMessage(message);
    return report;
}
