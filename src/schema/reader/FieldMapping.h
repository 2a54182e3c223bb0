#pragma once
// What the Access database engine (DAO) reports of one column, the field row of the answer:
//
//   type: the Jet column type byte for 1..12 (Yes/No .. Memo, the same numbers as DAO's DataTypeEnum);
//     GUID 0x0F -> 15 (dbGUID); Decimal 0x10 -> 20 (dbDecimal); Large Number 0x13 -> 16 (dbBigInt);
//     a complex column 0x12 (attachment, multi-valued) -> 101 (dbAttachment): the exact complex type sits in
//     other system tables and is not worth a second catalog walk. Unknown type bytes pass through as they
//     are.
//   size: Text in characters (Jet 4 and later store two bytes per character, Jet 3 one); Memo and OLE 0;
//     Binary its byte size; every fixed type its byte size (Yes/No 1, GUID 16, Decimal 17).
//   AllowZeroLength: "True" only where the column's AllowZeroLength property is yes.
//   Attributes: 1 (dbFixedField) or 2 (dbVariableField) from the column's own fixed-length flag in the
//     table definition, whatever its type (Access leaves the flag off some AutoNumber Longs of its own
//     tables, and off Decimal and calculated columns), plus 16 (dbAutoIncrField) for an AutoNumber Long,
//     plus 32 (dbUpdatableField) for every column of a local table: a flagged AutoNumber Long is 49, an
//     unflagged one 50, a plain Long 33, a Text column 34.
//   Calculated columns (Access 2010 and later; they carry an Expression property): the type is the
//     ResultType property (a column type byte, mapped as above), and the stored length holds 23 bytes of
//     calculation data besides the value, so a Text result has (length - 23) / 2 characters.

#include "ColumnProperties.h"
#include "ReaderProtocol.h"

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

// The field row of a column as libmdb read it, with its column properties.
readerprotocol::Field engineField(const MdbColumn& column, const ColumnPropertyValues& properties, bool jet3);
