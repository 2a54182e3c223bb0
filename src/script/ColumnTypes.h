#pragma once
// The column text each dialect writes after a field name, chosen by the field's type code.

#include <QString>
#include <optional>

struct ColumnText {
    QString typeText;        // what follows the field name
    bool nullEnding = false; // followed by "NULL ,"/"NOT NULL ," (else by a bare line break)
    bool autoIncrement = false;
};

// Attributes exactly 49 (fixed + auto-increment + updatable) mark the auto-increment column; this is an
// equality test, not a bit test, so attributes 17 make an ordinary integer column.
inline constexpr int autoIncrementAttributes = 49;

// nullopt: the type code has no column text and the field gets no line at all.
std::optional<ColumnText> TSqlColumnText(int typeCode, int attributes, const QString& size);
std::optional<ColumnText> AccessSqlColumnText(int typeCode, int attributes, const QString& size);
