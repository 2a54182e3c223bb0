// The foreign keys of a complete script: a relationship becomes one where Access enforces it, both tables are
// in the script and its referenced columns are a key the script writes; every other relationship is named in
// a comment with the reason.
#include "Planner.h"

namespace {

QString columns(const Relationship& r, bool referenced) {
    QStringList names;
    for (const RelationshipColumn& c : r.columns)
        names << (referenced ? c.referencedColumn : c.column);
    return names.join(QStringLiteral(", "));
}

TablePlan* findTable(ScriptPlan& plan, const QString& name) {
    for (TablePlan& t : plan.tables)
        if (t.table->name == name)
            return &t;
    for (TablePlan& t : plan.tables)
        if (t.table->name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

// The referenced columns must be a key the script writes, of as many columns.
const KeyPlan* referencedKey(TablePlan& to, const Relationship& r) {
    for (const KeyPlan* k : to.keys()) {
        if (!k->unique || k->columnNames.size() != r.columns.size())
            continue;
        bool all = true;
        for (const RelationshipColumn& c : r.columns)
            all = all && k->columnNames.contains(c.referencedColumn, Qt::CaseInsensitive);
        if (all)
            return k;
    }
    return nullptr;
}

class ForeignKeyPlanner {
public:
    ForeignKeyPlanner(const TargetDialect& dialect, ScriptPlan& plan, NameAllocator& names)
        : d_(dialect), plan_(plan), names_(names) {}

    RelationshipPlan plan(const Relationship& r) {
        RelationshipPlan p;
        const QString what =
            QStringLiteral("Relationship %1: %2 (%3) references %4 (%5)")
                .arg(r.name, r.table, columns(r, false), r.referencedTable, columns(r, true));
        if (!r.enforced) {
            p.notes << what + QStringLiteral(", not enforced by Access");
            return p;
        }
        QString reason;
        if (!clause(r, p, reason)) {
            p.notes << what + QStringLiteral(": not written, ") + reason;
            return p;
        }
        if (!keptWhereRowsBreakIt(r, p, what))
            return p;
        p.inTable = d_.foreignKeysInTable;
        if (p.inTable)
            findTable(plan_, r.table)->inlineForeignKeys << p.clause;
        return p;
    }

private:
    QString q(const QString& name) const { return quoteName(d_, name); }

    // Rows that match in Access but not as the server compares texts: the key is kept as far as the server
    // allows, and said so. False when it is left out.
    bool keptWhereRowsBreakIt(const Relationship& r, RelationshipPlan& p, const QString& what) {
        const qint64 rows = plan_.rowFacts.rowsWithoutMatch.value(r.name);
        if (rows == 0)
            return true;
        const QString why = QStringLiteral("%1 of %2 %3 no row of %4 as %5 compares texts, where Access "
                                           "compares them without regard to case and trailing spaces")
                                .arg(rowCount(rows), r.table,
                                     rows == 1 ? QStringLiteral("references") : QStringLiteral("reference"),
                                     r.referencedTable, d_.scriptType);
        QString how;
        switch (d_.brokenForeignKey) {
        case BrokenForeignKey::NotValid:
            p.clause += QStringLiteral(" NOT VALID");
            how = QStringLiteral("the foreign key is written NOT VALID, so that only rows added or changed "
                                 "later are checked");
            break;
        case BrokenForeignKey::Kept:
            how = QStringLiteral(
                "the foreign key is written, and checked only for rows added or changed later");
            break;
        case BrokenForeignKey::LeftOut:
            p.clause.clear();
            how = QStringLiteral("the foreign key is not written");
            break;
        }
        p.notes << what + QStringLiteral(": ") + why + QStringLiteral("; ") + how;
        plan_.brokenRules << QStringLiteral("Relationship %1 (%2 references %3): %4; %5")
                                 .arg(r.name, r.table, r.referencedTable, why, how);
        return !p.clause.isEmpty();
    }

    bool clause(const Relationship& r, RelationshipPlan& p, QString& reason) {
        TablePlan* from = findTable(plan_, r.table);
        TablePlan* to = findTable(plan_, r.referencedTable);
        if (!from || !to || !from->written || !to->written) {
            reason = QStringLiteral("a table of it is not in the script");
            return false;
        }
        if (r.columns.isEmpty()) {
            reason = QStringLiteral("its columns are not known");
            return false;
        }
        const KeyPlan* key = referencedKey(*to, r);
        if (!key) {
            reason =
                QStringLiteral("the script has no primary key or unique index on the referenced columns");
            return false;
        }
        // The pairs follow the key's order.
        QStringList fromColumns;
        QStringList toColumns;
        for (const QString& keyColumn : key->columnNames) {
            for (const RelationshipColumn& c : r.columns) {
                if (c.referencedColumn.compare(keyColumn, Qt::CaseInsensitive) != 0)
                    continue;
                const ColumnPlan* fc = from->find(c.column);
                const ColumnPlan* tc = to->find(keyColumn);
                if (!fc || !fc->written ||
                    (!d_.longValueForeignKeys && (fc->type.longValue || tc->type.longValue))) {
                    reason =
                        QStringLiteral("its column %1 is not in the script as a key column").arg(c.column);
                    return false;
                }
                fromColumns << q(fc->name);
                toColumns << q(tc->name);
            }
        }
        p.table = from->name;
        p.referenced = to->name;
        p.name = names_.allocate(keptName(d_, r.name));
        p.clause = QStringLiteral("CONSTRAINT %1 FOREIGN KEY (%2) REFERENCES %3 (%4)")
                       .arg(q(p.name), fromColumns.join(QStringLiteral(", ")), q(to->name),
                            toColumns.join(QStringLiteral(", ")));
        if (!d_.cascadesWithinTable && from == to &&
            (r.cascadeUpdate || r.cascadeDelete || r.cascadeSetNull)) {
            p.notes << QStringLiteral(
                           "Relationship %1 cascades in Access; %2 cannot cascade within one table")
                           .arg(r.name, d_.scriptType);
            return true;
        }
        if (r.cascadeUpdate)
            p.clause += QStringLiteral(" ON UPDATE CASCADE");
        if (r.cascadeDelete)
            p.clause += QStringLiteral(" ON DELETE CASCADE");
        else if (r.cascadeSetNull)
            p.clause += QStringLiteral(" ON DELETE SET NULL");
        return true;
    }

    const TargetDialect& d_;
    ScriptPlan& plan_;
    NameAllocator& names_;
};

} // namespace

void planRelationships(const TargetDialect& dialect, ScriptPlan& plan, NameAllocator& names,
                       const QList<Relationship>& relationships) {
    ForeignKeyPlanner planner(dialect, plan, names);
    for (const Relationship& r : relationships)
        plan.relationships << planner.plan(r);
}
