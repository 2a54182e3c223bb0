#include "SavedQueries.h"

#include "CatalogFacts.h"
#include "CatalogWalk.h"
#include "DatabaseFile.h"
#include "NameOrder.h"
#include "QueryRebuild.h"
#include "SystemTableRows.h"

#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

using namespace readerprotocol;

namespace {

// The MSysObjects Type of a saved query.
constexpr int queryType = 5;

std::optional<long> number(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    return std::strtol(text.c_str(), nullptr, 10);
}

std::optional<std::string> text(const std::string& value) {
    return value.empty() ? std::nullopt : std::optional<std::string>(value);
}

} // namespace

QueriesAnswer readSavedQueries(const std::string& path, Credentials& credentials) {
    QueriesAnswer answer;
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
    const std::optional<unsigned long> queriesPage = catalog.pageOf("MSysQueries");
    if (!queriesPage)
        return answer;

    std::vector<QueryObject> objects;
    readRows(mdb, "MSysObjects", catalogPage, {"Id", "Name", "Type", "Flags"},
             [&](const std::vector<std::string>& values) {
                 if (number(values[2]) != queryType)
                     return;
                 objects.push_back({values[1], std::uint32_t(number(values[0]).value_or(0)),
                                    std::uint32_t(number(values[3]).value_or(0))});
             });
    if (objects.empty())
        return answer;
    std::vector<QueryRow> rows;
    const bool read =
        readRows(mdb, "MSysQueries", *queriesPage,
                 {"ObjectId", "Attribute", "Order", "Name1", "Name2", "Expression", "Flag", "LvExtra"},
                 [&](const std::vector<std::string>& values) {
                     QueryRow row;
                     row.objectId = std::uint32_t(number(values[0]).value_or(0));
                     row.attribute = int(number(values[1]).value_or(-1));
                     row.order = values[2];
                     row.name1 = text(values[3]);
                     row.name2 = text(values[4]);
                     row.expression = text(values[5]);
                     if (const std::optional<long> flag = number(values[6]))
                         row.flag = int(*flag);
                     row.extra = number(values[7]);
                     rows.push_back(std::move(row));
                 });
    sortByName(objects, [](const QueryObject& object) -> const std::string& { return object.name; });
    if (!read) {
        // The queries are there but their rows are not: every one is named as unread.
        for (const QueryObject& object : objects)
            answer.unread.push_back({object.name, "MSysQueries cannot be read"});
        return answer;
    }
    return rebuildQueries(objects, rows);
}
