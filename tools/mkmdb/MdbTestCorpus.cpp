#include "MdbTestCorpus.h"

#include <array>

namespace {

MdbColumn column(std::string name, MdbColumnType type, int length = 0) {
    MdbColumn c;
    c.name = std::move(name);
    c.type = type;
    c.length = length;
    return c;
}

MdbColumn autoNumber(std::string name) {
    MdbColumn c = column(std::move(name), MdbColumnType::Long);
    c.autoNumber = true;
    c.required = true;
    return c;
}

MdbColumn text(std::string name, int length, std::optional<bool> allowZeroLength,
               std::optional<bool> required = std::nullopt) {
    MdbColumn c = column(std::move(name), MdbColumnType::Text, length);
    c.allowZeroLength = allowZeroLength;
    c.required = required;
    return c;
}

MdbColumn calculated(std::string name, MdbColumnType result, std::string expression, int length = 0) {
    MdbColumn c = column(std::move(name), result, length);
    c.expression = std::move(expression);
    return c;
}

MdbIndex index(std::string name, std::vector<std::string> columns, bool primary = false,
               bool unique = false) {
    MdbIndex index;
    index.name = std::move(name);
    index.columns = std::move(columns);
    index.primary = primary;
    index.unique = unique;
    return index;
}

MdbTable table(std::string name, std::vector<MdbColumn> columns, std::vector<MdbIndex> indexes = {},
               bool system = false) {
    return MdbTable{std::move(name), system, std::move(columns), std::move(indexes), false, {}};
}

MdbSchema everyType() {
    using T = MdbColumnType;
    MdbColumn amount = column("Amount", T::Decimal);
    amount.precision = 12;
    amount.scale = 4;
    MdbColumn notes = column("Notes", T::Memo);
    notes.allowZeroLength = false;
    return {{table("All Types",
                   {autoNumber("ID"), column("Flag", T::YesNo), column("Tiny", T::Byte),
                    column("Small", T::Integer), column("Whole", T::Long), column("Money", T::Currency),
                    column("Real", T::Single), column("Wide", T::Double), column("When", T::DateTime),
                    column("Raw", T::Binary, 100), text("Title", 80, true), column("Picture", T::OleObject),
                    notes, column("Key", T::Guid), amount},
                   {index("PrimaryKey", {"ID"}, true)})},
            {}};
}

MdbSchema names() {
    using T = MdbColumnType;
    return {{table("Order Details",
                   {column("Order ID", T::Long), column("Unit Price ($)", T::Currency),
                    text("Ship-To Name", 60, true), column("Qty.", T::Integer)},
                   {index("Order ID", {"Order ID"})}),
             table("Café Crème",
                   {text("Prénom", 40, false), text("Größe", 10, true), text("名前", 20, std::nullopt),
                    column("Ünïcødé Ωmega", T::Double)},
                   {index("Prénom idx", {"Prénom"})}),
             table("Employés 2024", {column("Numéro", T::Long), text("Nom de famille", 50, false, true)})},
            {}};
}

MdbSchema indexes() {
    using T = MdbColumnType;
    return {
        {table("One Index", {column("Code", T::Long), text("Label", 30, true)}, {index("Only", {"Code"})}),
         table("No Index", {column("Value", T::Double), text("Comment", 100, true)}),
         table("Lower Key", {column("Code", T::Long), text("Label", 30, false)},
               {index("primarykey", {"Code"}, true)}),
         table("Many Indexes",
               {autoNumber("ID"), text("Surname", 40, false), text("City", 30, true),
                column("Born", T::DateTime)},
               {index("PrimaryKey", {"ID"}, true), index("Surname", {"Surname"}),
                index("city_born", {"City", "Born"}), index("Born", {"Born"}, false, true)})},
        {}};
}

MdbSchema systemNames() {
    using T = MdbColumnType;
    return {{table("MSysCustom", {column("A", T::Long)}), table("msysLower", {column("B", T::Long)}),
             table("MSy", {column("C", T::Long)}), table("MSYSUPPER", {column("D", T::Long)}),
             table("Hidden Settings", {text("Key", 50, false), text("Value", 255, true)}, {}, true),
             // No properties, right after a table whose column of the same name has some: libmdb 1.0
             // keeps the previous catalog row's LvProp when this one is null.
             table("Visible", {column("E", T::Long), text("Value", 20, std::nullopt)})},
            {}};
}

MdbSchema autoNumbers() {
    using T = MdbColumnType;
    return {
        {table("With Key", {autoNumber("ID"), text("Name", 50, false)}, {index("PrimaryKey", {"ID"}, true)}),
         table("Without Key", {autoNumber("Counter"), text("Name", 50, true)}),
         table("Key Not Auto", {text("Code", 10, false, true), column("Number", T::Long)},
               {index("PrimaryKey", {"Code"}, true)})},
        {}};
}

// AutoNumber Longs that are not the primary key: one beside a key on another column, one in a table
// without a key, each with nothing but a unique index of its own.
MdbSchema autoNumberUniqueIndex() {
    using T = MdbColumnType;
    return {
        {table("Tickets", {text("Code", 12, false, true), autoNumber("Serial"), text("Subject", 80, true)},
               {index("PrimaryKey", {"Code"}, true), index("Serial", {"Serial"}, false, true)}),
         table("Visits", {autoNumber("Visit"), column("Arrived", T::DateTime)},
               {index("VisitNumber", {"Visit"}, false, true)})},
        {}};
}

// An AutoNumber Long without any index, in a table keyed by another column.
MdbSchema autoNumberNoIndex() {
    using T = MdbColumnType;
    return {{table("Parcels",
                   {text("Tracking", 20, false, true), autoNumber("Sequence"), column("Weight", T::Double)},
                   {index("PrimaryKey", {"Tracking"}, true)})},
            {}};
}

// Characters outside the Basic Multilingual Plane, UTF-16 surrogate pairs in the file, in table, column
// and index names, and a relationship between two such tables.
MdbSchema emojiNames() {
    using T = MdbColumnType;
    MdbIndex byCustomer = index("By 😀 Customer", {"Customer 😀"});
    byCustomer.foreignKey = true;
    MdbSchema schema{
        {table("Customers 😀", {autoNumber("Customer 😀"), text("Name 📛", 50, false)},
               {index("PrimaryKey", {"Customer 😀"}, true), index("Name 🔤", {"Name 📛"})}),
         table("Orders 🛒",
               {autoNumber("Order"), column("Customer 😀", T::Long), column("Placed 📅", T::DateTime)},
               {index("PrimaryKey", {"Order"}, true), byCustomer})},
        {}};
    schema.relationships = {
        {"CustomersOrders", "Orders 🛒", {"Customer 😀"}, "Customers 😀", {"Customer 😀"}}};
    return schema;
}

// A column of a type byte no Jet or ACE version uses, among ordinary columns: a reader must keep it.
MdbSchema unknownType() {
    using T = MdbColumnType;
    MdbColumn raw = column("Sensor Frame", T::Unknown, 32);
    raw.typeByte = 0x15;
    return {{table("Readings", {autoNumber("ID"), column("Taken", T::DateTime), raw, text("Note", 40, true)},
                   {index("PrimaryKey", {"ID"}, true)})},
            {}};
}

// Calculated columns as Access 2010 writes them, with a Decimal, a Double and a Text result, beside an
// ordinary Decimal that stores its precision and scale where the calculated one stores none.
MdbSchema calculatedColumns() {
    using T = MdbColumnType;
    MdbColumn price = column("Price", T::Decimal);
    price.precision = 18;
    price.scale = 4;
    return {{table("Order Lines",
                   {autoNumber("ID"), text("Item", 40, false), price, column("Quantity", T::Integer),
                    column("Weight", T::Double), calculated("Total", T::Decimal, "[Price]*[Quantity]"),
                    calculated("Total Weight", T::Double, "[Weight]*[Quantity]"),
                    calculated("Label", T::Text, "[Item] & \" x \" & [Quantity]", 60)},
                   {index("PrimaryKey", {"ID"}, true)})},
            {}};
}

// Keys over several columns, descending index columns, index flags, foreign-key indexes, column
// properties, a GUID AutoNumber, a hidden table and relationships, one of them over two columns.
MdbSchema relationships() {
    using T = MdbColumnType;
    MdbColumn rowGuid = column("RowGuid", T::Guid);
    rowGuid.autoNumber = true;
    MdbColumn name = text("Name", 50, false, true);
    name.description = "Who ordered";
    MdbColumn placed = column("Placed", T::DateTime);
    placed.defaultValue = "=Now()";
    MdbColumn total = column("Total", T::Currency);
    total.defaultValue = "0";
    total.description = "Sum of the lines";
    MdbColumn item = text("Item", 40, false, true);
    item.defaultValue = "\"none\"";

    MdbIndex byPlaced = index("ByPlaced", {"Placed", "OrderNo"});
    byPlaced.descending = {true, false};
    byPlaced.ignoreNulls = true;
    MdbIndex customersOrders = index("CustomersOrders", {"CustomerID"});
    customersOrders.foreignKey = true;
    MdbIndex ordersLines = index("OrdersLines", {"CustomerID", "OrderNo"});
    ordersLines.foreignKey = true;
    MdbIndex itemRequired = index("Item", {"Item"});
    itemRequired.required = true;

    MdbTable notes = table("Notes", {column("CustomerID", T::Long), column("Body", T::Memo)});
    notes.hidden = true;

    MdbSchema schema{
        {table("Customers", {autoNumber("CustomerID"), name, rowGuid},
               {index("PrimaryKey", {"CustomerID"}, true)}),
         table("Orders", {column("CustomerID", T::Long), column("OrderNo", T::Long), placed, total},
               {index("PrimaryKey", {"OrderNo"}, true),
                index("CustomerOrder", {"CustomerID", "OrderNo"}, false, true), byPlaced, customersOrders}),
         table("Order Lines",
               {column("CustomerID", T::Long), column("OrderNo", T::Long), column("Line", T::Integer), item},
               {index("PrimaryKey", {"CustomerID", "OrderNo", "Line"}, true), ordersLines, itemRequired}),
         notes},
        {}};
    MdbRelationship toCustomers{"CustomersOrders", "Orders", {"CustomerID"}, "Customers", {"CustomerID"}};
    toCustomers.cascadeSetNull = true;
    MdbRelationship toOrders{
        "LinesOrders", "Order Lines", {"CustomerID", "OrderNo"}, "Orders", {"CustomerID", "OrderNo"}};
    toOrders.cascadeUpdate = true;
    toOrders.cascadeDelete = true;
    MdbRelationship loose{"NotesCustomers", "Notes", {"CustomerID"}, "Customers", {"CustomerID"}};
    loose.enforced = false;
    schema.relationships = {toCustomers, toOrders, loose};
    return schema;
}

// A table of 255 columns and 32 indexes, whose definition spans several pages and whose properties
// need a chain of long-value pages, among enough tables to fill several catalog pages.
MdbSchema large() {
    MdbSchema schema;
    MdbTable wide;
    wide.name = "Wide Table";
    constexpr std::array types{MdbColumnType::Text,   MdbColumnType::Long,  MdbColumnType::Memo,
                               MdbColumnType::Double, MdbColumnType::YesNo, MdbColumnType::DateTime,
                               MdbColumnType::Binary};
    for (int i = 0; i < 255; ++i) {
        MdbColumn c = column("Column " + std::to_string(i) + " of the wide table",
                             types[std::size_t(i) % types.size()]);
        c.allowZeroLength = i % 2 == 0;
        c.required = i % 3 == 0;
        wide.columns.push_back(c);
    }
    for (int k = 0; k < 32; ++k)
        wide.indexes.push_back(
            index("Index " + std::to_string(k), {wide.columns[std::size_t(k)].name}, k == 0));
    schema.tables.push_back(wide);
    for (int t = 0; t < 200; ++t) {
        const std::string n = std::to_string(t);
        schema.tables.push_back(table("Table " + n, {autoNumber("ID"), text("Name " + n, 30, t % 2 == 0)},
                                      {index("PrimaryKey", {"ID"}, true)}));
    }
    return schema;
}

} // namespace

std::vector<MdbTestDatabase> mdbTestCorpus() {
    return {{"every-type", everyType()},
            {"names", names()},
            {"indexes", indexes()},
            {"system-names", systemNames()},
            {"autonumber", autoNumbers()},
            {"autonumber-unique-index", autoNumberUniqueIndex()},
            {"autonumber-no-index", autoNumberNoIndex()},
            {"emoji-names", emojiNames()},
            {"unknown-type", unknownType()},
            {"calculated-columns", calculatedColumns()},
            {"no-tables", MdbSchema{}},
            {"relationships", relationships()},
            {"large", large()}};
}

MdbSchema mdbTestDatabase(const std::string& name) {
    for (auto& db : mdbTestCorpus())
        if (db.name == name)
            return db.schema;
    return {};
}
