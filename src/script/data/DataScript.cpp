#include "DataScript.h"

#include "ChildTableRows.h"
#include "CompleteScript.h"
#include "LeftOutValues.h"
#include "QueryViews.h"
#include "RequiredAfterRows.h"
#include "ResultsHeader.h"
#include "RowLiterals.h"
#include "RuleChecks.h"
#include "SchemaReader.h"
#include "TableSelection.h"
#include "TextCase.h"
#include "WindowOps.h"

#include <QMap>

#include <algorithm>

namespace {

constexpr std::size_t flushBytes = 1 << 20; // the script is handed to the sink in pieces of about 1 MiB

// Writes the script into the sink a piece at a time; remembers a refusal and writes nothing after it.
class Output {
public:
    explicit Output(const ByteSink& sink) : sink_(sink) { buffer_.reserve(flushBytes + flushBytes / 4); }
    std::string& text() { return buffer_; }
    void add(const QString& text) { buffer_ += text.toStdString(); }
    void statement(const TargetDialect& dialect, const ConversionOptions& options, const QString& text) {
        add(text);
        buffer_ += ";\r\n";
        if (dialect.go && options.CreateGo)
            buffer_ += "GO\r\n";
    }
    void flushIfFull() {
        if (buffer_.size() >= flushBytes)
            flush();
    }
    bool flush() {
        if (ok_ && !buffer_.empty())
            ok_ = sink_(buffer_);
        buffer_.clear();
        return ok_;
    }
    bool ok() const { return ok_; }

private:
    const ByteSink& sink_;
    std::string buffer_;
    bool ok_ = true;
};

// One table's rows: the written columns in order, in the dialect's form, batch after batch.
class TableRows {
public:
    TableRows(const TargetDialect& dialect, const ConversionOptions& options, const TablePlan& table,
              Output& out)
        : d_(dialect), options_(options), table_(table), out_(out) {
        for (int i = 0; i < table.columns.size(); ++i)
            if (table.columns[i].written)
                columns_ << i;
    }

    bool batch(const RowBatch& batch) {
        if (qsizetype(batch.columns) != table_.table->columns.size())
            return false;
        for (std::size_t r = 0; r < batch.rows(); ++r) {
            if (rows_ == 0)
                open();
            row(batch.row(r));
            ++rows_;
            if (d_.rowsForm == RowsForm::Inserts && rows_ % d_.rowsPerInsert == 0)
                endInsert();
            out_.flushIfFull();
        }
        return out_.ok();
    }

    // Ends the last statement; the problems met, and the notes given, as comments.
    void close(const QStringList& more) {
        notes_ << more;
        if (rows_ > 0) {
            if (d_.rowsForm == RowsForm::Copy)
                out_.text() += "\\.\r\n";
            else if (rows_ % d_.rowsPerInsert != 0)
                endInsert();
            if (identity())
                out_.statement(d_, options_,
                               QStringLiteral("SET IDENTITY_INSERT %1 OFF").arg(q(table_.name)));
        }
        for (auto p = problems_.cbegin(); p != problems_.cend(); ++p)
            notes_ << QStringLiteral("Table %1, column %2: %3 %4")
                          .arg(table_.table->name, p.key().first)
                          .arg(p.value())
                          .arg(QString::fromLatin1(valueProblemText(p.key().second)));
        for (const QString& note : notes_)
            out_.add(QStringLiteral("-- ") + note + QStringLiteral("\r\n"));
    }

    qint64 rows() const { return rows_; }
    const QStringList& notes() const { return notes_; }

private:
    QString q(const QString& name) const { return quoteName(d_, name); }
    bool identity() const {
        return d_.identityInsert && std::any_of(table_.columns.cbegin(), table_.columns.cend(),
                                                [](const ColumnPlan& c) { return c.written && c.identity; });
    }
    QString columnList() const {
        QStringList names;
        for (int i : columns_)
            names << q(table_.columns[i].name);
        return names.join(QStringLiteral(", "));
    }

    void open() {
        if (identity())
            out_.statement(d_, options_, QStringLiteral("SET IDENTITY_INSERT %1 ON").arg(q(table_.name)));
        if (d_.rowsForm == RowsForm::Copy)
            out_.add(QStringLiteral("COPY %1 (%2) FROM stdin;\r\n").arg(q(table_.name), columnList()));
    }

    void row(const DataValue* values) {
        std::string& text = out_.text();
        const bool copy = d_.rowsForm == RowsForm::Copy;
        if (!copy) {
            if (rows_ % d_.rowsPerInsert == 0)
                out_.add(QStringLiteral("INSERT INTO %1 (%2) VALUES\r\n(").arg(q(table_.name), columnList()));
            else
                text += ",\r\n(";
        }
        bool first = true;
        for (int i : columns_) {
            if (first)
                first = false;
            else if (copy)
                text.push_back('\t');
            else
                text.append(", ", 2);
            const ColumnPlan& c = table_.columns[i];
            const ValueProblem problem = copy ? appendCopyField(text, c.type.form, values[i])
                                              : appendSqlLiteral(text, d_, c.type.form, values[i]);
            if (problem != ValueProblem::None)
                ++problems_[{c.column->name, problem}];
        }
        text.append(copy ? "\r\n" : ")", copy ? 2 : 1);
    }

    void endInsert() {
        out_.text() += ";\r\n";
        if (d_.go && options_.CreateGo)
            out_.text() += "GO\r\n";
    }

    const TargetDialect& d_;
    const ConversionOptions& options_;
    const TablePlan& table_;
    Output& out_;
    QList<int> columns_;
    qint64 rows_ = 0;
    QMap<std::pair<QString, ValueProblem>, qint64> problems_;
    QStringList notes_;
};

bool named(const QStringList& tables, const QString& name) {
    return tables.contains(name, Qt::CaseInsensitive);
}

} // namespace

bool planChosenTables(CompleteScript& script, const ConversionOptions& options, const DataRequest& request,
                      WindowOps& window, SchemaReader& reader, RunOutcome& run, QStringList& missingTables) {
    QStringList found;
    // The tables are planned once the rows their rules depend on are read, which waits for the whole schema.
    QList<TableDefinition> chosen;
    const auto relationships = reader.ReadDatabaseSchema(options.DatabasePath, [&](TableDefinition&& table) {
        if (!request.tables.isEmpty() && !named(request.tables, table.name))
            return;
        found << table.name;
        if (writesTable(table, options))
            chosen << std::move(table);
    });
    if (const auto* failure = std::get_if<ReadFailure>(&relationships)) {
        run = endWithUnreadableDatabase(window, *failure);
        return false;
    }
    for (const QString& name : request.tables)
        if (!named(found, name))
            missingTables << name;
    if (!missingTables.isEmpty()) {
        run.ending = RunOutcome::Ending::DatabaseUnreadable;
        return false;
    }
    // Only a script that makes its tables and loads rows into them can be stopped by rows that break a rule.
    if (request.schema && script.contents() == ScriptContents::SchemaAndRows)
        script.setRowFacts(readRowFacts(script.dialect(), options.DatabasePath, chosen,
                                        std::get<QList<Relationship>>(relationships), reader, window));
    for (TableDefinition& table : chosen)
        script.addTable(std::move(table));
    script.finish(std::get<QList<Relationship>>(relationships));
    return true;
}

DataOutcome runDataScript(const TargetDialect& dialect, const ConversionOptions& options,
                          const DataRequest& request, WindowOps& window, SchemaReader& reader,
                          const ByteSink& sink, const RowProgress& progress) {
    DataOutcome outcome;
    CompleteScript script(dialect, options, ScriptContents::SchemaAndRows);
    if (!planChosenTables(script, options, request, window, reader, outcome.run, outcome.missingTables))
        return outcome;
    const ScriptPlan& plan = script.plan();
    const PlanCounts counts = plan.counts();
    outcome.warnings << plan.brokenRules;

    Output out(sink);
    out.add(
        commentedHeader(resultsHeader(options.DatabasePath, counts.tables, counts.fields, counts.indexes)));
    const auto statement = [&](const QString& text) { out.statement(dialect, options, text); };
    if (dialect.scriptSetup)
        statement(QString::fromLatin1(dialect.scriptSetup));
    if (const QString setup = textCaseSetup(dialect, options.CaseOfTexts); request.schema && !setup.isEmpty())
        statement(setup);
    if (dialect.begin && dialect.transactionHoldsTables)
        statement(QString::fromLatin1(dialect.begin));
    if (request.schema)
        for (int i = 0; i < script.tableCount(); ++i)
            out.add(script.tableDefinition(i) + QStringLiteral("\r\n"));
    if (dialect.rowsSetup)
        statement(QString::fromLatin1(dialect.rowsSetup));
    if (dialect.begin && !dialect.transactionHoldsTables)
        statement(QString::fromLatin1(dialect.begin));

    // Reads a table's rows (readName: the table the file keeps them in) and writes them as the table t;
    // prepare makes each batch read into the batch written. False when the run is to stop.
    const auto writeTable = [&](const TablePlan& t, const QString& readName, int tableNumber,
                                const PrepareBatch& prepare, const std::function<QStringList()>& lateNotes) {
        TableRows rows(dialect, options, t, out);
        RequiredAfterRows required(t);
        bool malformed = false;
        bool stopped = false;
        const RowsRead read =
            reader.ReadTableRows(options.DatabasePath, readName, [&](const RowBatch& batch) {
                const RowBatch& written = prepare(batch);
                required.count(written);
                if (!rows.batch(written)) {
                    malformed = out.ok();
                    return false;
                }
                if (progress && !progress(t.table->name, rows.rows(), tableNumber, script.tableCount())) {
                    stopped = true;
                    return false;
                }
                return true;
            });
        if (stopped) {
            outcome.written = false;
            outcome.run.ending = RunOutcome::Ending::Stopped;
            return false;
        }
        const std::size_t before = out.text().size();
        // The values of complex columns left without a child table are counted and named after the rows.
        const RequiredAfterRows::Ending requiredEnding = required.ending(dialect);
        rows.close((lateNotes ? lateNotes() : QStringList())
                   << leftOutValueNotes(t, reader, options.DatabasePath));
        for (const QString& note : requiredEnding.notes)
            out.add(QStringLiteral("-- ") + note + QStringLiteral("\r\n"));
        for (const QString& s : requiredEnding.statements)
            statement(s);
        if (!out.ok())
            return false;
        outcome.rows += rows.rows();
        outcome.warnings << rows.notes();
        outcome.warnings << requiredEnding.warnings;
        if (read.failure || !read.complete || malformed) {
            const QString why =
                read.failure ? read.failure->description : QStringLiteral("the rest could not be read");
            const QString note =
                QStringLiteral("Table %1: %2 rows written; %3").arg(t.table->name).arg(rows.rows()).arg(why);
            out.add(QStringLiteral("-- ") + note + QStringLiteral("\r\n"));
            outcome.warnings << note;
            outcome.run.unreadableTables << t.table->name;
        }
        if (window.showsProgress())
            window.setProgress(QStringLiteral("%1: %2 rows").arg(t.table->name).arg(rows.rows()));
        // A blank line after each table that wrote something.
        if (rows.rows() > 0 || out.text().size() != before)
            out.text() += "\r\n";
        return true;
    };

    bool goOn = true;
    for (int i = 0; i < script.tableCount() && out.ok() && goOn; ++i) {
        const TablePlan& t = plan.tables[i];
        if (!t.written)
            continue;
        goOn = writeWithChildTables(t, [&](const TablePlan& table, const QString& readName,
                                           const PrepareBatch& prepare,
                                           const std::function<QStringList()>& lateNotes) {
            return writeTable(table, readName, i, prepare, lateNotes);
        });
    }
    if (dialect.begin && !dialect.transactionHoldsTables)
        statement(QStringLiteral("COMMIT"));

    if (request.schema) {
        for (int i = 0; i < script.tableCount(); ++i) {
            const QString indexes = script.tableIndexes(i);
            if (!indexes.isEmpty())
                out.add(indexes + QStringLiteral("\r\n"));
        }
        out.add(script.relationshipScript());
    }
    if (dialect.counterStatement)
        for (const TablePlan& t : plan.tables)
            for (const ColumnPlan& c : t.columns)
                if (t.written && c.written && c.identity)
                    statement(dialect.counterStatement(dialect, t.name, c.name));
    if (dialect.begin && dialect.transactionHoldsTables)
        statement(QStringLiteral("COMMIT"));
    if (request.schema && options.CreateViews)
        out.add(savedQueryViews(dialect, options, plan, reader).text);
    outcome.written = out.flush();

    for (int i = 0; i < script.tableCount(); ++i) {
        const TableDefinition& table = script.table(i);
        if (table.columnsState == ReadState::NotRead)
            outcome.run.notReadTables << table.name;
        else if ((table.columnsState == ReadState::Unreadable ||
                  table.indexesState == ReadState::Unreadable) &&
                 !outcome.run.unreadableTables.contains(table.name))
            outcome.run.unreadableTables << table.name;
    }
    outcome.run.ending =
        outcome.run.unreadableTables.isEmpty() ? RunOutcome::Ending::Done : RunOutcome::Ending::PartlyRead;
    const QString message = unreadTablesMessage(outcome.run);
    if (!message.isEmpty())
        window.showMessage(message);
    return outcome;
}
