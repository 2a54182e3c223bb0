#include "SyncDifferingRows.h"

namespace {

// PostgreSQL's planner counts each look-up by the target's primary key as a page read from disk, and so
// joins even a few kept rows with the target's by hashing the whole table. While the kept rows are few,
// the statements that read them are made to look each one up by the key instead.
Failure lookUpByKey(LiveConnection& target, TargetKind kind, const Survey& survey, bool lookUp) {
    if (kind != TargetKind::PostgreSql || !survey.few)
        return std::nullopt;
    return target.execute(lookUp ? "SET enable_hashjoin = off; SET enable_mergejoin = off"
                                 : "RESET enable_hashjoin; RESET enable_mergejoin");
}

} // namespace

QString keptTable(const QString& staged) {
    return staged + QStringLiteral("_differ");
}

std::string keptTableDefinition(TargetKind kind, const TargetDialect& d, const TablePlan& t,
                                const QString& staged) {
    TablePlan keyless = t;
    keyless.primaryKey.reset();
    return stagingTable(kind, d, keyless, keptTable(staged));
}

std::variant<QString, Survey> surveyTable(LiveConnection& target, TargetKind kind, const TargetDialect& d,
                                          const KeyedChanges& changes, const QString& staged,
                                          qint64 stagedRows) {
    const std::string kept = quoteName(d, keptTable(staged)).toStdString();
    // Not empty when a delete before made the table be surveyed again.
    if (Failure f = target.execute("DELETE FROM " + kept))
        return *f;
    const auto collected = changedRows(target, kind, changes.collect);
    if (const auto* why = std::get_if<QString>(&collected))
        return *why;
    Survey survey{.few = std::get<qint64>(collected) <= stagedRows / 4};
    // PostgreSQL plans the joins with the kept rows by what it knows of them.
    if (kind == TargetKind::PostgreSql && std::get<qint64>(collected) > 0)
        if (Failure f = target.execute("ANALYZE " + kept))
            return *f;
    if (Failure f = lookUpByKey(target, kind, survey, true))
        return *f;
    const auto rows = target.query(changes.counts);
    if (const auto* why = std::get_if<QString>(&rows))
        return *why;
    if (Failure f = lookUpByKey(target, kind, survey, false))
        return *f;
    const QStringList counts = std::get<QList<QStringList>>(rows).value(0);
    survey.differ = counts.value(1).toLongLong();
    survey.added = counts.value(0).toLongLong() - survey.differ;
    survey.gone = counts.value(2).toLongLong() - (stagedRows - survey.added);
    return survey;
}

std::variant<QString, qint64> deleteGone(LiveConnection& target, TargetKind kind, const TargetDialect& d,
                                         const KeyedChanges& changes, const QString& staged) {
    // The only statement that joins the whole staged table with the target's after the survey: PostgreSQL
    // plans it by what it knows of the staged rows.
    if (kind == TargetKind::PostgreSql)
        if (Failure f = target.execute("ANALYZE " + quoteName(d, staged).toStdString()))
            return *f;
    return changedRows(target, kind, changes.deleteGone);
}

std::variant<QString, Changed> changeDiffering(LiveConnection& target, TargetKind kind,
                                               const KeyedChanges& changes, const Survey& survey) {
    if (Failure f = lookUpByKey(target, kind, survey, true))
        return *f;
    Changed changed;
    if (survey.differ > 0 && !changes.update.empty()) {
        const auto updated = changedRows(target, kind, changes.update);
        if (const auto* why = std::get_if<QString>(&updated))
            return *why;
        changed.updated = std::get<qint64>(updated);
    }
    if (survey.added > 0) {
        const auto inserted = changedRows(target, kind, changes.insert);
        if (const auto* why = std::get_if<QString>(&inserted))
            return *why;
        changed.inserted = std::get<qint64>(inserted);
    }
    if (Failure f = lookUpByKey(target, kind, survey, false))
        return *f;
    return changed;
}
