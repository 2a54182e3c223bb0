#pragma once
// The one decision a complete script makes for each column: the type it gets in the target's CREATE TABLE,
// and with it the form the column's values take. Each server's rows are in its dialect's file; this is the
// lookup that every server shares.

#include "DatabaseSchema.h"
#include "TargetDialect.h"

#include <optional>

struct TargetType {
    QString text; // "varchar(50)", "DECIMAL(12,4)"
    ValueForm form = ValueForm::Bytes;
    bool longValue = false;  // a long text or binary kept apart from the row (no plain index key in MySQL)
    bool characters = false; // a character type, for MySQL's widening of wide rows
    bool knownType = true;   // false: a type byte Access does not define, written as binary
};

// The type a column of this Jet type gets; nullopt for a complex column, whose data lives in other tables.
// Calculated columns pass their result type.
std::optional<TargetType> targetType(const TargetDialect& dialect, int jetType,
                                     const ColumnDefinition& column);
