#include "SyncForeignKeys.h"

#include "TargetDialect.h"

QStringList foreignKeysOfMadeTables(const TargetDialect& dialect, const ScriptPlan& plan,
                                    const QStringList& made) {
    QStringList statements;
    for (const RelationshipPlan& r : plan.relationships)
        if (!r.clause.isEmpty() && !r.inTable && (made.contains(r.table) || made.contains(r.referenced)))
            statements << QStringLiteral("ALTER TABLE %1 ADD %2").arg(quoteName(dialect, r.table), r.clause);
    return statements;
}
