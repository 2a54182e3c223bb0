// SQL Server: bracketed names of up to 128 characters, IDENTITY, NEWID() for generated GUIDs, GO batches.
// No long value (NVARCHAR(MAX), VARBINARY(MAX)) can be an index key, and a foreign key to its own table
// cannot cascade (the server sees a possible cycle).
#include "TargetDialect.h"

namespace {

// DATETIME2 covers Access's years 100 to 9999 and the extended type's 100 ns; Byte is 0..255, TINYINT.
constexpr TypeRow types[] = {
    {JetType::Boolean, "BIT", ValueForm::Boolean},
    {JetType::Byte, "TINYINT", ValueForm::Integer},
    {JetType::Integer, "SMALLINT", ValueForm::Integer},
    {JetType::Long, "INT", ValueForm::Integer},
    {JetType::BigInt, "BIGINT", ValueForm::Integer},
    {JetType::Currency, "DECIMAL(19,4)", ValueForm::Exact},
    {JetType::Decimal, "DECIMAL({p},{s})", ValueForm::Exact},
    {JetType::Single, "REAL", ValueForm::Float},
    {JetType::Double, "FLOAT", ValueForm::Float},
    {JetType::DateTime, "DATETIME2", ValueForm::Timestamp},
    {JetType::DateTimeExtended, "DATETIME2", ValueForm::Timestamp},
    {JetType::Text, "NVARCHAR({n})", ValueForm::Text},
    {JetType::Memo, "NVARCHAR(MAX)", ValueForm::Text, true},
    {JetType::Binary, "VARBINARY({n})", ValueForm::Bytes},
    {JetType::OleObject, "VARBINARY(MAX)", ValueForm::Bytes, true},
    {JetType::Guid, "UNIQUEIDENTIFIER", ValueForm::Uuid},
    // Two type bytes that only system tables use (MSysAccessObjects' Data is 0x11): long binary data.
    {JetType::LongBinary0D, "VARBINARY(MAX)", ValueForm::Bytes, true},
    {JetType::LongBinary11, "VARBINARY(MAX)", ValueForm::Bytes, true},
};

} // namespace

const TargetDialect& sqlServerDialect() {
    static const TargetDialect dialect{
        .target = Target::SqlServer,
        .scriptType = QStringLiteral("SQL Server"),
        .openQuote = QLatin1Char('['),
        .closeQuote = QLatin1Char(']'),
        .nameLimit = 128,
        .types = types,
        .unknownType = {JetType(0), "VARBINARY(MAX)", ValueForm::Bytes, true},
        .widestDecimal = "DECIMAL(38,10)",
        .trueLiteral = QStringLiteral("1"),
        .falseLiteral = QStringLiteral("0"),
        .textLiterals = TextLiteral::National,
        .bytesLiterals = BytesLiteral::ZeroX,
        .textCase = {.insensitiveClause = " COLLATE Latin1_General_100_CI_AS",
                     .sensitiveClause = " COLLATE Latin1_General_100_CS_AS"},
        .identity = QStringLiteral(" IDENTITY(1,1)"),
        .uuidDefault = QStringLiteral("NEWID()"),
        .longValueKeys = false,
        .cascadesWithinTable = false,
        .grants = true,
        .go = true,
        .rowsPerInsert = 1000, // the most one INSERT ... VALUES takes
        .identityInsert = true,
        .functions = &sqlServerFunctions(),
    };
    return dialect;
}
