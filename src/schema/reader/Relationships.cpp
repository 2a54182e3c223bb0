#include "Relationships.h"

#include "SystemTableRows.h"

#include <algorithm>
#include <cstdlib>
#include <map>

using namespace readerprotocol;

namespace {

// grbit of MSysRelationships.
constexpr std::uint32_t noReferentialIntegrity = 0x00000002u;
constexpr std::uint32_t cascadeUpdates = 0x00000100u;
constexpr std::uint32_t cascadeDeletes = 0x00001000u;
constexpr std::uint32_t cascadeNull = 0x00002000u;

struct Pair {
    long position = 0; // icolumn
    RelationshipColumn columns;
};

} // namespace

std::vector<Relationship> readRelationships(MdbHandle* mdb, const CatalogFacts& catalog) {
    std::vector<Relationship> relationships;
    const std::optional<unsigned long> page = catalog.pageOf("MSysRelationships");
    if (!page)
        return relationships;
    std::map<std::string, std::size_t> byName;
    std::vector<std::vector<Pair>> pairs;
    readRows(mdb, "MSysRelationships", *page,
             {"szRelationship", "grbit", "icolumn", "szObject", "szColumn", "szReferencedObject",
              "szReferencedColumn"},
             [&](const std::vector<std::string>& values) {
                 auto [at, added] = byName.emplace(values[0], relationships.size());
                 if (added) {
                     const auto grbit = std::uint32_t(std::strtol(values[1].c_str(), nullptr, 10));
                     Relationship relationship;
                     relationship.name = values[0];
                     relationship.table = values[3];
                     relationship.referencedTable = values[5];
                     relationship.enforced = (grbit & noReferentialIntegrity) == 0;
                     relationship.cascadeUpdate = (grbit & cascadeUpdates) != 0;
                     relationship.cascadeDelete = (grbit & cascadeDeletes) != 0;
                     relationship.cascadeSetNull = (grbit & cascadeNull) != 0;
                     relationships.push_back(std::move(relationship));
                     pairs.emplace_back();
                 }
                 pairs[at->second].push_back(
                     {std::strtol(values[2].c_str(), nullptr, 10), RelationshipColumn{values[4], values[6]}});
             });
    for (std::size_t i = 0; i < relationships.size(); ++i) {
        std::stable_sort(pairs[i].begin(), pairs[i].end(),
                         [](const Pair& a, const Pair& b) { return a.position < b.position; });
        for (Pair& pair : pairs[i])
            relationships[i].columns.push_back(std::move(pair.columns));
    }
    return relationships;
}
