#include "TargetTypes.h"

#include <array>
#include <iterator>

namespace {

// Access type -> column type per target. {n} is the column's size (Text: characters, Binary: bytes),
// {p} and {s} a Decimal's precision and scale.
//
// - Text(n) keeps n characters; Memo is a long text, OLE Object and Binary are binary.
// - Byte, Integer, Long and Large Number take the smallest integer type that holds the Access range
//   (Byte is 0..255: TINYINT in SQL Server, unsigned in MySQL, smallint in PostgreSQL).
// - Currency is an exact decimal with 4 places; Decimal keeps its precision and scale.
// - Date/Time and Date/Time Extended are timestamps (SQL Server's DATETIME2 covers Access's years 100 to
//   9999 and the extended type's 100 ns; MySQL keeps microseconds for the extended type).
// - GUID is a UUID where the target has one; MySQL and SQLite keep the text form.
// - SQLite knows type affinities only; the names are chosen so that each gets the right affinity.
struct TypeRow {
    JetType type;
    const char* sqlServer;
    const char* postgreSql;
    const char* mySql;
    const char* sqlite;
    bool longValue;
};

constexpr TypeRow typeTable[] = {
    {JetType::Boolean, "BIT", "boolean", "BOOLEAN", "BOOLEAN", false},
    {JetType::Byte, "TINYINT", "smallint", "TINYINT UNSIGNED", "TINYINT", false},
    {JetType::Integer, "SMALLINT", "smallint", "SMALLINT", "SMALLINT", false},
    {JetType::Long, "INT", "integer", "INT", "INTEGER", false},
    {JetType::BigInt, "BIGINT", "bigint", "BIGINT", "BIGINT", false},
    {JetType::Currency, "DECIMAL(19,4)", "numeric(19,4)", "DECIMAL(19,4)", "NUMERIC(19,4)", false},
    {JetType::Decimal, "DECIMAL({p},{s})", "numeric({p},{s})", "DECIMAL({p},{s})", "NUMERIC({p},{s})", false},
    {JetType::Single, "REAL", "real", "FLOAT", "REAL", false},
    {JetType::Double, "FLOAT", "double precision", "DOUBLE", "DOUBLE", false},
    {JetType::DateTime, "DATETIME2", "timestamp", "DATETIME", "DATETIME", false},
    {JetType::DateTimeExtended, "DATETIME2", "timestamp", "DATETIME(6)", "DATETIME", false},
    {JetType::Text, "NVARCHAR({n})", "varchar({n})", "VARCHAR({n})", "VARCHAR({n})", false},
    {JetType::Memo, "NVARCHAR(MAX)", "text", "LONGTEXT", "TEXT", true},
    {JetType::Binary, "VARBINARY({n})", "bytea", "VARBINARY({n})", "BLOB", false},
    {JetType::OleObject, "VARBINARY(MAX)", "bytea", "LONGBLOB", "BLOB", true},
    {JetType::Guid, "UNIQUEIDENTIFIER", "uuid", "CHAR(38)", "CHAR(38)", false},
    // Two type bytes that only system tables use (MSysAccessObjects' Data is 0x11): long binary data.
    {JetType::LongBinary0D, "VARBINARY(MAX)", "bytea", "LONGBLOB", "BLOB", true},
    {JetType::LongBinary11, "VARBINARY(MAX)", "bytea", "LONGBLOB", "BLOB", true},
};

const char* column(const TypeRow& row, Target target) {
    switch (target) {
    case Target::SqlServer:
        return row.sqlServer;
    case Target::PostgreSql:
        return row.postgreSql;
    case Target::MySql:
        return row.mySql;
    case Target::Sqlite:
        break;
    }
    return row.sqlite;
}

// Access's own limits stand in where the schema does not say: Text holds up to 255 characters, Binary up to
// 510 bytes, and a Decimal without precision is the default 18,0.
int textLength(const ColumnDefinition& c) {
    return c.size > 0 ? c.size : 255;
}
int binaryLength(const ColumnDefinition& c) {
    return c.size > 0 ? c.size : 510;
}

// The type texts of the table made once, so that the columns of a large schema share them.
const QString& typeText(std::size_t row, Target target) {
    static const auto texts = [] {
        constexpr Target targets[] = {Target::SqlServer, Target::PostgreSql, Target::MySql, Target::Sqlite};
        std::array<std::array<QString, std::size(targets)>, std::size(typeTable)> made;
        for (std::size_t r = 0; r < std::size(typeTable); ++r)
            for (Target t : targets)
                made[r][std::size_t(t)] = QString::fromLatin1(column(typeTable[r], t));
        return made;
    }();
    return texts[row][std::size_t(target)];
}

} // namespace

std::optional<TargetType> targetType(Target target, int jetType, const ColumnDefinition& c) {
    for (std::size_t r = 0; r < std::size(typeTable); ++r) {
        const TypeRow& row = typeTable[r];
        if (int(row.type) != jetType)
            continue;
        QString text = typeText(r, target);
        if (text.contains(QLatin1Char('{'))) {
            const int precision = c.precision > 0 ? c.precision : 18;
            text.replace(QLatin1String("{n}"),
                         QString::number(jetType == int(JetType::Binary) ? binaryLength(c) : textLength(c)));
            text.replace(QLatin1String("{p}"), QString::number(precision));
            text.replace(QLatin1String("{s}"), QString::number(std::clamp(c.scale, 0, precision)));
        }
        return TargetType{text, row.longValue,
                          jetType == int(JetType::Text) || jetType == int(JetType::Memo)};
    }
    return std::nullopt;
}
