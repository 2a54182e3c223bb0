#include "SchemaDetails.h"

#include "IndexDetails.h"
#include "Relationships.h"
#include "TableDefinitionBytes.h"

using namespace readerprotocol;

namespace {

// The index details in the order of the names the answer lists; an index the names lack is dropped.
std::vector<IndexDetail> inOrderOf(std::vector<IndexDetail> details, const IndexesAnswer& names) {
    std::vector<IndexDetail> ordered;
    if (names.kind != IndexesAnswer::Kind::List)
        return ordered;
    for (const std::string& name : names.names) {
        for (IndexDetail& detail : details) {
            if (detail.name == name) {
                ordered.push_back(std::move(detail));
                detail.name.clear();
                break;
            }
        }
    }
    return ordered;
}

} // namespace

SchemaDetails readSchemaDetails(MdbHandle* mdb, const std::vector<CatalogTable>& catalogRows) {
    SchemaDetails details;
    details.catalog = catalogFactsOf(catalogRows);
    details.complexColumns = readComplexColumns(mdb, details.catalog);
    details.relationships = readRelationships(mdb, details.catalog);
    return details;
}

TableDetails describeTableDetails(MdbHandle* mdb, const SchemaDetails& schema, const std::string& table,
                                  const TableProperties& properties, const FieldsAnswer& fields,
                                  const IndexesAnswer& indexNames) {
    TableDetails details;
    details.catalog = schema.catalog.catalogOf(table);
    const ColumnPropertyValues own = properties.table();
    details.validationRule = std::string(valueOf(own, ColumnProperty::ValidationRule).value_or(""));
    details.validationText = std::string(valueOf(own, ColumnProperty::ValidationText).value_or(""));
    const std::optional<unsigned long> page = schema.catalog.pageOf(table);
    if (!page)
        return details;
    const std::optional<RawTableDefinition> definition = readRawTableDefinition(mdb, *page);
    if (!definition)
        return details;
    if (fields.readable) {
        const std::uint32_t tableId = schema.catalog.tables.at(table).id;
        if (auto columns =
                describeColumns(*definition, fields.fields, properties, schema.complexColumns, tableId))
            details.columns = std::move(*columns);
    }
    details.indexes = inOrderOf(describeIndexes(*definition), indexNames);
    return details;
}
