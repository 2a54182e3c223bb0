#include "ApplicationCode.h"

#include "Access97Project.h"
#include "CatalogFacts.h"
#include "CatalogWalk.h"
#include "DatabaseFile.h"
#include "LongValue.h"
#include "MacroDefinition.h"
#include "NameOrder.h"
#include "OpenTable.h"
#include "RowWalk.h"
#include "SystemTableRows.h"
#include "TableDef.h"
#include "VbaProject.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>

using namespace readerprotocol;

namespace {

// The MSysObjects Type of each kind of object.
struct KindType {
    int type;
    ObjectKind kind;
};
constexpr KindType objectTypes[] = {
    {-32768, ObjectKind::Form},   {-32764, ObjectKind::Report},         {-32766, ObjectKind::Macro},
    {-32761, ObjectKind::Module}, {-32756, ObjectKind::DataAccessPage},
};

constexpr int storageType = 1;
constexpr int streamType = 2;
constexpr std::string_view compoundFileSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

std::optional<long> number(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    return std::strtol(text.c_str(), nullptr, 10);
}

std::optional<std::uint32_t> longAt(const MdbHandle* mdb, const MdbField& field) {
    if (field.is_null || field.siz != 4)
        return std::nullopt;
    const unsigned char* bytes = mdb->pg_buf + field.start;
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

// The number of the column named name among the table's, or nothing.
std::optional<std::size_t> columnNumber(const MdbTableDef* table, const char* name) {
    for (std::size_t i = 0; i < table->columns->len; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        if (g_ascii_strcasecmp(column->name, name) == 0)
            return i;
    }
    return std::nullopt;
}

// Calls row(id, bytes) with each row's Long id column and the bytes of its binary column (its long value
// read whole when long is set); false when the table cannot be read to its end.
bool readBinaryRows(MdbHandle* mdb, const std::string& table, unsigned long page, const char* idColumn,
                    const char* bytesColumn, bool longValue,
                    const std::function<void(std::uint32_t id, std::optional<std::string> bytes)>& row,
                    const std::function<bool(std::uint32_t id)>& wanted) {
    const TableDefinition definition = readTableDefinition(mdb, table, page);
    if (!definition)
        return false;
    const std::optional<std::size_t> idAt = columnNumber(definition.get(), idColumn);
    const std::optional<std::size_t> bytesAt = columnNumber(definition.get(), bytesColumn);
    if (!idAt || !bytesAt)
        return false;
    const OpenTable open{mdb, definition.get(), nullptr};
    std::vector<MdbField> fields;
    const RowWalkEnd end = walkRows(open, fields, [&](std::size_t start, std::size_t rowEnd) {
        const std::optional<std::uint32_t> id = longAt(mdb, fields[*idAt]);
        if (!id || !wanted(*id))
            return RowVisit::Next;
        const MdbField& field = fields[*bytesAt];
        if (field.is_null) {
            row(*id, std::string());
            return RowVisit::Next;
        }
        if (field.siz < 0 || std::size_t(field.start) < start ||
            std::size_t(field.start) + std::size_t(field.siz) > rowEnd)
            return RowVisit::Damaged;
        const std::string_view stored(reinterpret_cast<const char*>(mdb->pg_buf) + field.start,
                                      std::size_t(field.siz));
        if (!longValue)
            row(*id, std::string(stored));
        else
            row(*id, stored.empty() ? std::optional<std::string>(std::string()) : readLongValue(mdb, stored));
        return RowVisit::Next;
    });
    return end.complete;
}

std::vector<ApplicationObject> objectsOf(MdbHandle* mdb, bool& read) {
    std::vector<ApplicationObject> objects;
    read = readRows(mdb, "MSysObjects", catalogPage, {"Name", "Type"},
                    [&](const std::vector<std::string>& values) {
                        const std::optional<long> type = number(values[1]);
                        for (const KindType& kind : objectTypes)
                            if (type == kind.type && !values[0].empty())
                                objects.push_back({values[0], kind.kind});
                    });
    sortByName(objects, [](const ApplicationObject& object) -> const std::string& { return object.name; });
    std::stable_sort(objects.begin(), objects.end(),
                     [](const ApplicationObject& a, const ApplicationObject& b) { return a.kind < b.kind; });
    return objects;
}

// Access 2000-2003: the rows of MSysAccessObjects in ID order, from the one that starts the compound file
// (the rows before it hold Access's own header).
VbaProjectRead projectFromObjects(MdbHandle* mdb, unsigned long page) {
    std::map<std::uint32_t, std::string> rows;
    bool damaged = false;
    const bool complete = readBinaryRows(
        mdb, "MSysAccessObjects", page, "ID", "Data", false,
        [&](std::uint32_t id, std::optional<std::string> bytes) {
            if (bytes)
                rows.emplace(id, std::move(*bytes));
            else
                damaged = true;
        },
        [](std::uint32_t) { return true; });
    auto first = std::find_if(rows.begin(), rows.end(),
                              [](const auto& row) { return row.second.starts_with(compoundFileSignature); });
    if (first == rows.end()) {
        VbaProjectRead read;
        read.warnings.push_back("MSysAccessObjects holds no VBA project");
        return read;
    }
    std::string file;
    for (auto row = first; row != rows.end(); ++row) {
        if (row != first && row->first != std::prev(row)->first + 1)
            damaged = true;
        file += row->second;
    }
    VbaProjectRead read = readVbaCompoundFile(file);
    if (!complete || damaged)
        read.warnings.insert(read.warnings.begin(),
                             "MSysAccessObjects is damaged: some of the VBA project may be missing");
    return read;
}

struct StorageNode {
    std::uint32_t parent = 0;
    std::string name;
    int type = 0;
};

using StorageNodes = std::map<std::uint32_t, StorageNode>;

// The storages and streams of MSysAccessStorage by Id, without their bytes, read once for the VBA project
// and the macros; listed is false when the table cannot be read.
struct StorageListing {
    StorageNodes nodes;
    bool listed = false;
};

StorageListing listStorage(MdbHandle* mdb, unsigned long page) {
    StorageListing listing;
    listing.listed =
        readRows(mdb, "MSysAccessStorage", page, {"Id", "ParentId", "Name", "Type"},
                 [&](const std::vector<std::string>& values) {
                     const std::optional<long> id = number(values[0]);
                     if (id)
                         listing.nodes[std::uint32_t(*id)] = {std::uint32_t(number(values[1]).value_or(-1)),
                                                              values[2], int(number(values[3]).value_or(0))};
                 });
    return listing;
}

// The node of the type named name under parent. Some names are kept with a control character before them
// (U+0003 DirData), which is not part of the name.
std::optional<std::uint32_t> childOf(const StorageNodes& nodes, std::optional<std::uint32_t> parent,
                                     const std::string& name, int type) {
    if (!parent)
        return std::nullopt;
    for (const auto& [id, node] : nodes) {
        const std::size_t start = !node.name.empty() && std::uint8_t(node.name[0]) < 0x20 ? 1 : 0;
        if (node.parent == *parent && id != *parent && node.type == type &&
            foldedName(node.name.substr(start)) == foldedName(name))
            return id;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> rootOf(const StorageNodes& nodes) {
    std::optional<std::uint32_t> root;
    for (const auto& [id, node] : nodes)
        if (node.name == "MSysAccessStorage_ROOT")
            root = id;
    return root;
}

// The bytes of the streams of MSysAccessStorage that wanted asks for, by Id (nothing for one whose long
// value cannot be read); complete is false when the table cannot be read to its end.
std::map<std::uint32_t, std::optional<std::string>>
storageStreams(MdbHandle* mdb, unsigned long page, const StorageNodes& nodes,
               const std::function<bool(std::uint32_t id, const StorageNode& node)>& wanted, bool& complete) {
    std::map<std::uint32_t, std::optional<std::string>> bytes;
    complete = readBinaryRows(
        mdb, "MSysAccessStorage", page, "Id", "Lv", true,
        [&](std::uint32_t id, std::optional<std::string> value) { bytes[id] = std::move(value); },
        [&](std::uint32_t id) {
            const auto node = nodes.find(id);
            return node != nodes.end() && node->second.type == streamType && wanted(id, node->second);
        });
    return bytes;
}

// Access 2007 and later: the VBA storage ROOT/VBA/VBAProject/VBA of MSysAccessStorage, its streams' bytes
// read for that storage and the PROJECT stream beside it alone.
VbaProjectRead projectFromStorage(MdbHandle* mdb, unsigned long page, const StorageListing& listing) {
    VbaProjectRead read;
    const StorageNodes& nodes = listing.nodes;
    const auto childOf = [&](std::optional<std::uint32_t> parent, const char* name, int type) {
        return ::childOf(nodes, parent, name, type);
    };
    const std::optional<std::uint32_t> root = rootOf(nodes);
    const std::optional<std::uint32_t> projectStorage =
        childOf(childOf(root, "VBA", storageType), "VBAProject", storageType);
    const std::optional<std::uint32_t> vba = childOf(projectStorage, "VBA", storageType);
    if (!vba) {
        read.warnings.push_back(listing.listed
                                    ? "MSysAccessStorage holds no VBA project"
                                    : "MSysAccessStorage cannot be read: the VBA project is missing");
        return read;
    }
    const std::optional<std::uint32_t> projectStream = childOf(projectStorage, "PROJECT", streamType);
    bool complete = false;
    const auto bytes = storageStreams(
        mdb, page, nodes,
        [&](std::uint32_t id, const StorageNode& node) { return node.parent == *vba || id == projectStream; },
        complete);
    const auto streamOf = [&](std::optional<std::uint32_t> id) -> std::optional<std::string> {
        if (!id)
            return std::nullopt;
        const auto found = bytes.find(*id);
        return found == bytes.end() ? std::nullopt : found->second;
    };
    read = readVbaProject(
        [&](const std::string& name) { return streamOf(childOf(vba, name.c_str(), streamType)); },
        streamOf(projectStream).value_or(std::string()));
    if (!complete || !listing.listed)
        read.warnings.insert(read.warnings.begin(),
                             "MSysAccessStorage is damaged: some of the VBA project may be missing");
    return read;
}

// Access 2007 and later: the macros of ROOT/Scripts in MSysAccessStorage (MacroDefinition.h), those kept
// as XML; a macro kept in the binary form alone has no text here.
std::vector<MacroText> macrosFromStorage(MdbHandle* mdb, unsigned long page, const StorageListing& listing,
                                         std::vector<std::string>& warnings) {
    const StorageNodes& nodes = listing.nodes;
    const std::optional<std::uint32_t> scripts = childOf(nodes, rootOf(nodes), "Scripts", storageType);
    if (!scripts)
        return {};
    const std::optional<std::uint32_t> directoryStream = childOf(nodes, scripts, "DirData", streamType);
    if (!directoryStream)
        return {}; // a database without macros
    bool complete = false;
    const auto bytes = storageStreams(
        mdb, page, nodes,
        [&](std::uint32_t id, const StorageNode& node) {
            const auto storage = nodes.find(node.parent);
            return id == directoryStream ||
                   (storage != nodes.end() && storage->second.parent == *scripts && node.name == "Blob");
        },
        complete);
    const auto streamOf = [&](std::optional<std::uint32_t> id) -> std::optional<std::string> {
        const auto found = id ? bytes.find(*id) : bytes.end();
        return found == bytes.end() ? std::nullopt : found->second;
    };
    const std::optional<std::string> directoryBytes = streamOf(directoryStream);
    const MacroDirectory directory = readMacroDirectory(directoryBytes.value_or(std::string()));
    if (!directory.complete || !complete || !listing.listed)
        warnings.push_back("MSysAccessStorage's list of macros is damaged: some macros may not be written");
    std::vector<MacroText> macros;
    for (const MacroEntry& entry : directory.macros) {
        const std::optional<std::uint32_t> storage =
            childOf(nodes, scripts, std::to_string(entry.number), storageType);
        const std::optional<std::string> blob = streamOf(childOf(nodes, storage, "Blob", streamType));
        if (!blob) {
            warnings.push_back("macro " + entry.name + ": its definition is not in MSysAccessStorage");
            continue;
        }
        MacroBlobRead read = readMacroBlob(*blob);
        if (!read.complete)
            warnings.push_back("macro " + entry.name +
                               ": its definition is damaged: some of it may be missing");
        if (read.xml)
            macros.push_back({entry.name, std::move(*read.xml)});
    }
    return macros;
}

// Access 97: the rows of MSysModules2, their names and types joined to their Module values by Version, which
// the table keeps apart for each row.
VbaProjectRead projectFromModules(MdbHandle* mdb, unsigned long page) {
    std::map<std::uint32_t, Access97ModuleRow> rows;
    bool damaged = false;
    const bool listed = readRows(
        mdb, "MSysModules2", page, {"Name", "Type", "Version"}, [&](const std::vector<std::string>& values) {
            const std::optional<long> version = number(values[2]);
            const Access97ModuleRow row{values[0], std::int32_t(number(values[1]).value_or(0)),
                                        std::string()};
            if (!version || !rows.emplace(std::uint32_t(*version), row).second)
                damaged = true;
        });
    const bool complete = readBinaryRows(
        mdb, "MSysModules2", page, "Version", "Module", true,
        [&](std::uint32_t version, std::optional<std::string> bytes) {
            if (bytes)
                rows[version].value = std::move(*bytes);
            else
                damaged = true;
        },
        [&](std::uint32_t version) { return rows.contains(version); });
    std::vector<Access97ModuleRow> ordered;
    for (auto& [version, row] : rows)
        ordered.push_back(std::move(row));
    VbaProjectRead read = readAccess97Project(ordered);
    if (!listed || !complete || damaged)
        read.warnings.insert(read.warnings.begin(),
                             "MSysModules2 is damaged: some of the VBA project may be missing");
    return read;
}

} // namespace

CodeAnswer readApplicationCode(const std::string& path, Credentials& credentials) {
    CodeAnswer answer;
    Database database;
    if ((answer.failure = openDatabase(path, credentials, database)))
        return answer;
    MdbHandle* mdb = database.get();
    const CatalogWalk walk = walkCatalog(mdb, [](const std::string&) { return Visit{.keep = true}; });
    if (!walk.readable || !walk.listsItself) {
        answer.failure = failureFor(DatabaseDamaged, path);
        return answer;
    }
    const CatalogFacts catalog = catalogFactsOf(walk.tables);
    bool objectsRead = false;
    answer.objects = objectsOf(mdb, objectsRead);
    if (!objectsRead)
        answer.warnings.push_back(
            "MSysObjects cannot be read: the forms, reports, macros and modules are not listed");
    const bool hasModules =
        std::any_of(answer.objects.begin(), answer.objects.end(),
                    [](const ApplicationObject& object) { return object.kind == ObjectKind::Module; });
    VbaProjectRead project;
    const std::optional<unsigned long> storage = catalog.pageOf("MSysAccessStorage");
    const std::optional<unsigned long> objects = catalog.pageOf("MSysAccessObjects");
    const std::optional<unsigned long> modules97 = catalog.pageOf("MSysModules2");
    const StorageListing listing = storage ? listStorage(mdb, *storage) : StorageListing();
    if (storage)
        project = projectFromStorage(mdb, *storage, listing);
    else if (objects)
        project = projectFromObjects(mdb, *objects);
    // An Access 97 file that a later Access has opened may keep an MSysAccessObjects without a project beside
    // the modules of MSysModules2.
    if (!storage && modules97 && project.modules.empty())
        project = projectFromModules(mdb, *modules97);
    if (!storage && !objects && !modules97 && hasModules)
        project.warnings.push_back("the catalog names modules, but the database holds no VBA project");
    // A database without modules, forms or reports with code has a project with no module: no warning.
    if (project.modules.empty() && !hasModules && !project.warnings.empty() &&
        (project.warnings.back().ends_with("holds no VBA project")))
        project.warnings.clear();
    answer.modules = std::move(project.modules);
    if (storage)
        answer.macros = macrosFromStorage(mdb, *storage, listing, project.warnings);
    answer.warnings.insert(answer.warnings.end(), project.warnings.begin(), project.warnings.end());
    return answer;
}
