#include "MdbWriter.h"

#include "JetHeader.h"
#include "JetPages.h"
#include "JetProperties.h"
#include "JetRows.h"
#include "JetStorage.h"
#include "JetSystemTables.h"
#include "JetTableDef.h"
#include "MdbQueries.h"
#include "MdbSchemaCheck.h"

#include <algorithm>
#include <cstdio>
#include <map>

using namespace jet;

namespace {

// Every object carries this date (2024-01-01) so a schema always gives the same bytes.
constexpr double creationDate = 45292.0;
constexpr std::uint32_t systemObjectFlag = 0x80000000;
constexpr std::uint32_t hiddenObjectFlag = 0x8;
constexpr std::uint32_t catalogPage = 2;
constexpr std::uint32_t tablesContainer = 0x0F000001;
constexpr std::uint32_t databasesContainer = 0x0F000002;
constexpr std::uint32_t relationshipsContainer = 0x0F000003;
constexpr std::uint32_t rootContainer = 0x0F000000;
constexpr std::uint32_t databaseObject = 0x10000000;
constexpr std::uint16_t typeTable = 1;
constexpr std::uint16_t typeDatabase = 2;
constexpr std::uint16_t typeContainer = 3;
constexpr std::uint16_t typeQuery = 5;
// Saved queries are numbered apart from the table definitions, whose ids are their pages.
constexpr std::uint32_t firstQueryId = 0x0E000001;
// Jet addresses no file past 2 GiB.
constexpr std::uint32_t maxPages = std::uint32_t((1u << 31) / pageSize);

Bytes ucs2(const std::string& s) {
    return toUcs2(s).value_or(Bytes{});
}

struct TypeLayout {
    std::uint8_t code;
    std::uint16_t length; // bytes; 0 where the column sets it
    bool fixed;
};

TypeLayout layoutOf(MdbColumnType type) {
    switch (type) {
    case MdbColumnType::YesNo:
        return {CodeBoolean, 1, true};
    case MdbColumnType::Byte:
        return {CodeByte, 1, true};
    case MdbColumnType::Integer:
        return {CodeInteger, 2, true};
    case MdbColumnType::Long:
        return {CodeLong, 4, true};
    case MdbColumnType::Currency:
        return {CodeCurrency, 8, true};
    case MdbColumnType::Single:
        return {CodeSingle, 4, true};
    case MdbColumnType::Double:
        return {CodeDouble, 8, true};
    case MdbColumnType::DateTime:
        return {CodeDateTime, 8, true};
    case MdbColumnType::Binary:
        return {CodeBinary, 0, false};
    case MdbColumnType::Text:
        return {CodeText, 0, false};
    case MdbColumnType::OleObject:
        return {CodeOle, 0, false};
    case MdbColumnType::Memo:
        return {CodeMemo, 0, false};
    case MdbColumnType::Guid:
        return {CodeGuid, 16, true};
    case MdbColumnType::Decimal:
        return {CodeNumeric, 17, true};
    case MdbColumnType::DateTimeExtended:
        return {CodeDateTimeExtended, 42, true};
    case MdbColumnType::Unknown:
        return {0, 0, false}; // the column gives the type byte and the length
    }
    return {CodeText, 0, false};
}

std::string folded(std::string s) {
    for (auto& c : s)
        c = char((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    return s;
}

Table userTable(const MdbTable& in) {
    Table t;
    t.name = ucs2(in.name);
    t.system = in.system;
    std::map<std::string, std::uint16_t> numbers;
    for (const auto& c : in.columns) {
        const auto layout = layoutOf(c.type);
        Column col;
        col.name = ucs2(c.name);
        col.code = layout.code;
        col.length = layout.length;
        if (c.type == MdbColumnType::Text)
            col.length = std::uint16_t(2 * (c.length > 0 ? c.length : 50)); // two bytes a character
        else if (c.type == MdbColumnType::Binary)
            col.length = std::uint16_t(c.length > 0 ? c.length : 255);
        else if (c.type == MdbColumnType::Unknown) {
            col.code = std::uint8_t(c.typeByte);
            col.length = std::uint16_t(c.length > 0 ? c.length : 255);
        }
        col.deleted = c.deleted;
        col.flags = columnUpdatable;
        if (layout.fixed && !c.expression)
            col.flags |= columnFixed;
        if (c.autoNumber)
            col.flags |= c.type == MdbColumnType::Guid ? columnAutoGuid : columnAutoLong;
        if (c.type == MdbColumnType::Decimal && !c.expression) {
            col.precision = std::uint8_t(c.precision);
            col.scale = std::uint8_t(c.scale);
        }
        // A calculated column is a variable one whatever its result, and Access stores no precision or
        // scale for a Decimal result.
        if (c.expression) {
            col.extraFlags = columnCalculated;
            col.length = c.type == MdbColumnType::Text ? std::uint16_t(col.length + calculationDataSize)
                                                       : calculatedFixedLength;
        }
        numbers[folded(c.name)] = std::uint16_t(t.columns.size());
        t.columns.push_back(col);
    }
    for (const auto& ix : in.indexes) {
        Index out;
        out.name = ucs2(ix.name);
        out.primary = ix.primary;
        out.unique = ix.unique || ix.primary;
        out.ignoreNulls = ix.ignoreNulls;
        out.required = ix.required;
        out.foreignKey = ix.foreignKey;
        out.descending = ix.descending;
        for (const auto& name : ix.columns)
            out.columns.push_back(numbers[folded(name)]);
        t.indexes.push_back(out);
    }
    return t;
}

Bytes userTableProperties(const MdbTable& in) {
    std::vector<ColumnProperties> columns;
    // The table's own block comes first, without a name.
    ColumnProperties own;
    if (in.validationRule)
        own.values.push_back({.name = "ValidationRule", .text = *in.validationRule});
    if (in.validationText)
        own.values.push_back({.name = "ValidationText", .text = *in.validationText});
    columns.push_back(own);
    for (const auto& c : in.columns) {
        if (c.deleted)
            continue;
        ColumnProperties p;
        p.columnName = ucs2(c.name);
        if (c.allowZeroLength)
            p.values.push_back({.name = "AllowZeroLength", .flag = *c.allowZeroLength});
        if (c.required)
            p.values.push_back({.name = "Required", .flag = *c.required});
        // Access gives a ReplicationID its generator as the default value.
        const bool replicationId = c.autoNumber && c.type == MdbColumnType::Guid;
        if (c.defaultValue || replicationId)
            p.values.push_back({.name = "DefaultValue", .text = c.defaultValue.value_or("GenGUID()")});
        if (c.description)
            p.values.push_back({.name = "Description", .text = *c.description});
        if (c.validationRule)
            p.values.push_back({.name = "ValidationRule", .text = *c.validationRule});
        if (c.validationText)
            p.values.push_back({.name = "ValidationText", .text = *c.validationText});
        if (c.expression) {
            p.values.push_back({.name = "Expression", .text = *c.expression, .memo = true});
            p.values.push_back({.name = "ResultType", .byte = layoutOf(c.type).code});
        }
        columns.push_back(p);
    }
    return propertyBlob(columns);
}

constexpr std::size_t queriesTable = 2;       // MSysQueries among the system tables
constexpr std::size_t relationshipsTable = 3; // MSysRelationships among the system tables
constexpr std::uint32_t noReferentialIntegrity = 0x00000002;
constexpr std::uint32_t cascadeUpdates = 0x00000100;
constexpr std::uint32_t cascadeDeletes = 0x00001000;
constexpr std::uint32_t cascadeNull = 0x00002000;

Bytes le32(std::uint32_t v) {
    ByteWriter w;
    w.u32(v);
    return w.take();
}
Bytes le16(std::uint32_t v) {
    ByteWriter w;
    w.u16(v);
    return w.take();
}
Bytes date(double d) {
    ByteWriter w;
    w.f64(d);
    return w.take();
}

struct CatalogRow {
    std::uint32_t id;
    std::uint32_t parent;
    std::string name;
    std::uint16_t type;
    std::uint32_t flags;
    std::optional<Bytes> properties; // the LvProp field
};

Bytes catalogRow(const Table& catalog, const CatalogRow& r) {
    std::vector<std::optional<Bytes>> values(catalog.columns.size());
    values[0] = le32(r.id);
    values[1] = le32(r.parent);
    values[2] = ucs2(r.name);
    values[3] = le16(r.type);
    values[4] = date(creationDate);
    values[5] = date(creationDate);
    values[7] = le32(r.flags);
    values[14] = r.properties;
    return encodeRow(catalog, values);
}

// The MSysRelationships rows of a relationship: one per column pair, numbered by icolumn.
std::vector<Bytes> relationshipRows(const Table& relationships, const MdbRelationship& r) {
    std::uint32_t grbit = r.enforced ? 0 : noReferentialIntegrity;
    grbit |= r.cascadeUpdate ? cascadeUpdates : 0;
    grbit |= r.cascadeDelete ? cascadeDeletes : 0;
    grbit |= r.cascadeSetNull ? cascadeNull : 0;
    std::vector<Bytes> rows;
    for (std::size_t i = 0; i < r.columns.size(); ++i) {
        std::vector<std::optional<Bytes>> values(relationships.columns.size());
        values[0] = ucs2(r.name);
        values[1] = le32(grbit);
        values[2] = le32(std::uint32_t(r.columns.size()));
        values[3] = le32(std::uint32_t(i));
        values[4] = ucs2(r.table);
        values[5] = ucs2(r.columns[i]);
        values[6] = ucs2(r.referencedTable);
        values[7] = ucs2(r.referencedColumns[i]);
        rows.push_back(encodeRow(relationships, values));
    }
    return rows;
}

// MSysQueries as a table of rows the user-table writer can store, its long Expression values included:
// the rows of every query, ObjectId first, each with its place in the query as Order.
MdbTable queryRowsTable(const std::vector<MdbQuery>& queries) {
    MdbTable t;
    t.name = systemTableNames[queriesTable];
    const std::pair<const char*, MdbColumnType> columns[] = {
        {"ObjectId", MdbColumnType::Long}, {"Attribute", MdbColumnType::Byte},
        {"Order", MdbColumnType::Binary},  {"Name1", MdbColumnType::Text},
        {"Name2", MdbColumnType::Text},    {"Expression", MdbColumnType::Memo},
        {"Flag", MdbColumnType::Integer},  {"LvExtra", MdbColumnType::Long}};
    for (const auto& [name, type] : columns) {
        MdbColumn column;
        column.name = name;
        column.type = type;
        t.columns.push_back(column);
    }
    for (std::size_t q = 0; q < queries.size(); ++q) {
        const auto& rows = queries[q].rows;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const MdbQueryRow& r = rows[i];
            MdbRow row(t.columns.size());
            row[0] = MdbValue{std::int64_t(firstQueryId + q)};
            row[1] = MdbValue{std::int64_t(r.attribute)};
            row[2] = MdbValue{MdbBytes{std::uint8_t(i >> 8), std::uint8_t(i)}};
            if (r.name1)
                row[3] = MdbValue{*r.name1};
            if (r.name2)
                row[4] = MdbValue{*r.name2};
            if (r.expression)
                row[5] = MdbValue{*r.expression};
            if (r.flag)
                row[6] = MdbValue{std::int64_t(*r.flag)};
            if (r.extra)
                row[7] = MdbValue{std::int64_t(*r.extra)};
            t.rows.push_back(std::move(row));
        }
    }
    return t;
}

// Page 1: which pages of the file are free; none below the end of the file are.
Page globalUsageMap(std::uint32_t pageCount) {
    Bytes freePages(usageMapRowSize, 0);
    for (std::uint32_t p = pageCount; p < inlineMapPages; ++p)
        freePages[5 + p / 8] |= std::uint8_t(1u << (p % 8));
    return dataPage(1, {freePages, Bytes(usageMapRowSize, 0)});
}

// Writes a user table's rows onto data pages of its own, its long values onto LVAL pages of each column,
// and fills the table's usage maps. An error names the first row that does not fit a page.
std::optional<std::string> writeRows(PageFile& file, UsageMaps& maps, const MdbTable& in, Table& table,
                                     std::uint32_t owner, const TablePlacement& placement) {
    std::vector<LongValueStore> longValues;
    for (std::size_t k = longValueColumnCount(table); k > 0; --k)
        longValues.emplace_back(file);
    RowPages pages(file, owner);
    std::vector<std::optional<Bytes>> values(table.columns.size());
    std::int64_t largestAutoNumber = 0;
    // Added columns follow every other; a row that holds none of their values keeps the columns it had.
    const auto firstAdded = std::size_t(
        std::find_if(in.columns.begin(), in.columns.end(), [](const MdbColumn& c) { return c.added; }) -
        in.columns.begin());
    const auto add = [&](std::size_t number, const MdbRow& row) -> std::optional<std::string> {
        const bool before = std::all_of(row.begin() + std::ptrdiff_t(firstAdded), row.end(),
                                        [](const std::optional<MdbValue>& v) { return !v; });
        std::size_t lv = 0;
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            const auto& value = row[i];
            const auto& column = table.columns[i];
            values[i] = value ? columnBytes(column, *value) : std::nullopt;
            if (column.longValue() && values[i])
                values[i] = longValues[lv].store(*values[i]);
            lv += column.longValue() ? 1 : 0;
            if (in.columns[i].autoNumber && value && std::holds_alternative<std::int64_t>(*value))
                largestAutoNumber = std::max(largestAutoNumber, std::get<std::int64_t>(*value));
        }
        const Bytes bytes = encodeRow(table, values, before ? firstAdded : table.columns.size());
        if (bytes.size() > maxRowSize)
            return "table \"" + in.name + "\", row " + std::to_string(number + 1) + ": " +
                   std::to_string(bytes.size()) + " bytes, more than the " + std::to_string(maxRowSize) +
                   " a data page holds";
        pages.add(bytes);
        if (file.count() > maxPages)
            return "table \"" + in.name + "\", row " + std::to_string(number + 1) +
                   ": the database grows past the 2 GiB Jet allows";
        return std::nullopt;
    };
    std::size_t count = 0;
    for (; count < in.rows.size(); ++count)
        if (auto problem = add(count, in.rows[count]))
            return problem;
    // Rows made on demand are checked here, one at a time, as the schema check never sees them.
    MdbRow made;
    while (in.moreRows && in.moreRows(count - in.rows.size(), made)) {
        if (auto problem = rowProblem(in, count, made))
            return problem;
        if (auto problem = add(count, made))
            return problem;
        ++count;
    }
    if (count == 0)
        return std::nullopt;
    pages.finish();
    table.rowCount = std::uint32_t(count);
    table.nextAutoNumber = std::uint32_t(largestAutoNumber + 1);
    maps.fill(placement.usedPagesMap, pages.pages());
    maps.fill(placement.freePagesMap, {pages.pages().back()});
    for (std::size_t k = 0; k < longValues.size(); ++k) {
        longValues[k].finish();
        if (!longValues[k].pages().empty())
            maps.fill(placement.longValueUsedMaps[k], longValues[k].pages());
    }
    return std::nullopt;
}

// Lays the whole database out in `file`; a reason when the schema or a row cannot be written.
std::optional<std::string> writePages(const MdbSchema& schema, PageFile& file) {
    if (auto problem = schemaProblem(schema))
        return problem;
    std::vector<Table> tables = systemTables();
    const std::size_t systemCount = tables.size();
    // Rows in MSysRelationships would need entries in its indexes; no reader uses them, so a file with
    // relationships has the table without indexes, as the catalog is.
    if (!schema.relationships.empty())
        tables[relationshipsTable].indexes.clear();
    // So too for MSysQueries.
    if (!schema.queries.empty())
        tables[queriesTable].indexes.clear();
    std::vector<Bytes> properties(systemCount);
    for (const auto& t : schema.tables) {
        tables.push_back(userTable(t));
        properties.push_back(userTableProperties(t));
    }

    // Layout: header, global usage map, table definitions (the catalog's on page 2), usage-map pages,
    // index roots, LVAL pages of the property blobs, catalog rows, relationship rows, then each user table's
    // data pages among the LVAL pages of its long values; the bitmap pages of a large map follow the pages
    // it names.
    file.allocate(); // header
    file.allocate(); // global usage map

    std::vector<std::vector<std::uint32_t>> defPages(tables.size());
    for (std::size_t t = 0; t < tables.size(); ++t)
        for (std::size_t n = tableDefPageCount(tables[t]); n > 0; --n)
            defPages[t].push_back(file.allocate());

    UsageMaps maps(file);
    std::vector<TablePlacement> placements(tables.size());
    for (std::size_t t = 0; t < tables.size(); ++t) {
        auto& p = placements[t];
        p.usedPagesMap = maps.reserve();
        p.freePagesMap = maps.reserve();
        for (std::size_t k = longValueColumnCount(tables[t]); k > 0; --k) {
            p.longValueUsedMaps.push_back(maps.reserve());
            p.longValueFreeMaps.push_back(maps.reserve());
        }
        for (std::size_t i = 0; i < tables[t].indexes.size(); ++i)
            p.indexMaps.push_back(maps.reserve());
    }
    for (std::size_t t = 0; t < tables.size(); ++t) {
        for (std::size_t i = 0; i < tables[t].indexes.size(); ++i) {
            const auto leaf = file.allocate();
            file.set(leaf, emptyIndexLeaf(defPages[t].front()));
            placements[t].indexRootPages.push_back(leaf);
            maps.fill(placements[t].indexMaps[i], {leaf});
        }
    }

    LongValueStore longValues(file);
    std::vector<CatalogRow> catalog{
        {tablesContainer, rootContainer, "Tables", typeContainer, systemObjectFlag, {}},
        {databasesContainer, rootContainer, "Databases", typeContainer, systemObjectFlag, {}},
        {relationshipsContainer, rootContainer, "Relationships", typeContainer, systemObjectFlag, {}},
        {databaseObject, databasesContainer, "MSysDb", typeDatabase, systemObjectFlag, {}},
    };
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const bool user = t >= systemCount;
        CatalogRow row{defPages[t].front(),
                       tablesContainer,
                       user ? schema.tables[t - systemCount].name : std::string(systemTableNames[t]),
                       typeTable,
                       (tables[t].system ? systemObjectFlag : 0) |
                           (user && schema.tables[t - systemCount].hidden ? hiddenObjectFlag : 0),
                       {}};
        if (!properties[t].empty())
            row.properties = longValues.store(properties[t]);
        catalog.push_back(row);
    }
    // Queries are catalogued with the tables, whose names they share.
    for (std::size_t q = 0; q < schema.queries.size(); ++q)
        catalog.push_back(
            {firstQueryId + std::uint32_t(q),
             tablesContainer,
             schema.queries[q].name,
             typeQuery,
             mdbQueryObjectFlags(schema.queries[q].kind) | (schema.queries[q].hidden ? hiddenObjectFlag : 0),
             {}});
    longValues.finish();

    std::vector<Bytes> catalogRows;
    for (const auto& r : catalog)
        catalogRows.push_back(catalogRow(tables[0], r));
    tables[0].rowCount = std::uint32_t(catalogRows.size());
    std::vector<std::uint32_t> catalogPages;
    for (const auto& rows : packRows(catalogRows)) {
        catalogPages.push_back(file.allocate());
        file.set(catalogPages.back(), dataPage(catalogPage, rows));
    }
    maps.fill(placements[0].usedPagesMap, catalogPages);
    maps.fill(placements[0].freePagesMap, {catalogPages.back()});
    std::vector<Bytes> relationshipRowsAll;
    for (const auto& r : schema.relationships)
        for (auto& row : relationshipRows(tables[relationshipsTable], r))
            relationshipRowsAll.push_back(std::move(row));
    if (!relationshipRowsAll.empty()) {
        tables[relationshipsTable].rowCount = std::uint32_t(relationshipRowsAll.size());
        std::vector<std::uint32_t> pages;
        for (const auto& rows : packRows(relationshipRowsAll)) {
            pages.push_back(file.allocate());
            file.set(pages.back(), dataPage(defPages[relationshipsTable].front(), rows));
        }
        maps.fill(placements[relationshipsTable].usedPagesMap, pages);
        maps.fill(placements[relationshipsTable].freePagesMap, {pages.back()});
    }
    if (!schema.queries.empty()) {
        const MdbTable queryRows = queryRowsTable(schema.queries);
        if (auto problem = writeRows(file, maps, queryRows, tables[queriesTable],
                                     defPages[queriesTable].front(), placements[queriesTable]))
            return problem;
    }
    for (std::size_t t = systemCount; t < tables.size(); ++t) {
        const auto& in = schema.tables[t - systemCount];
        if (in.rows.empty() && !in.moreRows)
            continue;
        if (auto problem = writeRows(file, maps, in, tables[t], defPages[t].front(), placements[t]))
            return problem;
    }
    // LvProp is the fifth long-value column of the catalog.
    if (!longValues.pages().empty())
        maps.fill(placements[0].longValueUsedMaps[4], longValues.pages());
    maps.finish();

    for (std::size_t t = 0; t < tables.size(); ++t) {
        const auto def = encodeTableDef(tables[t], placements[t]);
        auto pages = tableDefPages(def, defPages[t]);
        for (std::size_t k = 0; k < pages.size(); ++k)
            file.set(defPages[t][k], std::move(pages[k]));
    }
    if (file.count() > maxPages)
        return std::string("the database grows past the 2 GiB Jet allows");
    file.set(1, globalUsageMap(file.count()));
    file.set(0, headerPage(creationDate));
    return std::nullopt;
}

} // namespace

std::optional<std::vector<std::uint8_t>> buildMdb(const MdbSchema& schema, std::string* error) {
    PageFile file;
    if (auto problem = writePages(schema, file)) {
        if (error)
            *error = *problem;
        return std::nullopt;
    }
    return file.join();
}

bool writeMdb(const MdbSchema& schema, const std::string& path, std::string* error) {
    // Written beside the target and renamed over it, so a reader never sees half a file. The pages go to
    // the file as they are made; a file of many rows is never held whole.
    const std::string part = path + ".part";
    std::FILE* f = std::fopen(part.c_str(), "wb");
    if (!f) {
        if (error)
            *error = "cannot create " + path;
        return false;
    }
    PageFile file(f);
    const auto problem = writePages(schema, file);
    const bool written = !problem && file.finish();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed || std::rename(part.c_str(), path.c_str()) != 0) {
        std::remove(part.c_str());
        if (error)
            *error = problem ? *problem : "cannot write " + path;
        return false;
    }
    return true;
}
