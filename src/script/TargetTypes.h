#pragma once
// The column type of an Access column in each complete-script target. The whole mapping is the table in
// TargetTypes.cpp, the one place to read or change it.

#include "DatabaseSchema.h"
#include "TargetDialect.h"

#include <optional>

struct TargetType {
    QString text;           // "varchar(50)", "DECIMAL(12,4)"
    bool longValue = false; // a long text or binary kept apart from the row (no plain index key in MySQL)
    bool text16 = false;    // a character type, for MySQL's widening of wide rows
};

// The type a column of this Jet type gets; nullopt when the target has none (a complex column). Calculated
// columns pass their result type.
std::optional<TargetType> targetType(Target target, int jetType, const ColumnDefinition& column);

// MySQL's long-text type, for a Text column that would not fit in the row.
inline QString mySqlWidenedText() {
    return QStringLiteral("TEXT");
}
