#include "TargetSpace.h"

#include <QDir>

namespace {

// Names reach the server quoted as identifiers, and as string literals where the catalog is asked.
QString identifier(const TargetAddress& address, const QString& name) {
    if (address.kind == TargetKind::MySql)
        return QLatin1Char('`') + QString(name).replace(QLatin1Char('`'), QStringLiteral("``")) +
               QLatin1Char('`');
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString literal(const TargetAddress& address, const QString& text) {
    QString escaped = text;
    if (address.kind == TargetKind::MySql)
        escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('\'') + escaped.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

std::variant<QString, qint64> countOf(LiveConnection& connection, const QString& sql) {
    auto rows = connection.query(sql.toStdString());
    if (const auto* why = std::get_if<QString>(&rows))
        return *why;
    return std::get<QList<QStringList>>(rows).value(0).value(0).toLongLong();
}

// How many namespaces of the name there are (0 or 1), or how many tables and views the namespace holds.
QString spaceCount(const TargetAddress& address) {
    if (address.kind == TargetKind::MySql)
        return QStringLiteral("SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = %1")
            .arg(literal(address, address.space));
    return QStringLiteral("SELECT COUNT(*) FROM pg_namespace WHERE nspname = %1")
        .arg(literal(address, address.space));
}

QString contentCount(const TargetAddress& address) {
    if (address.kind == TargetKind::MySql)
        return QStringLiteral("SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = %1")
            .arg(literal(address, address.space));
    return QStringLiteral("SELECT COUNT(*) FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                          "WHERE n.nspname = %1")
        .arg(literal(address, address.space));
}

// The statement that makes the space when missing. MySQL: the new database takes the character set and
// collation of the one the address names.
struct Creation {
    QString sql{};
    Failure failure{};
};

Creation creation(LiveConnection& connection, const TargetAddress& address) {
    const QString name = identifier(address, address.space);
    if (address.kind != TargetKind::MySql)
        return {.sql = QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(name)};
    auto rows = connection.query("SELECT DEFAULT_CHARACTER_SET_NAME, DEFAULT_COLLATION_NAME FROM "
                                 "information_schema.SCHEMATA WHERE SCHEMA_NAME = DATABASE()");
    if (const auto* why = std::get_if<QString>(&rows))
        return {.failure = *why};
    const QStringList set = std::get<QList<QStringList>>(rows).value(0);
    QString sql = QStringLiteral("CREATE DATABASE IF NOT EXISTS %1").arg(name);
    if (set.size() == 2 && !set[0].isEmpty())
        sql += QStringLiteral(" CHARACTER SET %1 COLLATE %2").arg(set[0], set[1]);
    return {.sql = sql};
}

} // namespace

TargetAddress inSpace(const TargetAddress& address, const QString& name) {
    TargetAddress spaced = address;
    if (address.kind == TargetKind::Sqlite)
        spaced.path = QDir(address.path).filePath(name + QStringLiteral(".sqlite"));
    else
        spaced.space = name;
    return spaced;
}

SpaceEntered enterSpace(LiveConnection& connection, const TargetAddress& address) {
    if (address.space.isEmpty() || address.kind == TargetKind::Sqlite)
        return {};
    const auto before = countOf(connection, spaceCount(address));
    if (const auto* why = std::get_if<QString>(&before))
        return {.failure = *why};
    const Creation create = creation(connection, address);
    if (create.failure)
        return {.failure = create.failure};
    if (Failure failure = connection.execute(create.sql.toStdString()))
        return {.failure = failure};
    const QString name = identifier(address, address.space);
    const QString use = address.kind == TargetKind::MySql ? QStringLiteral("USE %1").arg(name)
                                                          : QStringLiteral("SET search_path TO %1").arg(name);
    const bool created = std::get<qint64>(before) == 0;
    if (Failure failure = connection.execute(use.toStdString()))
        return {.failure = failure, .created = created};
    return {.created = created};
}

void dropSpaceMade(LiveConnection& connection, const TargetAddress& address, const QString& password,
                   QStringList& warnings) {
    const auto drop = [&](LiveConnection& on) -> Failure {
        const auto held = countOf(on, contentCount(address));
        if (const auto* why = std::get_if<QString>(&held))
            return *why;
        if (std::get<qint64>(held) != 0)
            return std::nullopt; // what the migration could not take away stays, and is named elsewhere
        const QString kind =
            address.kind == TargetKind::MySql ? QStringLiteral("DATABASE") : QStringLiteral("SCHEMA");
        return on.execute(
            QStringLiteral("DROP %1 %2").arg(kind, identifier(address, address.space)).toStdString());
    };
    Failure failure = drop(connection);
    if (failure) {
        TargetAddress outside = address;
        outside.space.clear();
        Connected again = connectTarget(outside, password);
        if (auto* fresh = std::get_if<std::unique_ptr<LiveConnection>>(&again))
            failure = drop(**fresh);
    }
    if (failure)
        warnings << QStringLiteral("The %1 %2 made for the migration could not be dropped again: %3")
                        .arg(address.kind == TargetKind::MySql ? QStringLiteral("database")
                                                               : QStringLiteral("schema"),
                             address.space, *failure);
}
