#include "ColumnTypes.h"

namespace {

ColumnText nullable(const QString& text) {
    return {.typeText = text, .nullEnding = true};
}
ColumnText bare(const QString& text) {
    return {.typeText = text};
}
ColumnText autoIncrementKey(const QString& text) {
    return {.typeText = text, .autoIncrement = true};
}
// "UNKOWN" is the program's own spelling in every script it writes; it stays as it is.
ColumnText unknownType(int code) {
    return bare(QStringLiteral(" UNKOWN DATA TYPE (%1)").arg(code));
}

} // namespace

std::optional<ColumnText> TSqlColumnText(int typeCode, int attributes, const QString& size) {
    switch (typeCode) {
    case 1:
        return bare(QStringLiteral(" BIT NOT NULL ,"));
    case 2:
    case 3:
    case 4:
        if (attributes == autoIncrementAttributes)
            return autoIncrementKey(QStringLiteral(" INT IDENTITY (1,1) NOT NULL ,"));
        return nullable(QStringLiteral(" INT "));
    case 5:
        return nullable(QStringLiteral(" MONEY "));
    case 6:
    case 7:
        return nullable(QStringLiteral(" FLOAT "));
    case 8:
        return nullable(QStringLiteral(" DATETIME "));
    case 10:
        return nullable(QStringLiteral(" VARCHAR (") + size + QStringLiteral(") "));
    case 11:
        // An OLE object is binary and reports size 0; "VARCHAR (0)" would be rejected by the server.
        return nullable(QStringLiteral(" IMAGE "));
    case 12:
        return nullable(QStringLiteral(" TEXT "));
    case 9:
    case 13:
    case 14:
    case 15:
    case 16:
        return unknownType(typeCode);
    default:
        return std::nullopt;
    }
}

std::optional<ColumnText> AccessSqlColumnText(int typeCode, int attributes, const QString& size) {
    switch (typeCode) {
    case 1:
        return bare(QStringLiteral(" BIT NOT NULL ,"));
    case 2:
        return nullable(QStringLiteral(" BYTE "));
    case 3:
        // A 16-bit integer; INTEGER1 would be the one-byte type and lose every value outside 0..255.
        return nullable(QStringLiteral(" SMALLINT "));
    case 4:
        if (attributes == autoIncrementAttributes)
            return autoIncrementKey(QStringLiteral(" COUNTER NOT NULL ,"));
        return nullable(QStringLiteral(" INT "));
    case 5:
        return nullable(QStringLiteral(" MONEY "));
    case 6:
        return nullable(QStringLiteral(" REAL "));
    case 7:
        return nullable(QStringLiteral(" FLOAT "));
    case 8:
        return nullable(QStringLiteral(" TIMESTAMP "));
    case 10:
        return nullable(QStringLiteral(" TEXT (") + size + QStringLiteral(") "));
    case 11:
        return nullable(QStringLiteral(" OLEOBJECT "));
    case 12:
        return nullable(QStringLiteral(" MEMO "));
    case 14:
        // The program's own spelling, and a trailing space only here.
        return bare(QStringLiteral(" UNKOWN DATA TYPE (14) "));
    case 15:
        return nullable(QStringLiteral(" GUID "));
    case 9:
    case 13:
    case 16:
        return unknownType(typeCode);
    default:
        return std::nullopt;
    }
}
