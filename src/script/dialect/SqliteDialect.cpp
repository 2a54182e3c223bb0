// SQLite: no users and no ALTER TABLE ... ADD CONSTRAINT, so foreign keys go inside CREATE TABLE (the server
// checks them only when rows change, so a table may refer to one created after it); an AutoNumber is an
// INTEGER PRIMARY KEY AUTOINCREMENT; index names share the database's one namespace, without regard to case.
#include "TargetDialect.h"

namespace {

// SQLite knows type affinities only; the names are chosen so that each gets the right affinity.
constexpr TypeRow types[] = {
    {JetType::Boolean, "BOOLEAN", ValueForm::Boolean},
    {JetType::Byte, "TINYINT", ValueForm::Integer},
    {JetType::Integer, "SMALLINT", ValueForm::Integer},
    {JetType::Long, "INTEGER", ValueForm::Integer},
    {JetType::BigInt, "BIGINT", ValueForm::Integer},
    {JetType::Currency, "NUMERIC(19,4)", ValueForm::Exact},
    {JetType::Decimal, "NUMERIC({p},{s})", ValueForm::Exact},
    {JetType::Single, "REAL", ValueForm::Float},
    {JetType::Double, "DOUBLE", ValueForm::Float},
    {JetType::DateTime, "DATETIME", ValueForm::Timestamp},
    {JetType::DateTimeExtended, "DATETIME", ValueForm::Timestamp},
    {JetType::Text, "VARCHAR({n})", ValueForm::Text},
    {JetType::Memo, "TEXT", ValueForm::Text, true},
    {JetType::Binary, "BLOB", ValueForm::Bytes},
    {JetType::OleObject, "BLOB", ValueForm::Bytes, true},
    {JetType::Guid, "CHAR(38)", ValueForm::UuidText},
    {JetType::LongBinary0D, "BLOB", ValueForm::Bytes, true},
    {JetType::LongBinary11, "BLOB", ValueForm::Bytes, true},
};

} // namespace

const TargetDialect& sqliteDialect() {
    static const TargetDialect dialect{
        .target = Target::Sqlite,
        .scriptType = QStringLiteral("SQLite"),
        .openQuote = QLatin1Char('"'),
        .closeQuote = QLatin1Char('"'),
        .databaseWideIndexNames = true,
        .types = types,
        .unknownType = {JetType(0), "BLOB", ValueForm::Bytes, true},
        .widestDecimal = "NUMERIC",
        .trueLiteral = QStringLiteral("1"),
        .falseLiteral = QStringLiteral("0"),
        .textLiterals = TextLiteral::BytesCast,
        .infinity = "9e999",
        .exactRealDigits = 15,
        .exactDigits = 15,
        .exactAsText = true,
        .textCase = {.insensitiveClause = " COLLATE NOCASE"},
        .autoNumbering = AutoNumbering::IntegerPrimaryKey,
        .foreignKeysInTable = true,
        // A foreign key is checked only where a connection turns the checks on, and then only for the rows
        // it adds or changes.
        .exactTextKeys = true,
        .brokenForeignKey = BrokenForeignKey::Kept,
        .namesJoinedViewColumns = true,
        .begin = "BEGIN TRANSACTION",
        .transactionHoldsTables = true,
        .functions = &sqliteFunctions(),
        .refusingTrigger = "CREATE TRIGGER {name} BEFORE {event} ON {table} FOR EACH ROW\r\n"
                           "BEGIN SELECT RAISE(ABORT, {message}) WHERE NOT ({condition}); END",
    };
    return dialect;
}
