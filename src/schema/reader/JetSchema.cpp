// How the Jet catalog maps to what the Access database engine (DAO) reports. This file is the one place
// that decides it:
//
// Tables: every table definition in MSysObjects - local tables (Type 1, system tables included: Flags
//   0x80000000 or 0x2, hidden ones too) and linked tables (Type 6 for links to Access files, Type 4 for
//   ODBC links) - ordered by name without regard to letter case, as the engine's TableDefs collection
//   lists them. Left out are only the storage tables of multi-valued fields, "f_" + 32 hex digits + "_Data",
//   which the engine never shows.
// Fields, in column order:
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
// Names: Jet 4 and later store them as UTF-16; they are converted as UTF-16, not as libmdb's UCS-2, so
//   characters outside the Basic Multilingual Plane arrive whole. Jet 3 names keep libmdb's code page.
// Linked Access tables (Type 6) are read through their link: from the stored path when a file lies there,
//   else from a file of the same name in the linking database's own folder, one level deep (a link found
//   there is not followed). Without such a file, and for ODBC links, the fields are the "NONE" row marked
//   as deliberately unread, and there is no index list.
// Indexes: the names of the table's logical indexes (primary key, ordinary, and the foreign-key indexes of
//   relationships) ordered by name without regard to case; entries whose names begin with "." are the
//   engine's internal back-references of relationships and are left out. No index left -> NoIndexes.
// A table name the catalog does not define gives the "NONE" row and the "NONE" index list.
// Table list failures: 3024 no such file, 3051 not openable (permission, folder, FIFO, device), 3343 not a
//   Jet/ACE file (empty, truncated, wrong header, or libmdb refuses it), 3049 damaged (the catalog cannot be
//   read or does not list MSysObjects itself).
//
// Cost: every request walks the catalog again, so the walk binds only Id, Name, Type, LvProp and the two
// link columns Database and ForeignName (LvProp is bound but parsed only for the tables answered;
// mdb_read_catalog would parse the property blob of every catalog row), and a request for one table stops at
// that table's row.
//
// libmdb pitfalls: mdb_read_columns must follow mdb_read_table directly and precede mdb_read_indices, which
// returns NULL even when it succeeds (the indexes land in the table definition's `indices`); libmdb keeps
// only the low 7 bits of the catalog Type, which turns reports (-32764) into ODBC links (4), so the raw
// Type is read here; a later mdb_read_catalog frees earlier entries, so it is not used at all.

#include "JetSchema.h"

#include "ColumnProperties.h"
#include "FileCheck.h"
#include "OpenTable.h"
#include "SchemaDetails.h"

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <iconv.h>
#include <memory>
#include <optional>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace readerprotocol;

namespace {

// MSysObjects Type values of table definitions.
constexpr int localTable = 1;
constexpr int odbcLinkedTable = 4;
constexpr int accessLinkedTable = 6;

// Jet column type bytes that differ from DAO's codes, and those codes.
constexpr int jetGuid = 0x0F;
constexpr int jetDecimal = 0x10;
constexpr int jetComplex = 0x12;
constexpr int jetBigInt = 0x13;
constexpr std::uint32_t daoGuid = 15;
constexpr std::uint32_t daoBigInt = 16;
constexpr std::uint32_t daoDecimal = 20;
constexpr std::uint32_t daoAttachment = 101;

constexpr std::uint32_t dbFixedField = 1;
constexpr std::uint32_t dbVariableField = 2;
constexpr std::uint32_t dbAutoIncrField = 16;
constexpr std::uint32_t dbUpdatableField = 32;

// The bytes of calculation data a calculated column's stored length holds besides its value.
constexpr int calculationDataSize = 23;

bool isTableType(int type) {
    return type == localTable || type == odbcLinkedTable || type == accessLinkedTable;
}

bool isMultiValueStorage(const std::string& name) {
    constexpr std::size_t hexDigits = 32;
    if (name.size() != 2 + hexDigits + 5 || name.compare(0, 2, "f_") != 0 ||
        name.compare(2 + hexDigits, 5, "_Data") != 0)
        return false;
    return std::all_of(name.begin() + 2, name.begin() + 2 + hexDigits,
                       [](char c) { return g_ascii_isxdigit(c); });
}

// The key names are ordered and matched by: the case-folded name (plain bytes when it is not UTF-8).
std::string foldedName(const std::string& name) {
    if (!g_utf8_validate(name.data(), gssize(name.size()), nullptr))
        return name;
    std::unique_ptr<gchar, decltype(&g_free)> folded(g_utf8_casefold(name.data(), gssize(name.size())),
                                                     g_free);
    return folded ? std::string(folded.get()) : name;
}

// Orders items by name without regard to case (names equal but for case by their bytes), folding each
// name once.
template <typename Item, typename NameOf> void sortByName(std::vector<Item>& items, NameOf nameOf) {
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        keys.emplace_back(foldedName(nameOf(items[i])), i);
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : nameOf(items[a.second]) < nameOf(items[b.second]);
    });
    std::vector<Item> sorted;
    sorted.reserve(items.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(items[key.second]));
    items = std::move(sorted);
}

struct CatalogTable {
    std::string name;
    int type = 0;
    unsigned long page = 0;
    // Local tables only, and only when asked for: the LvProp blob as read, and its column properties,
    // parsed when first needed (columnProperties) so that the walk of the catalog stays short.
    std::string propertyBlob;
    std::optional<TableProperties> properties;
    std::string linkedDatabase; // links to Access files: the stored path of the file
    std::string foreignName;    // links to Access files: the table's name in that file
};

struct DatabaseDeleter {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};

// The bytes of a database file mapped read-only, so that libmdb reads its pages from memory instead of with
// a seek and a read of the file per page. Pages libmdb never reads are never loaded.
class FileMapping {
public:
    FileMapping() = default;
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;
    ~FileMapping() { unmap(); }

    bool map(const std::string& path) {
        unmap();
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return false;
        struct stat status {};
        void* address = MAP_FAILED;
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
            address =
                ::mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        ::close(fd);
        if (address == MAP_FAILED)
            return false;
        address_ = address;
        size_ = static_cast<std::size_t>(status.st_size);
        return true;
    }
    void* data() const { return address_; }
    std::size_t size() const { return size_; }

private:
    void unmap() {
        if (address_)
            ::munmap(address_, size_);
        address_ = nullptr;
        size_ = 0;
    }

    void* address_ = nullptr;
    std::size_t size_ = 0;
};

// An open database and the mapped file it reads from; the file is declared first so that it outlives the
// handle.
struct Database {
    FileMapping file;
    std::unique_ptr<MdbHandle, DatabaseDeleter> handle;

    MdbHandle* get() const { return handle.get(); }
};

struct TableDefDeleter {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using TableDef = std::unique_ptr<MdbTableDef, TableDefDeleter>;

// libmdb converts Jet 4 and later texts with a UCS-2 converter, which knows no surrogate pairs and turns
// every character outside the Basic Multilingual Plane into "??". UTF-16LE converts them whole; the old
// converters are kept when the new ones cannot be had.
void convertTextsAsUtf16(MdbHandle* mdb) {
    if (mdb->f->jet_version == MDB_VER_JET3)
        return;
    const auto none = iconv_t(-1);
    const iconv_t in = iconv_open("UTF-8", "UTF-16LE");
    const iconv_t out = iconv_open("UTF-16LE", "UTF-8");
    if (in == none || out == none) {
        if (in != none)
            iconv_close(in);
        if (out != none)
            iconv_close(out);
        return;
    }
    if (mdb->iconv_in != none)
        iconv_close(mdb->iconv_in);
    if (mdb->iconv_out != none)
        iconv_close(mdb->iconv_out);
    mdb->iconv_in = in;
    mdb->iconv_out = out;
}

std::optional<Failure> openDatabase(const std::string& path, Database& database) {
    switch (checkDatabaseFile(path)) {
    case FileVerdict::Missing:
        return failureFor(FileNotFound, path);
    case FileVerdict::CannotOpen:
        return failureFor(CannotOpenFile, path);
    case FileVerdict::NotADatabase:
        return failureFor(UnrecognizedFormat, path);
    case FileVerdict::Database:
        break;
    }
    database.handle.reset();
    // A file that cannot be mapped is opened the ordinary way, to fail or succeed as libmdb decides.
    if (database.file.map(path))
        database.handle.reset(mdb_open_buffer(database.file.data(), database.file.size(), MDB_NOFLAGS));
    else
        database.handle.reset(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!database.handle)
        return failureFor(UnrecognizedFormat, path);
    convertTextsAsUtf16(database.get());
    return std::nullopt;
}

// The property blob of the catalog row just fetched; empty when it has none.
std::string readPropertyBlob(MdbHandle* mdb, MdbColumn* lvProp) {
    if (!lvProp || lvProp->cur_value_len == 0)
        return {};
    size_t size = 0;
    void* blob = mdb_ole_read_full(mdb, lvProp, &size);
    if (!blob)
        return {};
    std::string bytes(static_cast<const char*>(blob), size);
    std::free(blob);
    return bytes;
}

// The table's column properties, parsed from its blob the first time they are needed.
const TableProperties& columnProperties(MdbHandle* mdb, CatalogTable& table) {
    if (!table.properties)
        table.properties.emplace(mdb, reinterpret_cast<const unsigned char*>(table.propertyBlob.data()),
                                 table.propertyBlob.size());
    return *table.properties;
}

// What a catalog walk keeps of one table definition row, and whether it goes on to the next row.
struct Visit {
    bool keep = false;
    bool withProperties = false;
    bool goOn = true;
};

struct CatalogWalk {
    bool readable = false;    // MSysObjects could be read and has the columns the walk needs
    bool listsItself = false; // one of its rows is MSysObjects
    std::vector<CatalogTable> tables;
};

// Walks MSysObjects in storage order and asks visit what to keep of every table definition.
CatalogWalk walkCatalog(MdbHandle* mdb, const std::function<Visit(const std::string& name)>& visit) {
    CatalogWalk walk;
    MdbCatalogEntry catalog;
    std::memset(&catalog, 0, sizeof catalog);
    catalog.mdb = mdb;
    catalog.object_type = MDB_TABLE;
    catalog.table_pg = 2;
    std::strcpy(catalog.object_name, "MSysObjects");

    TableDef table(mdb_read_table(&catalog));
    if (!table || !mdb_read_columns(table.get()))
        return walk;

    const std::size_t bindSize = std::max<std::size_t>(mdb->bind_size, MDB_BIND_SIZE);
    std::vector<char> id(bindSize), name(bindSize), type(bindSize), lvProp(bindSize), database(bindSize),
        foreignName(bindSize);
    char idColumn[] = "Id", nameColumn[] = "Name", typeColumn[] = "Type", lvPropColumn[] = "LvProp",
         databaseColumn[] = "Database", foreignNameColumn[] = "ForeignName";
    if (mdb_bind_column_by_name(table.get(), idColumn, id.data(), nullptr) < 1 ||
        mdb_bind_column_by_name(table.get(), nameColumn, name.data(), nullptr) < 1 ||
        mdb_bind_column_by_name(table.get(), typeColumn, type.data(), nullptr) < 1)
        return walk;
    // Bound so that its blob can be read for the rows that want it; parsed only for those.
    const int lvPropNumber = mdb_bind_column_by_name(table.get(), lvPropColumn, lvProp.data(), nullptr);
    MdbColumn* lvPropColumnDef =
        lvPropNumber >= 1 ? static_cast<MdbColumn*>(g_ptr_array_index(table->columns, lvPropNumber - 1))
                          : nullptr;
    // Only links need them; a catalog without them has no link that could be followed.
    const bool linkColumns =
        mdb_bind_column_by_name(table.get(), databaseColumn, database.data(), nullptr) >= 1 &&
        mdb_bind_column_by_name(table.get(), foreignNameColumn, foreignName.data(), nullptr) >= 1;
    walk.readable = true;

    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        const int rowType = std::atoi(type.data());
        if (!isTableType(rowType))
            continue;
        const std::string rowName = name.data();
        if (rowName == "MSysObjects")
            walk.listsItself = true;
        if (isMultiValueStorage(rowName))
            continue;
        const Visit wanted = visit(rowName);
        if (wanted.keep) {
            CatalogTable kept;
            kept.name = rowName;
            kept.type = rowType;
            kept.page = std::strtoul(id.data(), nullptr, 10) & 0x00FFFFFFul;
            if (wanted.withProperties && rowType == localTable)
                kept.propertyBlob = readPropertyBlob(mdb, lvPropColumnDef);
            if (rowType == accessLinkedTable && linkColumns) {
                kept.linkedDatabase = database.data();
                kept.foreignName = foreignName.data();
            }
            walk.tables.push_back(std::move(kept));
        }
        if (!wanted.goOn)
            break;
    }
    return walk;
}

// A calculated column's result type (a column type byte) and the length its value has; nothing for a
// column that is not calculated.
struct Calculation {
    int resultType = 0;
    int size = 0;
};

std::optional<Calculation> calculationOf(const MdbColumn& column, const ColumnPropertyValues& properties,
                                         bool jet3) {
    if (jet3 || !valueOf(properties, ColumnProperty::Expression))
        return std::nullopt;
    Calculation calculation;
    const std::optional<std::string_view> resultType = valueOf(properties, ColumnProperty::ResultType);
    calculation.resultType = resultType ? std::atoi(std::string(*resultType).c_str()) : 0;
    if (calculation.resultType <= 0)
        calculation.resultType = column.col_type;
    calculation.size = std::max(column.col_size - calculationDataSize, 0);
    return calculation;
}

Field describeColumn(const MdbColumn& column, const ColumnPropertyValues& properties, bool jet3) {
    Field field;
    field.name = column.name;
    const std::optional<Calculation> calculation = calculationOf(column, properties, jet3);
    const int columnType = calculation ? calculation->resultType : column.col_type;
    const int size = calculation ? calculation->size : std::max(column.col_size, 0);
    switch (columnType) {
    case MDB_BOOL:
    case MDB_BYTE:
        field.type = std::uint32_t(columnType);
        field.size = 1;
        break;
    case MDB_INT:
        field.type = MDB_INT;
        field.size = 2;
        break;
    case MDB_LONGINT:
    case MDB_FLOAT:
        field.type = std::uint32_t(columnType);
        field.size = 4;
        break;
    case MDB_MONEY:
    case MDB_DOUBLE:
    case MDB_DATETIME:
        field.type = std::uint32_t(columnType);
        field.size = 8;
        break;
    case MDB_BINARY:
        field.type = MDB_BINARY;
        field.size = std::uint32_t(size);
        break;
    case MDB_TEXT:
        field.type = MDB_TEXT;
        field.size = std::uint32_t(jet3 ? size : size / 2);
        break;
    case MDB_OLE:
    case MDB_MEMO:
        field.type = std::uint32_t(columnType);
        field.size = 0;
        break;
    case jetGuid:
        field.type = daoGuid;
        field.size = 16;
        break;
    case jetDecimal:
        field.type = daoDecimal;
        field.size = 17;
        break;
    case jetBigInt:
        field.type = daoBigInt;
        field.size = 8;
        break;
    case jetComplex:
        field.type = daoAttachment;
        field.size = std::uint32_t(size);
        break;
    default:
        field.type = std::uint32_t(columnType);
        field.size = std::uint32_t(size);
        break;
    }
    field.allowZeroLength = valueOf(properties, ColumnProperty::AllowZeroLength) == "yes";
    field.attributes = (column.is_fixed ? dbFixedField : dbVariableField) | dbUpdatableField;
    if (column.col_type == MDB_LONGINT && column.is_long_auto)
        field.attributes |= dbAutoIncrField;
    return field;
}

std::optional<CatalogTable> findTable(MdbHandle* mdb, const std::string& name);
// What describeTable reads of a table definition besides its name.
struct TableParts {
    bool fields = false;
    bool indexes = false;
    bool followLinks = true; // read a linked Access table through its link
};

TableSchema describeLinkedTable(const std::string& path, const CatalogTable& link, TableParts parts);

// A table whose data lies elsewhere and is left unread on purpose: the "NONE" row, no index list.
TableSchema notRead(const std::string& name) {
    TableSchema schema;
    schema.name = name;
    schema.fields.readable = false;
    schema.fields.notRead = true;
    schema.indexes.kind = IndexesAnswer::Kind::NoIndexes;
    return schema;
}

// Reads one table definition; fields and indexes only as asked, in libmdb's required order. A link to an
// Access file is followed when parts.followLinks is set.
TableSchema describeTable(MdbHandle* mdb, const std::string& path, CatalogTable& table, TableParts parts) {
    if (table.type == accessLinkedTable && parts.followLinks)
        return describeLinkedTable(path, table, parts);
    if (table.type != localTable)
        return notRead(table.name);
    TableSchema schema;
    schema.name = table.name;
    schema.fields.readable = false;
    schema.indexes.kind = IndexesAnswer::Kind::Unreadable;

    MdbCatalogEntry entry;
    std::memset(&entry, 0, sizeof entry);
    entry.mdb = mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = table.page;
    g_strlcpy(entry.object_name, table.name.c_str(), sizeof entry.object_name);
    // entry.props stays empty: the column properties come from columnProperties.

    TableDef definition(mdb_read_table(&entry));
    if (!definition || !mdb_read_columns(definition.get()))
        return schema;

    if (parts.fields) {
        const bool jet3 = mdb->f->jet_version == MDB_VER_JET3;
        schema.fields.readable = true;
        schema.fields.fields.reserve(definition->columns->len);
        const TableProperties& properties = columnProperties(mdb, table);
        for (guint i = 0; i < definition->columns->len; ++i) {
            const auto& column = *static_cast<const MdbColumn*>(g_ptr_array_index(definition->columns, i));
            schema.fields.fields.push_back(describeColumn(column, properties.column(column.name), jet3));
        }
    }

    if (parts.indexes) {
        mdb_read_indices(definition.get());
        std::vector<std::string> names;
        if (definition->indices) {
            for (guint i = 0; i < definition->indices->len; ++i) {
                const auto* index = static_cast<const MdbIndex*>(g_ptr_array_index(definition->indices, i));
                if (index->name[0] != '.')
                    names.emplace_back(index->name);
            }
        }
        sortByName(names, [](const std::string& name) -> const std::string& { return name; });
        schema.indexes.kind = names.empty() ? IndexesAnswer::Kind::NoIndexes : IndexesAnswer::Kind::List;
        schema.indexes.names = std::move(names);
    }
    return schema;
}

bool isRegularFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The file a link points at: the stored path when a file lies there, else a file of the same name in the
// linking database's own folder (stored paths are mostly Windows paths such as Z:\share\file.accdb, and
// Windows file names ignore letter case). Nothing when neither is there.
std::optional<std::string> linkedFile(const std::string& databasePath, const std::string& stored) {
    if (!stored.empty() && stored.front() == '/' && isRegularFile(stored))
        return stored;
    const std::size_t cut = stored.find_last_of("\\/");
    const std::string fileName = cut == std::string::npos ? stored : stored.substr(cut + 1);
    if (fileName.empty() || fileName == "." || fileName == "..")
        return std::nullopt;
    const std::size_t slash = databasePath.find_last_of('/');
    const std::string folder = slash == std::string::npos
                                   ? std::string(".")
                                   : databasePath.substr(0, std::max<std::size_t>(slash, 1));
    const std::string beside = folder + "/" + fileName;
    if (isRegularFile(beside))
        return beside;

    struct FolderCloser {
        void operator()(DIR* folder) const { ::closedir(folder); }
    };
    std::unique_ptr<DIR, FolderCloser> entries(::opendir(folder.c_str()));
    if (!entries)
        return std::nullopt;
    const std::string wanted = foldedName(fileName);
    while (const dirent* entry = ::readdir(entries.get())) {
        const std::string candidate = folder + "/" + entry->d_name;
        if (foldedName(entry->d_name) == wanted && isRegularFile(candidate))
            return candidate;
    }
    return std::nullopt;
}

// A linked Access table, read from its file one level deep: a link found there is not followed, so a
// link to itself or a ring of links ends at once. A file that is there but cannot be read, or lacks the
// table, is a failed read; no file at all leaves the table unread on purpose.
TableSchema describeLinkedTable(const std::string& path, const CatalogTable& link, TableParts parts) {
    const std::optional<std::string> file = linkedFile(path, link.linkedDatabase);
    if (!file)
        return notRead(link.name);
    TableSchema failed;
    failed.name = link.name;
    failed.indexes.kind = IndexesAnswer::Kind::Unreadable;
    Database linked;
    if (openDatabase(*file, linked))
        return failed;
    std::optional<CatalogTable> target =
        findTable(linked.get(), link.foreignName.empty() ? link.name : link.foreignName);
    if (!target)
        return failed;
    TableSchema schema =
        describeTable(linked.get(), *file, *target,
                      {.fields = parts.fields, .indexes = parts.indexes, .followLinks = false});
    schema.name = link.name;
    return schema;
}

// The table named `name` (matched without regard to case, as the engine matches it), or nothing.
std::optional<CatalogTable> findTable(MdbHandle* mdb, const std::string& name) {
    const std::string wanted = foldedName(name);
    CatalogWalk walk = walkCatalog(mdb, [&](const std::string& rowName) {
        const bool match = foldedName(rowName) == wanted;
        return Visit{.keep = match, .withProperties = match, .goOn = !match};
    });
    if (walk.tables.empty())
        return std::nullopt;
    return std::move(walk.tables.front());
}

std::optional<Failure> listTables(MdbHandle* mdb, const std::string& path, bool withProperties,
                                  std::vector<CatalogTable>& tables) {
    CatalogWalk walk = walkCatalog(mdb, [&](const std::string&) {
        return Visit{.keep = true, .withProperties = withProperties, .goOn = true};
    });
    if (!walk.readable || !walk.listsItself)
        return failureFor(DatabaseDamaged, path);
    tables = std::move(walk.tables);
    sortByName(tables, [](const CatalogTable& table) -> const std::string& { return table.name; });
    return std::nullopt;
}

} // namespace

TablesAnswer readTableNames(const std::string& path) {
    TablesAnswer answer;
    Database database;
    if ((answer.failure = openDatabase(path, database)))
        return answer;
    std::vector<CatalogTable> tables;
    if ((answer.failure = listTables(database.get(), path, false, tables)))
        return answer;
    for (const CatalogTable& table : tables)
        answer.names.push_back(table.name);
    return answer;
}

FieldsAnswer readTableFields(const std::string& path, const std::string& tableName) {
    Database database;
    if (openDatabase(path, database))
        return {};
    std::optional<CatalogTable> table = findTable(database.get(), tableName);
    if (!table)
        return {};
    return describeTable(database.get(), path, *table, {.fields = true}).fields;
}

IndexesAnswer readTableIndexes(const std::string& path, const std::string& tableName) {
    Database database;
    if (openDatabase(path, database))
        return {};
    std::optional<CatalogTable> table = findTable(database.get(), tableName);
    if (!table)
        return {};
    return describeTable(database.get(), path, *table, {.indexes = true}).indexes;
}

bool readSchema(const std::string& path, const std::function<bool(const std::string& frame)>& send) {
    Database database;
    if (const std::optional<Failure> failure = openDatabase(path, database))
        return send(encodeSchemaHead(failure, 0));
    std::vector<CatalogTable> tables;
    if (const std::optional<Failure> failure = listTables(database.get(), path, true, tables))
        return send(encodeSchemaHead(failure, 0));
    // What the engine's texts leave out: read once for the whole file, then per table.
    const SchemaDetails details = readSchemaDetails(database.get());
    if (!send(encodeSchemaHead(std::nullopt, std::uint32_t(tables.size()))))
        return false;
    for (CatalogTable& table : tables) {
        TableSchema schema = describeTable(database.get(), path, table, {.fields = true, .indexes = true});
        schema.details =
            describeTableDetails(database.get(), details, table.name, columnProperties(database.get(), table),
                                 schema.fields, schema.indexes);
        table.properties.reset(); // done with
        table.propertyBlob = {};
        if (!send(encodeSchemaTable(schema)))
            return false;
    }
    return send(encodeSchemaTail(details.relationships));
}

namespace {

Failure missingTable(const std::string& name) {
    return {3078, "The Microsoft Access database engine cannot find the input table or query '" + name +
                      "'. Make sure it exists and that its name is spelled correctly."};
}

// Reads the local table's definition and hands it on; a linked Access table is opened in its own file
// first, and a link found there is not followed.
std::optional<Failure> useTable(MdbHandle* mdb, const std::string& path, CatalogTable& table,
                                bool followLinks, const std::function<void(const OpenTable& open)>& use) {
    if (table.type == accessLinkedTable && followLinks) {
        const std::optional<std::string> file = linkedFile(path, table.linkedDatabase);
        if (!file)
            return failureFor(FileNotFound, table.linkedDatabase);
        Database linked;
        if (std::optional<Failure> failure = openDatabase(*file, linked))
            return failure;
        const std::string foreign = table.foreignName.empty() ? table.name : table.foreignName;
        std::optional<CatalogTable> target = findTable(linked.get(), foreign);
        if (!target)
            return missingTable(foreign);
        return useTable(linked.get(), *file, *target, false, use);
    }
    if (table.type != localTable)
        return Failure{3251, "Operation is not supported for this type of object."};

    MdbCatalogEntry entry;
    std::memset(&entry, 0, sizeof entry);
    entry.mdb = mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = table.page;
    g_strlcpy(entry.object_name, table.name.c_str(), sizeof entry.object_name);
    TableDef definition(mdb_read_table(&entry));
    if (!definition || !mdb_read_columns(definition.get()))
        return failureFor(DatabaseDamaged, path);
    use(OpenTable{mdb, definition.get(), &columnProperties(mdb, table)});
    return std::nullopt;
}

} // namespace

std::optional<Failure> withOpenTable(const std::string& path, const std::string& tableName,
                                     const std::function<void(const OpenTable& open)>& use) {
    Database database;
    if (std::optional<Failure> failure = openDatabase(path, database))
        return failure;
    std::optional<CatalogTable> table = findTable(database.get(), tableName);
    if (!table)
        return missingTable(tableName);
    return useTable(database.get(), path, *table, true, use);
}
