#include "SyncUndo.h"

#include "TargetDialect.h"

namespace {

std::string utf8(const QString& text) {
    return text.toStdString();
}

} // namespace

void undoSync(LiveConnection& target, TargetKind kind, const TargetDialect& dialect,
              const QStringList& created, bool committed, SyncReport& report) {
    target.finish();
    target.execute("ROLLBACK");
    if (kind != TargetKind::MySql) {
        report.run.rolledBack = true;
        target.abandon();
        return;
    }
    report.run.rolledBack = !committed && created.isEmpty();
    if (created.isEmpty())
        return;
    QStringList names;
    for (const QString& name : created)
        names << quoteName(dialect, name);
    const Failure dropped = target.execute(
        utf8(QStringLiteral("SET FOREIGN_KEY_CHECKS = 0; DROP TABLE IF EXISTS %1; SET FOREIGN_KEY_CHECKS = 1")
                 .arg(names.join(QStringLiteral(", ")))));
    if (dropped) {
        report.run.warnings << QStringLiteral("The tables made could not be dropped again (%1): %2")
                                   .arg(created.join(QStringLiteral(", ")), *dropped);
        return;
    }
    report.run.dropped = created;
    report.run.rolledBack = !committed;
}
