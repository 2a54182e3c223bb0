#include "ValidationChecks.h"

#include "HelperFunctions.h"
#include "QueryTranslation.h"
#include "ValidationRules.h"

namespace {

QString oneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

bool isText(const ColumnPlan& c) {
    return c.jetType == int(JetType::Text) || c.jetType == int(JetType::Memo);
}

// Whether the condition calls a function whose value is not the same from one statement to the next.
bool changesValue(const Expr& e) {
    if (e.kind == ExprKind::Call)
        for (const char* f : {"Date", "Now", "Time"})
            if (e.text.compare(QLatin1String(f), Qt::CaseInsensitive) == 0)
                return true;
    for (const Expr& a : e.args)
        if (changesValue(a))
            return true;
    return false;
}

// The condition in the server's SQL, its columns named as the table's plan names them.
std::variant<NotTranslated, QString> translated(const TargetDialect& d, const ScriptPlan& plan,
                                                const TablePlan& t, const Expr& condition) {
    QuerySchema schema;
    schema.plan = &plan;
    Source source;
    source.name = t.table->name;
    auto clauses = translateClauses({source}, {}, condition, d, schema);
    if (auto* failed = std::get_if<NotTranslated>(&clauses))
        return *failed;
    QString text = std::get<TranslatedClauses>(clauses).where;
    // The script makes its own functions with the views, after every table and its rows.
    if (!helperDefinitions(d, text).isEmpty())
        return NotTranslated{
            QStringLiteral("it needs a function of this script's own, which the script makes "
                           "only after the tables"),
            QString()};
    return text;
}

class RulePlanner {
public:
    RulePlanner(const TargetDialect& d, ScriptPlan& plan, TablePlan& t, NameAllocator& names)
        : d_(d), plan_(plan), t_(t), names_(names) {}

    // The rule of a column (c), or of the table (c null).
    void rule(ColumnPlan* c, const QString& rule, const QString& validationText) {
        const QString table = t_.table->name;
        const QString column = c ? c->column->name : QString();
        const QString what =
            c ? QStringLiteral("Column %1").arg(column) : QStringLiteral("Table %1").arg(table);
        const auto leave = [&](const QString& why) {
            t_.notes << QStringLiteral("%1 has the validation rule %2, not written: %3").arg(what, rule, why);
            plan_.rulesLeft << QStringLiteral("%1%2: %3: %4")
                                   .arg(table, c ? QLatin1Char('.') + column : QString(), oneLine(rule), why);
        };
        if (const qint64 rows = plan_.rowFacts.rowsBreakingRule.value({table, column})) {
            t_.notes << ruleNotWrittenNote(column, rule, rows);
            plan_.brokenRules << ruleNotWrittenWarning(table, column, rule, rows);
            return;
        }
        const auto parsed = parseValidationRule(rule, column);
        if (const auto* failed = std::get_if<ParseFailure>(&parsed)) {
            leave(QStringLiteral("it could not be read (%1)").arg(failed->reason));
            return;
        }
        const Expr& condition = std::get<Expr>(parsed);
        const auto sql = translated(d_, plan_, t_, condition);
        if (const auto* failed = std::get_if<NotTranslated>(&sql)) {
            leave(failed->reason);
            return;
        }
        const QString base =
            t_.name + (c ? QLatin1Char('_') + c->name : QString()) + QStringLiteral("_check");
        const bool byTriggers = d_.refusingTrigger && changesValue(condition);
        QString name;
        if (byTriggers) {
            QString message = validationText.isEmpty()
                                  ? QStringLiteral("%1 breaks the validation rule %2").arg(what, rule)
                                  : validationText;
            message = oneLine(message);
            if (d_.messageLimit > 0)
                message = message.left(d_.messageLimit);
            triggers(base, newRow(std::get<QString>(sql)), message);
            t_.notes << QStringLiteral(
                            "%1 has the validation rule %2, which calls a function whose value changes: "
                            "triggers check it, as a CHECK of %3 cannot")
                            .arg(what, rule, d_.scriptType);
            ++plan_.ruleTriggers;
        } else {
            if (c)
                addColumnCheck(*c, base, std::get<QString>(sql), &name);
            else
                t_.checks << check(true, base, std::get<QString>(sql), &name);
            ++plan_.ruleChecks;
        }
        if (validationText.isEmpty())
            return;
        if (d_.descriptionStatements && !name.isEmpty())
            t_.descriptions << QStringLiteral("COMMENT ON CONSTRAINT %1 ON %2 IS %3")
                                   .arg(q(name), q(t_.name), stringLiteral(d_, validationText));
        else
            t_.notes << QStringLiteral("Validation text of %1: %2").arg(c ? column : table, validationText);
    }

    // Access refuses "" in a Required text that does not allow a zero-length string.
    void zeroLength(ColumnPlan& c) {
        if (const qint64 rows = plan_.rowFacts.rowsWithEmptyText.value({t_.table->name, c.column->name})) {
            const QString rule = QStringLiteral("<> \"\" (Allow Zero Length off)");
            t_.notes << ruleNotWrittenNote(c.column->name, rule, rows);
            plan_.brokenRules << ruleNotWrittenWarning(t_.table->name, c.column->name, rule, rows);
            return;
        }
        addColumnCheck(c, t_.name + QLatin1Char('_') + c.name + QStringLiteral("_not_empty"),
                       q(c.name) + QStringLiteral(" <> ") + stringLiteral(d_, QString()));
    }

private:
    QString q(const QString& name) const { return quoteName(d_, name); }

    // A CHECK on a column. Where the server names a column's CHECK itself it takes only one (MariaDB refuses
    // a second), so a further condition joins the first: "CHECK ((rule) AND (`c` <> ''))".
    void addColumnCheck(ColumnPlan& c, const QString& base, const QString& condition,
                        QString* name = nullptr) {
        if (!d_.namedColumnChecks && !c.checks.isEmpty()) {
            QString& first = c.checks.first();
            const qsizetype open = QStringLiteral("CHECK (").size();
            first = QStringLiteral("CHECK ((%1) AND (%2))")
                        .arg(first.mid(open, first.size() - open - 1), condition);
            return;
        }
        c.checks << check(false, base, condition, name);
    }

    // "CONSTRAINT name CHECK (condition)", or "CHECK (condition)" on a column where the server names it
    // itself; name: the name given, if any.
    QString check(bool ofTable, const QString& base, const QString& condition, QString* name = nullptr) {
        const QString clause = QStringLiteral("CHECK (%1)").arg(condition);
        if (!ofTable && !d_.namedColumnChecks)
            return clause;
        const QString given = names_.allocate(keptName(d_, base));
        if (name)
            *name = given;
        return QStringLiteral("CONSTRAINT %1 ").arg(q(given)) + clause;
    }

    // A trigger sees the row as NEW: each of the table's columns in the condition is named so. (A quoted
    // name is found as written; a string literal holding one quoted as a name is not told apart.)
    QString newRow(QString condition) const {
        for (const ColumnPlan& c : t_.columns)
            if (c.written)
                condition.replace(q(c.name), QStringLiteral("NEW.") + q(c.name));
        return condition;
    }

    void triggers(const QString& base, const QString& condition, const QString& message) {
        for (const char* event : {"INSERT", "UPDATE"}) {
            const QString name =
                names_.allocate(keptName(d_, base + QLatin1Char('_') + QString::fromLatin1(event).toLower()));
            t_.triggers << QString::fromLatin1(d_.refusingTrigger)
                               .replace(QLatin1String("{name}"), q(name))
                               .replace(QLatin1String("{event}"), QLatin1String(event))
                               .replace(QLatin1String("{table}"), q(t_.name))
                               .replace(QLatin1String("{message}"), stringLiteral(d_, message))
                               .replace(QLatin1String("{condition}"), condition);
        }
    }

    const TargetDialect& d_;
    ScriptPlan& plan_;
    TablePlan& t_;
    NameAllocator& names_;
};

} // namespace

void planValidationRules(const TargetDialect& dialect, ScriptPlan& plan, TablePlan& table,
                         NameAllocator& names) {
    RulePlanner rules(dialect, plan, table, names);
    for (ColumnPlan& c : table.columns) {
        if (!c.written || c.column->calculated)
            continue;
        if (!c.column->validationRule.trimmed().isEmpty())
            rules.rule(&c, c.column->validationRule.trimmed(), c.column->validationText);
        if (isText(c) && c.column->required && !c.column->allowZeroLength)
            rules.zeroLength(c);
    }
    if (!table.table->validationRule.trimmed().isEmpty())
        rules.rule(nullptr, table.table->validationRule.trimmed(), table.table->validationText);
}

void leaveOutChecksOnCascadedColumns(const TargetDialect& dialect, ScriptPlan& plan,
                                     const QList<Relationship>& relationships) {
    if (dialect.checksOnCascadedColumns)
        return;
    const QString why = QStringLiteral("%1 takes no CHECK on a column that a foreign key's cascade changes")
                            .arg(dialect.scriptType);
    for (qsizetype i = 0; i < relationships.size() && i < plan.relationships.size(); ++i) {
        const Relationship& r = relationships[i];
        if (plan.relationships[i].clause.isEmpty() || !(r.cascadeUpdate || r.cascadeSetNull))
            continue;
        for (TablePlan& t : plan.tables) {
            if (!t.written || t.table->name.compare(r.table, Qt::CaseInsensitive) != 0)
                continue;
            const auto leaveOut = [&](QStringList& checks, const QString& what) {
                for (const QString& check : std::as_const(checks)) {
                    t.notes << QStringLiteral("%1: %2 not written: %3").arg(what, check, why);
                    // The CHECK of a text that refuses "" is no validation rule of the counts.
                    if (check.endsWith(QStringLiteral(" <> %1)").arg(stringLiteral(dialect, QString()))))
                        continue;
                    plan.rulesLeft << QStringLiteral("%1: %2: %3").arg(t.table->name, check, why);
                    --plan.ruleChecks;
                }
                checks.clear();
            };
            for (const RelationshipColumn& rc : r.columns)
                if (ColumnPlan* c = t.find(rc.column); c && !c->checks.isEmpty())
                    leaveOut(c->checks, QStringLiteral("Column %1").arg(c->column->name));
            bool reads = false;
            for (const RelationshipColumn& rc : r.columns)
                if (const ColumnPlan* c = t.find(rc.column))
                    for (const QString& check : std::as_const(t.checks))
                        reads = reads || check.contains(quoteName(dialect, c->name));
            if (reads)
                leaveOut(t.checks, QStringLiteral("Table %1").arg(t.table->name));
        }
    }
}

QString validationRuleCounts(const ScriptPlan& plan) {
    if (plan.ruleChecks + plan.ruleTriggers + plan.rulesLeft.size() == 0)
        return QString();
    QStringList carried;
    if (plan.ruleChecks > 0)
        carried << QStringLiteral("%1 CHECK %2")
                       .arg(plan.ruleChecks)
                       .arg(plan.ruleChecks == 1 ? "constraint" : "constraints");
    if (plan.ruleTriggers > 0)
        carried << QStringLiteral("%1 by triggers").arg(plan.ruleTriggers);
    if (carried.isEmpty())
        carried << QStringLiteral("none carried over");
    QString text = carried.join(QStringLiteral(", "));
    if (!plan.rulesLeft.isEmpty())
        text += QStringLiteral("; %1 not carried over").arg(plan.rulesLeft.size());
    return text;
}

QString ruleNotWrittenNote(const QString& column, const QString& rule, qint64 rows) {
    const QString what =
        column.isEmpty() ? QStringLiteral("The table") : QStringLiteral("Column %1").arg(column);
    const qint64 n = rows;
    return QStringLiteral("%1 has the validation rule %2, but %3 %4 it: not written")
        .arg(what, rule, rowCount(n), n == 1 ? QStringLiteral("breaks") : QStringLiteral("break"));
}

QString ruleNotWrittenWarning(const QString& table, const QString& column, const QString& rule, qint64 rows) {
    return QStringLiteral("Table %1%2: validation rule %3 not written, %4 %5 it")
        .arg(table, column.isEmpty() ? QString() : QStringLiteral(", column %1").arg(column), oneLine(rule),
             rowCount(rows), rows == 1 ? QStringLiteral("breaks") : QStringLiteral("break"));
}
