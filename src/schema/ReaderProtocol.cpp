// The messages of the reader conversation. Layouts (u32 = a number in one to five bytes, bool = u32 0 or 1,
// text = u32 byte count + UTF-8; "n x" = a u32 count n, then n items):
//
// Request:       kind, text path, [text table: Fields, Indexes, Rows and MissingValues only]
// Failure:       u32 0 (none) | u32 1, u32 number, text description
// TablesAnswer:  Failure, [n x text name: without a failure]
// FieldsAnswer:  u32 state (0 failed read, 1 read, 2 left unread on purpose), [n x Field: when read]
//   Field:       text name, u32 type, u32 size, bool allowZeroLength, u32 attributes
// IndexesAnswer: u32 kind (0 list, 1 no indexes, 2 unreadable), [n x text name, n >= 1: list only]
// SchemaAnswer:  Failure, [without a failure: n x TableSchema, m x Relationship]
//   TableSchema:  text name, FieldsAnswer, IndexesAnswer, TableDetails,
//                 s x (text name, FieldsAnswer, TableDetails): the storage tables of its complex columns
//   TableDetails: bool system, bool hidden, bool linked, text linkedDatabase, text foreignName,
//                 text validationRule, text validationText,
//                 c x ColumnDetail (c = 0, or c = the number of fields), i x IndexDetail
//   ColumnDetail: u32 jetType, u32 flags (1 required, 2 guidAutoNumber, 4 calculated, 8 precision and
//                 scale follow, 16 complexType follows, 32 a validation rule follows; no other bit),
//                 text defaultValue, text description,
//                 [u32 precision, u32 scale: flag 8], [text expression, u32 resultType: flag 4],
//                 [u32 complexType, text storageTable: flag 16],
//                 [text validationRule, text validationText: flag 32]
//                 (most columns have neither, so a column of a plain table costs 4 bytes)
//   IndexDetail:  text name, k x (text column, bool descending), bool primaryKey, bool unique,
//                 bool ignoreNulls, bool required, bool foreignKey
//   Relationship: text name, text table, text referencedTable, k x (text column, text referencedColumn),
//                 bool enforced, bool cascadeUpdate, bool cascadeDelete, bool cascadeSetNull
//
// Every count is checked against the bytes left (count(minItemSize)), so no count can make the decoder
// allocate more than the frame could describe.

#include "ReaderProtocol.h"

namespace readerprotocol {

namespace {

// The fewest bytes each item can take, for the counts that announce them: a number takes at least one.
constexpr std::size_t minNameSize = 1;
constexpr std::size_t minFieldSize = 5;
constexpr std::size_t minTableSize = 1 + 1 + 1 + 5 + 2 + 2 + 1;
constexpr std::size_t minStorageTableSize = 1 + 1 + 5 + 2 + 2;
constexpr std::size_t minColumnDetailSize = 4;

// The flags of a ColumnDetail.
constexpr std::uint32_t requiredFlag = 1;
constexpr std::uint32_t guidAutoNumberFlag = 2;
constexpr std::uint32_t calculatedFlag = 4;
constexpr std::uint32_t decimalFlag = 8;
constexpr std::uint32_t complexFlag = 16;
constexpr std::uint32_t validationFlag = 32;
constexpr std::uint32_t allColumnFlags = 63;
constexpr std::size_t minIndexColumnSize = 2;
constexpr std::size_t minIndexDetailSize = 1 + 1 + 5;
constexpr std::size_t minRelationshipColumnSize = 2;
constexpr std::size_t minRelationshipSize = 3 + 1 + 4;

void putNames(Writer& out, const std::vector<std::string>& names) {
    out.u32(std::uint32_t(names.size()));
    for (const std::string& name : names)
        out.text(name);
}

std::vector<std::string> takeNames(Reader& in) {
    std::vector<std::string> names(in.count(minNameSize));
    for (std::string& name : names)
        name = in.text();
    return names;
}

void putFields(Writer& out, const FieldsAnswer& answer) {
    out.u32(answer.readable ? 1 : answer.notRead ? 2 : 0);
    if (!answer.readable)
        return;
    out.u32(std::uint32_t(answer.fields.size()));
    for (const Field& field : answer.fields) {
        out.text(field.name);
        out.u32(field.type);
        out.u32(field.size);
        out.boolean(field.allowZeroLength);
        out.u32(field.attributes);
    }
}

FieldsAnswer takeFields(Reader& in) {
    FieldsAnswer answer;
    const std::uint32_t state = in.u32();
    if (state > 2)
        in.fail();
    answer.readable = state == 1;
    answer.notRead = state == 2;
    if (!answer.readable)
        return answer;
    answer.fields.resize(in.count(minFieldSize));
    for (Field& field : answer.fields) {
        field.name = in.text();
        field.type = in.u32();
        field.size = in.u32();
        field.allowZeroLength = in.boolean();
        field.attributes = in.u32();
    }
    return answer;
}

void putIndexes(Writer& out, const IndexesAnswer& answer) {
    out.u32(std::uint32_t(answer.kind));
    if (answer.kind == IndexesAnswer::Kind::List)
        putNames(out, answer.names);
}

IndexesAnswer takeIndexes(Reader& in) {
    IndexesAnswer answer;
    const std::uint32_t kind = in.u32();
    if (kind > std::uint32_t(IndexesAnswer::Kind::Unreadable)) {
        in.fail();
        return answer;
    }
    answer.kind = IndexesAnswer::Kind(kind);
    if (answer.kind == IndexesAnswer::Kind::List) {
        answer.names = takeNames(in);
        if (answer.names.empty()) // no index at all is NoIndexes, never an empty list
            in.fail();
    }
    return answer;
}

void putColumnDetail(Writer& out, const ColumnDetail& column) {
    const bool decimal = column.precision != 0 || column.scale != 0;
    std::uint32_t flags = column.required ? requiredFlag : 0;
    flags |= column.guidAutoNumber ? guidAutoNumberFlag : 0;
    flags |= column.calculated ? calculatedFlag : 0;
    flags |= decimal ? decimalFlag : 0;
    flags |= column.complexType != 0 ? complexFlag : 0;
    flags |= !column.validationRule.empty() || !column.validationText.empty() ? validationFlag : 0;
    out.u32(column.jetType);
    out.u32(flags);
    out.text(column.defaultValue);
    out.text(column.description);
    if (decimal) {
        out.u32(column.precision);
        out.u32(column.scale);
    }
    if (column.calculated) {
        out.text(column.expression);
        out.u32(column.resultType);
    }
    if (column.complexType != 0) {
        out.u32(column.complexType);
        out.text(column.storageTable);
    }
    if (flags & validationFlag) {
        out.text(column.validationRule);
        out.text(column.validationText);
    }
}

ColumnDetail takeColumnDetail(Reader& in) {
    ColumnDetail column;
    column.jetType = in.u32();
    const std::uint32_t flags = in.u32();
    if ((flags & ~allColumnFlags) != 0)
        in.fail();
    column.required = (flags & requiredFlag) != 0;
    column.guidAutoNumber = (flags & guidAutoNumberFlag) != 0;
    column.calculated = (flags & calculatedFlag) != 0;
    column.defaultValue = in.text();
    column.description = in.text();
    if (flags & decimalFlag) {
        column.precision = in.u32();
        column.scale = in.u32();
    }
    if (column.calculated) {
        column.expression = in.text();
        column.resultType = in.u32();
    }
    if (flags & complexFlag) {
        column.complexType = in.u32();
        column.storageTable = in.text();
    }
    if (flags & validationFlag) {
        column.validationRule = in.text();
        column.validationText = in.text();
    }
    return column;
}

void putIndexDetail(Writer& out, const IndexDetail& index) {
    out.text(index.name);
    out.u32(std::uint32_t(index.columns.size()));
    for (const IndexColumnDetail& column : index.columns) {
        out.text(column.name);
        out.boolean(column.descending);
    }
    out.boolean(index.primaryKey);
    out.boolean(index.unique);
    out.boolean(index.ignoreNulls);
    out.boolean(index.required);
    out.boolean(index.foreignKey);
}

IndexDetail takeIndexDetail(Reader& in) {
    IndexDetail index;
    index.name = in.text();
    index.columns.resize(in.count(minIndexColumnSize));
    for (IndexColumnDetail& column : index.columns) {
        column.name = in.text();
        column.descending = in.boolean();
    }
    index.primaryKey = in.boolean();
    index.unique = in.boolean();
    index.ignoreNulls = in.boolean();
    index.required = in.boolean();
    index.foreignKey = in.boolean();
    return index;
}

void putDetails(Writer& out, const TableDetails& details) {
    out.boolean(details.catalog.system);
    out.boolean(details.catalog.hidden);
    out.boolean(details.catalog.linked);
    out.text(details.catalog.linkedDatabase);
    out.text(details.catalog.foreignName);
    out.text(details.validationRule);
    out.text(details.validationText);
    out.u32(std::uint32_t(details.columns.size()));
    for (const ColumnDetail& column : details.columns)
        putColumnDetail(out, column);
    out.u32(std::uint32_t(details.indexes.size()));
    for (const IndexDetail& index : details.indexes)
        putIndexDetail(out, index);
}

TableDetails takeDetails(Reader& in) {
    TableDetails details;
    details.catalog.system = in.boolean();
    details.catalog.hidden = in.boolean();
    details.catalog.linked = in.boolean();
    details.catalog.linkedDatabase = in.text();
    details.catalog.foreignName = in.text();
    details.validationRule = in.text();
    details.validationText = in.text();
    details.columns.resize(in.count(minColumnDetailSize));
    for (ColumnDetail& column : details.columns)
        column = takeColumnDetail(in);
    details.indexes.resize(in.count(minIndexDetailSize));
    for (IndexDetail& index : details.indexes)
        index = takeIndexDetail(in);
    return details;
}

void putRelationship(Writer& out, const Relationship& relationship) {
    out.text(relationship.name);
    out.text(relationship.table);
    out.text(relationship.referencedTable);
    out.u32(std::uint32_t(relationship.columns.size()));
    for (const RelationshipColumn& column : relationship.columns) {
        out.text(column.column);
        out.text(column.referencedColumn);
    }
    out.boolean(relationship.enforced);
    out.boolean(relationship.cascadeUpdate);
    out.boolean(relationship.cascadeDelete);
    out.boolean(relationship.cascadeSetNull);
}

Relationship takeRelationship(Reader& in) {
    Relationship relationship;
    relationship.name = in.text();
    relationship.table = in.text();
    relationship.referencedTable = in.text();
    relationship.columns.resize(in.count(minRelationshipColumnSize));
    for (RelationshipColumn& column : relationship.columns) {
        column.column = in.text();
        column.referencedColumn = in.text();
    }
    relationship.enforced = in.boolean();
    relationship.cascadeUpdate = in.boolean();
    relationship.cascadeDelete = in.boolean();
    relationship.cascadeSetNull = in.boolean();
    return relationship;
}

} // namespace

void putFailure(Writer& out, const std::optional<Failure>& failure) {
    out.u32(failure ? 1 : 0);
    if (failure) {
        out.u32(failure->number);
        out.text(failure->description);
    }
}

std::optional<Failure> takeFailure(Reader& in) {
    const std::uint32_t status = in.u32();
    if (status == 0)
        return std::nullopt;
    if (status != 1) {
        in.fail();
        return std::nullopt;
    }
    Failure failure;
    failure.number = in.u32();
    failure.description = in.text();
    return failure;
}

Failure failureFor(FailureNumber number, std::string_view path) {
    std::string quoted(1, '\'');
    quoted.append(path).push_back('\'');
    switch (number) {
    case FileNotFound:
        return {number, "Could not find file " + quoted + "."};
    case CannotOpenFile:
        return {number, "Cannot open the file " + quoted + "."};
    case UnrecognizedFormat:
        return {number, "Unrecognized database format " + quoted + "."};
    case NotValidPassword:
        return {number, "The database " + quoted + " is encrypted, and its password is missing or wrong."};
    case DatabaseDamaged:
        break;
    }
    return {DatabaseDamaged, "Cannot open database " + quoted + ". The file may be damaged."};
}

std::string encode(const Request& request) {
    Writer out;
    out.u32(std::uint32_t(request.kind));
    out.text(request.path);
    if (request.kind == RequestKind::Fields || request.kind == RequestKind::Indexes ||
        request.kind == RequestKind::Rows || request.kind == RequestKind::MissingValues)
        out.text(request.table);
    if (!request.password.empty())
        out.text(request.password);
    return out.takeFrame();
}

std::optional<Request> decodeRequest(std::string_view payload) {
    Reader in(payload);
    Request request;
    const std::uint32_t kind = in.u32();
    if (kind < 1 || kind > std::uint32_t(RequestKind::MissingValues))
        return std::nullopt;
    request.kind = RequestKind(kind);
    request.path = in.text();
    if (request.kind == RequestKind::Fields || request.kind == RequestKind::Indexes ||
        request.kind == RequestKind::Rows || request.kind == RequestKind::MissingValues)
        request.table = in.text();
    if (!in.finished())
        request.password = in.text();
    if (!in.finished())
        return std::nullopt;
    return request;
}

std::string encode(const TablesAnswer& answer) {
    Writer out;
    putFailure(out, answer.failure);
    if (!answer.failure)
        putNames(out, answer.names);
    return out.takeFrame();
}

std::optional<TablesAnswer> decodeTables(std::string_view payload) {
    Reader in(payload);
    TablesAnswer answer;
    answer.failure = takeFailure(in);
    if (!answer.failure)
        answer.names = takeNames(in);
    return in.finished() ? std::optional(std::move(answer)) : std::nullopt;
}

std::string encode(const FieldsAnswer& answer) {
    Writer out;
    putFields(out, answer);
    return out.takeFrame();
}

std::optional<FieldsAnswer> decodeFields(std::string_view payload) {
    Reader in(payload);
    FieldsAnswer answer = takeFields(in);
    return in.finished() ? std::optional(std::move(answer)) : std::nullopt;
}

std::string encode(const IndexesAnswer& answer) {
    Writer out;
    putIndexes(out, answer);
    return out.takeFrame();
}

std::optional<IndexesAnswer> decodeIndexes(std::string_view payload) {
    Reader in(payload);
    IndexesAnswer answer = takeIndexes(in);
    return in.finished() ? std::optional(std::move(answer)) : std::nullopt;
}

std::string encodeSchemaHead(const std::optional<Failure>& failure, std::uint32_t tableCount) {
    Writer out;
    putFailure(out, failure);
    if (!failure)
        out.u32(tableCount);
    return out.takeFrame();
}

std::string encodeSchemaTable(const TableSchema& table) {
    Writer out;
    out.text(table.name);
    putFields(out, table.fields);
    putIndexes(out, table.indexes);
    putDetails(out, table.details);
    out.u32(std::uint32_t(table.storage.size()));
    for (const StorageTable& storage : table.storage) {
        out.text(storage.name);
        putFields(out, storage.fields);
        putDetails(out, storage.details);
    }
    return out.takeFrame();
}

std::string encodeSchemaTail(const std::vector<Relationship>& relationships) {
    Writer out;
    out.u32(std::uint32_t(relationships.size()));
    for (const Relationship& relationship : relationships)
        putRelationship(out, relationship);
    return out.takeFrame();
}

std::string encode(const SchemaAnswer& answer) {
    std::string frames = encodeSchemaHead(answer.failure, std::uint32_t(answer.tables.size()));
    if (answer.failure)
        return frames;
    for (const TableSchema& table : answer.tables)
        frames += encodeSchemaTable(table);
    frames += encodeSchemaTail(answer.relationships);
    return frames;
}

std::optional<SchemaAnswer> decodeSchema(std::string_view frames) {
    std::vector<TableSchema> tables;
    SchemaAnswerDecoder decoder([&](TableSchema&& table) { tables.push_back(std::move(table)); });
    for (;;) {
        const std::optional<std::uint32_t> size = frameSize(frames);
        if (!size || *size > frames.size() - 4)
            return std::nullopt;
        const SchemaAnswerDecoder::Progress progress = decoder.take(frames.substr(4, *size));
        frames.remove_prefix(4 + std::size_t(*size));
        if (progress == SchemaAnswerDecoder::Progress::Malformed)
            return std::nullopt;
        if (progress == SchemaAnswerDecoder::Progress::Done) {
            if (!frames.empty())
                return std::nullopt;
            SchemaAnswer answer = std::move(decoder).answer();
            answer.tables = std::move(tables);
            return answer;
        }
    }
}

SchemaAnswerDecoder::Progress SchemaAnswerDecoder::take(std::string_view payload) {
    Reader in(payload);
    switch (expecting_) {
    case Expecting::Head:
        answer_.failure = takeFailure(in);
        if (!answer_.failure) {
            tablesLeft_ = in.u32();
            // Each table takes a frame of its own: more than the largest answer could hold is garbage.
            if (tablesLeft_ > maxFrameSize / (4 + minTableSize))
                in.fail();
        }
        if (!in.finished())
            break;
        expecting_ = answer_.failure   ? Expecting::Nothing
                     : tablesLeft_ > 0 ? Expecting::Table
                                       : Expecting::Tail;
        return expecting_ == Expecting::Nothing ? Progress::Done : Progress::More;
    case Expecting::Table: {
        TableSchema table;
        table.name = in.text();
        table.fields = takeFields(in);
        table.indexes = takeIndexes(in);
        table.details = takeDetails(in);
        // Column details describe the fields one for one, or are absent.
        if (!table.details.columns.empty() && table.details.columns.size() != table.fields.fields.size())
            in.fail();
        table.storage.resize(in.count(minStorageTableSize));
        for (StorageTable& storage : table.storage) {
            storage.name = in.text();
            storage.fields = takeFields(in);
            storage.details = takeDetails(in);
            if (!storage.details.columns.empty() &&
                storage.details.columns.size() != storage.fields.fields.size())
                in.fail();
        }
        if (!in.finished())
            break;
        onTable_(std::move(table));
        if (--tablesLeft_ == 0)
            expecting_ = Expecting::Tail;
        return Progress::More;
    }
    case Expecting::Tail:
        answer_.relationships.resize(in.count(minRelationshipSize));
        for (Relationship& relationship : answer_.relationships)
            relationship = takeRelationship(in);
        if (!in.finished())
            break;
        expecting_ = Expecting::Nothing;
        return Progress::Done;
    case Expecting::Nothing:
        break;
    }
    expecting_ = Expecting::Nothing;
    return Progress::Malformed;
}

} // namespace readerprotocol
