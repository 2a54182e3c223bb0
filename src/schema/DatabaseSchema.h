#pragma once
// The whole schema of a database as stored, for the writers of complete scripts: every table with its
// catalog facts, every column with its exact type and properties, every index with its columns, and the
// relationships between tables. The faithful writers keep using the engine's texts of SchemaTypes.h.

#include <QList>
#include <QString>

// The column type byte of a Jet table definition.
enum class JetType : int {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    OleObject = 0x0B,
    Memo = 0x0C,
    LongBinary0D = 0x0D, // undocumented long binary types that only system tables use
    Guid = 0x0F,
    Decimal = 0x10,
    LongBinary11 = 0x11,
    Complex = 0x12, // attachment or multi-valued: see ColumnDefinition::complexType
    BigInt = 0x13,  // Large Number
    DateTimeExtended = 0x14,
};

// The engine's codes for the kinds of complex column (MSysComplexColumns' ComplexTypeObjectID tables). The
// engine gives version history columns (the earlier values of an append-only Memo) no code: they have 1.
enum class ComplexType : int {
    None = 0,
    VersionHistory = 1,
    Attachment = 101,
    MultiValuedByte = 102,
    MultiValuedInteger = 103,
    MultiValuedLong = 104,
    MultiValuedSingle = 105,
    MultiValuedDouble = 106,
    MultiValuedGuid = 107,
    MultiValuedDecimal = 108,
    MultiValuedText = 109,
};

struct ColumnDefinition {
    QString name;
    int jetType = 0;    // JetType value; an unknown byte passes through as it is
    int typeCode = 0;   // the engine's type code, as FieldRow::type carries it
    int size = 0;       // characters for Text, bytes for Binary and fixed types, 0 for Memo and OLE
    int precision = 0;  // Decimal only
    int scale = 0;      // Decimal only
    bool fixed = false; // the column's own fixed-length flag
    bool required = false;
    bool allowZeroLength = false;
    bool autoNumber = false;     // Long AutoNumber (increment)
    bool guidAutoNumber = false; // GUID AutoNumber (ReplicationID)
    QString defaultValue;        // the DefaultValue property as stored: "0", "\"abc\"", "=Now()", ...
    QString description;
    QString validationRule; // the ValidationRule property as stored: ">0", "\"F\" Or \"M\"", ...; empty: none
    QString validationText; // the message Access shows when the rule refuses a value
    bool calculated = false;
    QString expression; // calculated columns: the Expression property
    int resultType = 0; // calculated columns: the ResultType property as stored, a Jet column type byte
    ComplexType complexType = ComplexType::None;
    QString storageTable; // complex columns: the hidden table that holds their values (StorageTable)
    bool operator==(const ColumnDefinition&) const = default;
};

// The hidden table that holds a complex column's values: a Long column with the number the parent row's
// complex column holds, the table's own AutoNumber, and the values (for attachments FileName, FileType,
// FileData and others).
struct StorageTable {
    QString name;
    QList<ColumnDefinition> columns;
    bool operator==(const StorageTable&) const = default;
};

struct IndexColumn {
    QString name;
    bool descending = false;
    bool operator==(const IndexColumn&) const = default;
};

struct IndexDefinition {
    QString name;
    QList<IndexColumn> columns; // in key order
    bool primaryKey = false;
    bool unique = false;
    bool ignoreNulls = false;
    bool required = false;
    bool foreignKey = false; // the index of a relationship on its referencing side
    bool operator==(const IndexDefinition&) const = default;
};

// Whether a part of a table was read: Unreadable is damage; NotRead is deliberate (a linked table whose
// file is not there).
enum class ReadState : int { Read = 0, Unreadable = 1, NotRead = 2 };

struct TableDefinition {
    QString name;
    bool system = false;
    bool hidden = false;
    bool linked = false;
    QString linkedDatabase; // the stored path of the linked file, as Access wrote it
    QString foreignName;    // the table's name in the linked file
    ReadState columnsState = ReadState::Read;
    QList<ColumnDefinition> columns; // in column order
    ReadState indexesState = ReadState::Read;
    QList<IndexDefinition> indexes;    // internal "." entries left out
    QList<StorageTable> storageTables; // of its complex columns
    QString validationRule; // the table's own ValidationRule: a condition on its columns; empty: none
    QString validationText;
    bool operator==(const TableDefinition&) const = default;
};

struct RelationshipColumn {
    QString column;           // in the referencing table
    QString referencedColumn; // in the referenced table
    bool operator==(const RelationshipColumn&) const = default;
};

struct Relationship {
    QString name;
    QString table;                     // the referencing (foreign-key) side
    QString referencedTable;           // the primary-key side
    QList<RelationshipColumn> columns; // in key order
    bool enforced = false;
    bool cascadeUpdate = false;
    bool cascadeDelete = false;
    bool cascadeSetNull = false;
    bool operator==(const Relationship&) const = default;
};

struct DatabaseSchema {
    QList<TableDefinition> tables; // in the order of the table list
    QList<Relationship> relationships;
    bool operator==(const DatabaseSchema&) const = default;
};
