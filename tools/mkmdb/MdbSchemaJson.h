#pragma once
// Reads a schema description from JSON:
//   {"tables": [{"name": "Orders", "system": false, "hidden": false,
//                "columns": [{"name": "OrderID", "type": "Long", "autoNumber": true, "required": true},
//                            {"name": "Note", "type": "Text", "length": 80, "allowZeroLength": true,
//                             "defaultValue": "\"none\"", "description": "What the customer said"}],
//                "indexes": [{"name": "PrimaryKey", "columns": ["OrderID"], "primary": true},
//                            {"name": "ByNote", "columns": [{"name": "Note", "descending": true}],
//                             "unique": false, "ignoreNulls": true, "required": false,
//                             "foreignKey": false}]}],
//    "relationships": [{"name": "OrdersLines", "table": "Lines", "columns": ["OrderID"],
//                       "referencedTable": "Orders", "referencedColumns": ["OrderID"], "enforced": true,
//                       "cascadeUpdate": false, "cascadeDelete": true, "cascadeSetNull": false}]}
// Types: "Yes/No", "Byte", "Integer", "Long", "Currency", "Single", "Double", "Date/Time", "Binary",
// "Text", "OLE Object", "Memo", "GUID", "Decimal" (with "precision" and "scale"), "Date/Time Extended" (its
// value the 42 characters stored, "0000000000000738153:0000000452967891234:7 "), and "Unknown" (with
// "typeByte", a type byte no Jet or ACE type uses, and "length" in bytes). "autoNumber" makes a Long an
// increment and a GUID a ReplicationID. An "expression" ("[Price]*[Quantity]") makes the column calculated,
// its type that of the result. A column's "validationRule" and "validationText" (">0", "Must be positive")
// and a table's (its rule a condition on its columns, "[Start]<=[End]") go in the property blob as Access
// keeps them. A relationship is enforced unless "enforced" is false.
// A table's "rows" is a list of rows, each a list of one value per column, null for NULL:
//   "rows": [[1, "Ann", true, 2.5, "12.3400", "0a0b", "{6F9619FF-8B86-D011-B42D-00C04FC964FF}"], ...]
// Yes/No takes true or false; Byte, Integer and Long whole numbers; Single, Double and Date/Time (days since
// 1899-12-30) numbers, or "NaN", "Infinity", "-Infinity" and "-0"; Currency and Decimal strings of digits
// with a point ("-922337203685477.5808"); Text and Memo strings; Binary, OLE Object and Unknown bytes as
// hexadecimal digits; GUID as Access shows it, braces optional.
// A "queries" list holds saved queries (MdbQueriesJson.h).

#include "MdbSchema.h"

#include <QByteArray>
#include <QString>
#include <optional>

std::optional<MdbSchema> parseMdbSchemaJson(const QByteArray& json, QString* error);
