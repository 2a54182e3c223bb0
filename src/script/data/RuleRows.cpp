#include "RuleRows.h"

#include "SchemaReader.h"
#include "ValidationRules.h"
#include "WindowOps.h"

#include <QDateTime>
#include <QHash>
#include <vector>

namespace {

struct TableRule {
    QString column; // empty: the table's own rule
    Expr condition;
    qint64 broken = 0;
};

// A rule that cannot be read is not counted here: the planner says why it is left out.
std::vector<TableRule> rulesOf(const TableDefinition& table) {
    std::vector<TableRule> rules;
    const auto add = [&](const QString& rule, const QString& column) {
        if (rule.trimmed().isEmpty())
            return;
        auto parsed = parseValidationRule(rule.trimmed(), column);
        if (auto* condition = std::get_if<Expr>(&parsed))
            rules.push_back({column, std::move(*condition)});
    };
    for (const ColumnDefinition& c : table.columns)
        if (!c.calculated)
            add(c.validationRule, c.name);
    add(table.validationRule, QString());
    return rules;
}

bool refusesEmptyText(const ColumnDefinition& c) {
    return (c.jetType == int(JetType::Text) || c.jetType == int(JetType::Memo)) && c.required &&
           !c.allowZeroLength && !c.calculated;
}

// Now as Access keeps a date: days since 1899-12-30, the time of day as the fraction.
double nowDays() {
    const QDateTime now = QDateTime::currentDateTime();
    return double(QDate(1899, 12, 30).daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

void countRowsBreakingRules(const QString& path, const QList<TableDefinition>& tables, SchemaReader& reader,
                            WindowOps& window, RowFacts& facts) {
    const double now = nowDays();
    for (const TableDefinition& table : tables) {
        if (table.linked || table.columnsState != ReadState::Read)
            continue;
        std::vector<TableRule> rules = rulesOf(table);
        QList<int> texts; // the columns that refuse ""
        for (int i = 0; i < table.columns.size(); ++i)
            if (refusesEmptyText(table.columns[i]))
                texts << i;
        if (rules.empty() && texts.isEmpty())
            continue;
        std::vector<qint64> empty(std::size_t(texts.size()), 0);
        if (window.showsProgress())
            window.setProgress(QStringLiteral("Checking the rows of %1 against its rules").arg(table.name));
        QHash<QString, int> columns;
        for (int i = 0; i < table.columns.size(); ++i)
            columns.insert(table.columns[i].name.toLower(), i);
        reader.ReadTableRows(path, table.name, [&](const RowBatch& batch) {
            if (batch.columns != table.columns.size())
                return false;
            for (std::size_t r = 0; r < batch.rows(); ++r) {
                const DataValue* row = batch.row(r);
                const auto valueOf = [&](const QString& column) -> std::optional<DataValue> {
                    const int i = columns.value(column.toLower(), -1);
                    return i < 0 ? std::nullopt : std::optional<DataValue>(row[i]);
                };
                for (TableRule& rule : rules)
                    if (evaluateRule(rule.condition, valueOf, now) == RuleOutcome::Breaks)
                        ++rule.broken;
                for (qsizetype k = 0; k < texts.size(); ++k)
                    if (row[texts[k]].kind == ValueKind::Text && row[texts[k]].bytes.empty())
                        ++empty[std::size_t(k)];
            }
            return true;
        });
        for (const TableRule& rule : rules)
            if (rule.broken > 0)
                facts.rowsBreakingRule.insert({table.name, rule.column}, rule.broken);
        for (qsizetype k = 0; k < texts.size(); ++k)
            if (empty[std::size_t(k)] > 0)
                facts.rowsWithEmptyText.insert({table.name, table.columns[texts[k]].name},
                                               empty[std::size_t(k)]);
    }
}
