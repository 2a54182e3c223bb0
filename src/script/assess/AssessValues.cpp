#include "AssessValues.h"

#include "CompleteScript.h"
#include "RowLiterals.h"
#include "RuleChecks.h"
#include "SchemaReader.h"
#include "TargetDialect.h"
#include "ValueText.h"
#include "WindowOps.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>

namespace {

// In the order the assessment names the targets everywhere.
const std::array<const TargetDialect*, 4>& dialects() {
    static const std::array<const TargetDialect*, 4> all = {&postgreSqlDialect(), &mySqlDialect(),
                                                            &sqliteDialect(), &sqlServerDialect()};
    return all;
}

// The checks of the rows report no progress here: the assessment shows its own, a line per database.
class QuietWindow : public WindowOps {
public:
    ConversionOptions readOptions() override { return {}; }
    void setScriptText(const QString&) override {}
    QString scriptText() override { return {}; }
    void appendScript(const QString&) override {}
    void repaintScript() override {}
    void setProgress(const QString&) override {}
    bool showsProgress() const override { return false; }
    void uncheckCreatePermissions() override {}
    void showMessage(const QString&) override {}
};

// SQL Server's DATETIME begins at 1753-01-01 (day -53688 from 1899-12-30). The script's DATETIME2 holds
// earlier dates, but a column made DATETIME by hand or by another tool refuses them, so they are named.
constexpr double firstDatetimeDay = -53688;
const QString beforeDatetime = QStringLiteral(
    "dates before 1753-01-01, which SQL Server's DATETIME refuses (the script's DATETIME2 holds them)");

bool isBeforeDatetime(const DataValue& v) {
    return v.kind == ValueKind::DateTime && std::trunc(v.real) < firstDatetimeDay;
}

// The writers take the other kinds (numbers, Currency, Decimal, bytes) as they are in every form.
bool mayMeetProblem(ValueKind kind) {
    return kind == ValueKind::Single || kind == ValueKind::Double || kind == ValueKind::DateTime ||
           kind == ValueKind::Text || kind == ValueKind::Guid;
}

// A value as a person reads it: "-0", "NaN", "1700-05-01 00:00:00", a text with "\0" for NUL and "\r",
// "\n" for its line breaks.
QString exampleOf(const DataValue& v) {
    std::string out;
    switch (v.kind) {
    case ValueKind::DateTime:
        if (appendTimestamp(out, v.real))
            return QString::fromStdString(out);
        return QStringLiteral("day %1 from 1899-12-30").arg(v.real);
    case ValueKind::Text: {
        QString text = QString::fromUtf8(v.bytes.data(), qsizetype(v.bytes.size()));
        // Kept on one line of the report.
        text.replace(QChar(0), QStringLiteral("\\0"))
            .replace(QLatin1Char('\r'), QStringLiteral("\\r"))
            .replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        return text.size() > 60 ? text.left(60) + QStringLiteral("...") : text;
    }
    default:
        appendCsvField(out, v);
        return QString::fromStdString(out);
    }
}

// What each target's data script makes of a table's columns: their value forms, or none for a column the
// script does not write.
struct TableForms {
    const TargetDialect* dialect = nullptr;
    QList<std::optional<ValueForm>> forms;
};

QList<TableForms> formsOf(const TableDefinition& table,
                          const std::array<std::unique_ptr<CompleteScript>, 4>& scripts) {
    QList<TableForms> all;
    for (std::size_t d = 0; d < scripts.size(); ++d)
        for (const TablePlan& t : scripts[d]->plan().tables) {
            if (t.childRows || !t.table || t.table->name != table.name)
                continue;
            TableForms forms{dialects()[d], {}};
            for (const ColumnPlan& c : t.columns)
                forms.forms << (c.written ? std::optional(c.type.form) : std::nullopt);
            all << forms;
            break;
        }
    return all;
}

struct Found {
    qint64 values = 0;
    QString example;
};

// Reads the table's rows once and writes each value that may meet a problem as each target's rows would
// write it, counting what the writers say of it.
void tableValues(DatabaseFacts& facts, TableFacts& tableFacts, const TableDefinition& table,
                 const QList<TableForms>& targets, SchemaReader& reader) {
    // By target, column and what: in the order they are named.
    std::map<std::tuple<int, int, QString>, Found> found;
    std::string scratch;
    const auto add = [&](int target, int column, const QString& what, const DataValue& v) {
        Found& f = found[{target, column, what}];
        if (f.values++ == 0)
            f.example = exampleOf(v);
    };
    const RowsRead read = reader.ReadTableRows(facts.path, table.name, [&](const RowBatch& batch) {
        if (batch.columns != table.columns.size())
            return false;
        for (std::size_t r = 0; r < batch.rows(); ++r) {
            const DataValue* row = batch.row(r);
            for (int i = 0; i < batch.columns; ++i) {
                if (!mayMeetProblem(row[i].kind))
                    continue;
                for (int t = 0; t < targets.size(); ++t) {
                    const TableForms& target = targets[t];
                    if (i >= target.forms.size() || !target.forms[i])
                        continue;
                    scratch.clear();
                    const ValueProblem problem =
                        target.dialect->rowsForm == RowsForm::Copy
                            ? appendCopyField(scratch, *target.forms[i], row[i])
                            : appendSqlLiteral(scratch, *target.dialect, *target.forms[i], row[i]);
                    if (problem != ValueProblem::None)
                        add(t, i, QString::fromLatin1(valueProblemText(problem)), row[i]);
                    else if (target.dialect->target == Target::SqlServer && isBeforeDatetime(row[i]))
                        add(t, i, beforeDatetime, row[i]);
                }
            }
        }
        return true;
    });
    for (const auto& [key, f] : found) {
        const auto& [target, column, what] = key;
        facts.unheldValues << UnheldValues{targets[target].dialect->scriptType,
                                           table.name,
                                           table.columns[column].name,
                                           what,
                                           f.values,
                                           f.example};
    }
    if (!tableFacts.unreadable.isEmpty())
        return;
    if (read.failure)
        tableFacts.unreadable =
            QStringLiteral("its values could not be read (%1)").arg(read.failure->description);
    else if (!read.complete)
        tableFacts.unreadable = QStringLiteral("only %1 rows could be read for their values").arg(read.rows);
}

// The rules the rows break, as each target's script would name them: a rule in every target's script
// once, with the targets that name it.
void brokenRules(DatabaseFacts& facts, const std::array<std::unique_ptr<CompleteScript>, 4>& scripts) {
    for (std::size_t d = 0; d < scripts.size(); ++d)
        for (const QString& line : scripts[d]->plan().brokenRules) {
            auto it = std::find_if(facts.brokenRules.begin(), facts.brokenRules.end(),
                                   [&](const BrokenRule& rule) { return rule.text == line; });
            if (it == facts.brokenRules.end())
                it = facts.brokenRules.insert(facts.brokenRules.end(), BrokenRule{line, {}});
            it->targets << dialects()[d]->scriptType;
        }
    for (BrokenRule& rule : facts.brokenRules)
        if (rule.targets.size() == qsizetype(dialects().size()))
            rule.targets.clear();
}

} // namespace

void assessValues(DatabaseFacts& facts, const DatabaseSchema& schema, SchemaReader& reader) {
    facts.valuesRead = true;
    QList<TableDefinition> tables;
    for (const TableDefinition& table : schema.tables)
        if (!table.system)
            tables << table;
    // Every fact the checks can give: the Required columns' NULLs counted before the tables rather than as
    // a load writes the rows, and the keys of relationships compared exactly, as some targets compare them.
    QuietWindow window;
    TargetDialect asking = sqlServerDialect();
    asking.notNullAfterRows = nullptr;
    asking.exactTextKeys = true;
    const RowFacts rowFacts = readRowFacts(asking, facts.path, tables, schema.relationships, reader, window);

    ConversionOptions options;
    options.DatabasePath = facts.path;
    std::array<std::unique_ptr<CompleteScript>, 4> scripts;
    for (std::size_t d = 0; d < scripts.size(); ++d) {
        const TargetDialect& dialect = *dialects()[d];
        scripts[d] = std::make_unique<CompleteScript>(dialect, options, ScriptContents::SchemaAndRows);
        RowFacts targetFacts = rowFacts;
        if (!dialect.exactTextKeys)
            targetFacts.rowsWithoutMatch.clear();
        scripts[d]->setRowFacts(std::move(targetFacts));
        for (const TableDefinition& table : tables)
            scripts[d]->addTable(TableDefinition(table));
        scripts[d]->finish(schema.relationships);
    }
    brokenRules(facts, scripts);

    for (const TableDefinition& table : tables) {
        if (table.linked || table.columnsState != ReadState::Read)
            continue;
        const auto at = std::find_if(facts.tables.begin(), facts.tables.end(),
                                     [&](const TableFacts& t) { return t.name == table.name; });
        if (at == facts.tables.end())
            continue;
        tableValues(facts, *at, table, formsOf(table, scripts), reader);
    }
    std::stable_sort(facts.unheldValues.begin(), facts.unheldValues.end(),
                     [](const UnheldValues& a, const UnheldValues& b) {
                         const auto rank = [](const QString& target) {
                             return std::find_if(
                                        dialects().begin(), dialects().end(),
                                        [&](const TargetDialect* d) { return d->scriptType == target; }) -
                                    dialects().begin();
                         };
                         return rank(a.target) < rank(b.target);
                     });
}
