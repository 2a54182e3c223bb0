#pragma once
// The conversation between the program and its reader process, shared by both sides (plain C++, no Qt).
// Every message is a frame: a u32 byte count, then that many bytes. Inside, numbers are u32 and texts are a
// u32 byte count followed by UTF-8. All u32 values are little-endian. Decoding checks every bound, so a
// damaged or hostile answer decodes to "nothing" instead of to wrong data.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace readerprotocol {

// No frame is ever larger; a bigger count means the stream is garbage.
inline constexpr std::uint32_t maxFrameSize = 256u * 1024u * 1024u;

enum class RequestKind : std::uint32_t { Tables = 1, Fields = 2, Indexes = 3, Schema = 4 };

struct Request {
    RequestKind kind = RequestKind::Tables;
    std::string path;
    std::string table; // Fields and Indexes only
};

// The error numbers and texts users of Access know for a database that cannot be read.
enum FailureNumber : std::uint32_t {
    FileNotFound = 3024,
    DatabaseDamaged = 3049,
    CannotOpenFile = 3051,
    UnrecognizedFormat = 3343,
};

struct Failure {
    std::uint32_t number = 0;
    std::string description;
    bool operator==(const Failure&) const = default;
};

inline Failure failureFor(FailureNumber number, std::string_view path) {
    const std::string quoted = "'" + std::string(path) + "'";
    switch (number) {
    case FileNotFound:
        return {number, "Could not find file " + quoted + "."};
    case CannotOpenFile:
        return {number, "Cannot open the file " + quoted + "."};
    case UnrecognizedFormat:
        return {number, "Unrecognized database format " + quoted + "."};
    case DatabaseDamaged:
        break;
    }
    return {DatabaseDamaged, "Cannot open database " + quoted + ". The file may be damaged."};
}

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

struct TableSchema {
    std::string name;
    FieldsAnswer fields;
    IndexesAnswer indexes;
    bool operator==(const TableSchema&) const = default;
};

struct SchemaAnswer {
    std::optional<Failure> failure;
    std::vector<TableSchema> tables;
    bool operator==(const SchemaAnswer&) const = default;
};

// ---- encoding ----

class Writer {
public:
    void u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.push_back(char((value >> shift) & 0xFFu));
    }
    void text(std::string_view value) {
        u32(std::uint32_t(value.size()));
        bytes_.append(value);
    }
    // The payload with its length in front, ready to write.
    std::string frame() const {
        Writer out;
        out.u32(std::uint32_t(bytes_.size()));
        return out.bytes_ + bytes_;
    }

private:
    std::string bytes_;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    std::uint32_t u32() {
        if (!ok_ || bytes_.size() - pos_ < 4) {
            ok_ = false;
            return 0;
        }
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= std::uint32_t(std::uint8_t(bytes_[pos_ + i])) << (8 * i);
        pos_ += 4;
        return value;
    }
    std::string text() {
        const std::uint32_t size = u32();
        if (!ok_ || bytes_.size() - pos_ < size) {
            ok_ = false;
            return {};
        }
        std::string value(bytes_.substr(pos_, size));
        pos_ += size;
        return value;
    }
    // A count of items that each take at least minItemSize bytes; a count the rest cannot hold is garbage.
    std::uint32_t count(std::size_t minItemSize) {
        const std::uint32_t n = u32();
        if (ok_ && n > (bytes_.size() - pos_) / minItemSize)
            ok_ = false;
        return ok_ ? n : 0;
    }
    bool boolean() {
        const std::uint32_t value = u32();
        if (value > 1)
            ok_ = false;
        return value == 1;
    }
    void fail() { ok_ = false; }
    bool ok() const { return ok_; }
    bool finished() const { return ok_ && pos_ == bytes_.size(); }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// Reads the length prefix of a frame at the start of buffer; nullopt until four bytes are there.
inline std::optional<std::uint32_t> frameSize(std::string_view buffer) {
    if (buffer.size() < 4)
        return std::nullopt;
    return Reader(buffer.substr(0, 4)).u32();
}

namespace detail {

inline void putFailure(Writer& out, const std::optional<Failure>& failure) {
    out.u32(failure ? 1 : 0);
    if (failure) {
        out.u32(failure->number);
        out.text(failure->description);
    }
}

inline std::optional<Failure> takeFailure(Reader& in) {
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

inline void putNames(Writer& out, const std::vector<std::string>& names) {
    out.u32(std::uint32_t(names.size()));
    for (const std::string& name : names)
        out.text(name);
}

inline std::vector<std::string> takeNames(Reader& in) {
    std::vector<std::string> names(in.count(4));
    for (std::string& name : names)
        name = in.text();
    return names;
}

// The fields' state: 0 failed read, 1 read (the fields follow), 2 left unread on purpose.
inline void putFields(Writer& out, const FieldsAnswer& answer) {
    out.u32(answer.readable ? 1 : answer.notRead ? 2 : 0);
    if (!answer.readable)
        return;
    out.u32(std::uint32_t(answer.fields.size()));
    for (const Field& field : answer.fields) {
        out.text(field.name);
        out.u32(field.type);
        out.u32(field.size);
        out.u32(field.allowZeroLength ? 1 : 0);
        out.u32(field.attributes);
    }
}

inline FieldsAnswer takeFields(Reader& in) {
    FieldsAnswer answer;
    const std::uint32_t state = in.u32();
    if (state > 2)
        in.fail();
    answer.readable = state == 1;
    answer.notRead = state == 2;
    if (!answer.readable)
        return answer;
    answer.fields.resize(in.count(20));
    for (Field& field : answer.fields) {
        field.name = in.text();
        field.type = in.u32();
        field.size = in.u32();
        field.allowZeroLength = in.boolean();
        field.attributes = in.u32();
    }
    return answer;
}

inline void putIndexes(Writer& out, const IndexesAnswer& answer) {
    out.u32(std::uint32_t(answer.kind));
    if (answer.kind == IndexesAnswer::Kind::List)
        putNames(out, answer.names);
}

inline IndexesAnswer takeIndexes(Reader& in) {
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

} // namespace detail

// ---- requests ----

inline std::string encode(const Request& request) {
    Writer out;
    out.u32(std::uint32_t(request.kind));
    out.text(request.path);
    if (request.kind == RequestKind::Fields || request.kind == RequestKind::Indexes)
        out.text(request.table);
    return out.frame();
}

inline std::optional<Request> decodeRequest(std::string_view payload) {
    Reader in(payload);
    Request request;
    const std::uint32_t kind = in.u32();
    if (kind < 1 || kind > 4)
        return std::nullopt;
    request.kind = RequestKind(kind);
    request.path = in.text();
    if (request.kind == RequestKind::Fields || request.kind == RequestKind::Indexes)
        request.table = in.text();
    if (!in.finished())
        return std::nullopt;
    return request;
}

// ---- answers: encode(answer) gives a whole frame, decodeX(payload) reads the bytes after the length ----

inline std::string encode(const TablesAnswer& answer) {
    Writer out;
    detail::putFailure(out, answer.failure);
    if (!answer.failure)
        detail::putNames(out, answer.names);
    return out.frame();
}

inline std::optional<TablesAnswer> decodeTables(std::string_view payload) {
    Reader in(payload);
    TablesAnswer answer;
    answer.failure = detail::takeFailure(in);
    if (!answer.failure)
        answer.names = detail::takeNames(in);
    return in.finished() ? std::optional(answer) : std::nullopt;
}

inline std::string encode(const FieldsAnswer& answer) {
    Writer out;
    detail::putFields(out, answer);
    return out.frame();
}

inline std::optional<FieldsAnswer> decodeFields(std::string_view payload) {
    Reader in(payload);
    FieldsAnswer answer = detail::takeFields(in);
    return in.finished() ? std::optional(answer) : std::nullopt;
}

inline std::string encode(const IndexesAnswer& answer) {
    Writer out;
    detail::putIndexes(out, answer);
    return out.frame();
}

inline std::optional<IndexesAnswer> decodeIndexes(std::string_view payload) {
    Reader in(payload);
    IndexesAnswer answer = detail::takeIndexes(in);
    return in.finished() ? std::optional(answer) : std::nullopt;
}

inline std::string encode(const SchemaAnswer& answer) {
    Writer out;
    detail::putFailure(out, answer.failure);
    if (!answer.failure) {
        out.u32(std::uint32_t(answer.tables.size()));
        for (const TableSchema& table : answer.tables) {
            out.text(table.name);
            detail::putFields(out, table.fields);
            detail::putIndexes(out, table.indexes);
        }
    }
    return out.frame();
}

inline std::optional<SchemaAnswer> decodeSchema(std::string_view payload) {
    Reader in(payload);
    SchemaAnswer answer;
    answer.failure = detail::takeFailure(in);
    if (!answer.failure) {
        answer.tables.resize(in.count(12));
        for (TableSchema& table : answer.tables) {
            table.name = in.text();
            table.fields = detail::takeFields(in);
            table.indexes = detail::takeIndexes(in);
        }
    }
    return in.finished() ? std::optional(answer) : std::nullopt;
}

} // namespace readerprotocol
