#pragma once
// Reads a schema description from JSON:
//   {"tables": [{"name": "Orders", "system": false,
//                "columns": [{"name": "OrderID", "type": "Long", "autoNumber": true, "required": true},
//                            {"name": "Note", "type": "Text", "length": 80, "allowZeroLength": true}],
//                "indexes": [{"name": "PrimaryKey", "columns": ["OrderID"], "primary": true}]}]}
// Types: "Yes/No", "Byte", "Integer", "Long", "Currency", "Single", "Double", "Date/Time", "Binary",
// "Text", "OLE Object", "Memo", "GUID", "Decimal" (with "precision" and "scale").

#include "MdbSchema.h"

#include <QByteArray>
#include <QString>
#include <optional>

std::optional<MdbSchema> parseMdbSchemaJson(const QByteArray& json, QString* error);
