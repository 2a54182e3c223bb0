#pragma once
// The messages of the conversation between the program and its reader process, shared by both sides (plain
// C++, no Qt; library veltrane_protocol). Every message is a frame of FrameCodec.h, its values written and
// read by its Writer and Reader. Decoding checks every bound, so a damaged or hostile answer decodes to
// "nothing" instead of to wrong data. The layout of each message is given in ReaderProtocol.cpp.

#include "FrameCodec.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace readerprotocol {

enum class RequestKind : std::uint32_t {
    Tables = 1,
    Fields = 2,
    Indexes = 3,
    Schema = 4,
    Rows = 5,
    Queries = 6,
    MissingValues = 7, // the NULLs of each column of a table (MissingValuesProtocol.h)
    Code = 8,          // the forms, reports, macros and modules, and the VBA source (CodeProtocol.h)
    RowCount = 9       // the live rows of a table, walked without a value decoded (RowCountProtocol.h)
};

struct Request {
    RequestKind kind = RequestKind::Tables;
    std::string path;
    std::string table;         // Fields, Indexes, Rows, MissingValues and RowCount only
    std::string password = {}; // an encrypted file's; sent only when there is one
};

// The error numbers and texts users of Access know for a database that cannot be read.
enum FailureNumber : std::uint32_t {
    FileNotFound = 3024,
    DatabaseDamaged = 3049,
    CannotOpenFile = 3051,
    NotValidPassword = 3031, // an encrypted file, without its password or with a wrong one
    UnrecognizedFormat = 3343,
};

struct Failure {
    std::uint32_t number = 0;
    std::string description;
    bool operator==(const Failure&) const = default;
};

// The failure of the given number, its description naming the path as Access does.
Failure failureFor(FailureNumber number, std::string_view path);

// A Failure of an answer: u32 0 for none, or u32 1, u32 number, text description. Any other status makes
// the reader fail.
void putFailure(Writer& out, const std::optional<Failure>& failure);
std::optional<Failure> takeFailure(Reader& in);

struct Field {
    std::string name;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    bool allowZeroLength = false;
    std::uint32_t attributes = 0;
    bool operator==(const Field&) const = default;
};

struct TablesAnswer {
    std::optional<Failure> failure;
    std::vector<std::string> names;
    bool operator==(const TablesAnswer&) const = default;
};

// readable == false is the "NONE" row: a failed read, or with notRead a table left unread on purpose (a
// linked table whose file is not there).
struct FieldsAnswer {
    bool readable = false;
    std::vector<Field> fields;
    bool notRead = false;
    bool operator==(const FieldsAnswer&) const = default;
};

struct IndexesAnswer {
    enum class Kind : std::uint32_t { List = 0, NoIndexes = 1, Unreadable = 2 };
    Kind kind = Kind::Unreadable;
    std::vector<std::string> names;
    bool operator==(const IndexesAnswer&) const = default;
};

// The catalog facts of one table (MSysObjects).
struct TableCatalog {
    bool system = false;
    bool hidden = false;
    bool linked = false;
    std::string linkedDatabase; // linked tables: the stored path of the other file
    std::string foreignName;    // linked tables: the table's name there
    bool operator==(const TableCatalog&) const = default;
};

// What the engine's field texts leave out of one column; the name, engine type code, size, zero-length
// flag and attributes stay in the matching Field.
struct ColumnDetail {
    std::uint32_t jetType = 0; // the column type byte of the table definition
    std::uint32_t precision = 0;
    std::uint32_t scale = 0;
    bool required = false;
    bool guidAutoNumber = false;
    bool calculated = false;
    std::uint32_t resultType = 0;  // calculated columns: the ResultType property
    std::uint32_t complexType = 0; // complex columns: the engine's code of their kind, 0 when unknown
    std::string defaultValue;
    std::string description;
    std::string expression;   // calculated columns
    std::string storageTable; // complex columns: the catalog name of the table holding their values
    std::string validationRule;
    std::string validationText;
    bool operator==(const ColumnDetail&) const = default;
};

struct IndexColumnDetail {
    std::string name;
    bool descending = false;
    bool operator==(const IndexColumnDetail&) const = default;
};

struct IndexDetail {
    std::string name;
    std::vector<IndexColumnDetail> columns;
    bool primaryKey = false;
    bool unique = false;
    bool ignoreNulls = false;
    bool required = false;
    bool foreignKey = false;
    bool operator==(const IndexDetail&) const = default;
};

// The stored facts of a table beyond the engine's texts. columns is empty or parallel to the fields
// (empty where the table definition was not read here, as for a linked table); indexes lists the same
// indexes as the index names.
struct TableDetails {
    TableCatalog catalog;
    std::string validationRule; // the table's own rule and its text
    std::string validationText;
    std::vector<ColumnDetail> columns;
    std::vector<IndexDetail> indexes;
    bool operator==(const TableDetails&) const = default;
};

// The hidden table that stores a complex column's values: its columns (the parent row's complex value,
// the table's own AutoNumber, the values).
struct StorageTable {
    std::string name;
    FieldsAnswer fields;
    TableDetails details; // the columns' details; no indexes
    bool operator==(const StorageTable&) const = default;
};

struct TableSchema {
    std::string name;
    FieldsAnswer fields;
    IndexesAnswer indexes;
    TableDetails details;
    std::vector<StorageTable> storage; // the storage tables its complex columns name
    bool operator==(const TableSchema&) const = default;
};

struct RelationshipColumn {
    std::string column;
    std::string referencedColumn;
    bool operator==(const RelationshipColumn&) const = default;
};

// One relationship of MSysRelationships, its rows gathered in column order.
struct Relationship {
    std::string name;
    std::string table;           // the referencing side
    std::string referencedTable; // the primary-key side
    std::vector<RelationshipColumn> columns;
    bool enforced = false;
    bool cascadeUpdate = false;
    bool cascadeDelete = false;
    bool cascadeSetNull = false;
    bool operator==(const Relationship&) const = default;
};

struct SchemaAnswer {
    std::optional<Failure> failure;
    std::vector<TableSchema> tables;
    std::vector<Relationship> relationships;
    bool operator==(const SchemaAnswer&) const = default;
};

// ---- requests ----

std::string encode(const Request& request);
std::optional<Request> decodeRequest(std::string_view payload);

// ---- answers: encode(answer) gives a whole frame, decodeX(payload) reads the bytes after the length ----

std::string encode(const TablesAnswer& answer);
std::optional<TablesAnswer> decodeTables(std::string_view payload);
std::string encode(const FieldsAnswer& answer);
std::optional<FieldsAnswer> decodeFields(std::string_view payload);
std::string encode(const IndexesAnswer& answer);
std::optional<IndexesAnswer> decodeIndexes(std::string_view payload);

// The whole-schema answer is a run of frames, so that the reader can send each table as soon as it has read
// it and the program can decode each table while the reader reads the next: a head frame (the failure, or
// the number of tables), then, without a failure, a frame per table and a tail frame with the
// relationships.
std::string encodeSchemaHead(const std::optional<Failure>& failure, std::uint32_t tableCount);
std::string encodeSchemaTable(const TableSchema& table);
std::string encodeSchemaTail(const std::vector<Relationship>& relationships);
// Every frame of the answer, one after another.
std::string encode(const SchemaAnswer& answer);
// The answer from its frames, as encode gives them; nothing unless they are exactly one well-formed answer.
std::optional<SchemaAnswer> decodeSchema(std::string_view frames);

// Decodes the answer's frames one by one as they arrive. Each table goes to onTable as soon as its frame is
// decoded; the answer taken at the end holds the failure and the relationships. A malformed frame spoils
// the whole answer: the caller then drops the tables it was given.
class SchemaAnswerDecoder {
public:
    enum class Progress { More, Done, Malformed };

    explicit SchemaAnswerDecoder(std::function<void(TableSchema&&)> onTable) : onTable_(std::move(onTable)) {}
    // The payload of the next frame.
    Progress take(std::string_view payload);
    // The answer without its tables, once take has said Done.
    SchemaAnswer answer() && { return std::move(answer_); }

private:
    enum class Expecting { Head, Table, Tail, Nothing };

    std::function<void(TableSchema&&)> onTable_;
    SchemaAnswer answer_;
    Expecting expecting_ = Expecting::Head;
    std::uint32_t tablesLeft_ = 0;
};

} // namespace readerprotocol
