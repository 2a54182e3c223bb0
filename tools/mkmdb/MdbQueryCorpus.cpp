// The "queries" database of the test corpus: three small tables with known rows and a saved query of
// every kind over them, with the clauses each kind can have.

#include "MdbQueries.h"
#include "MdbTestCorpus.h"

namespace {

using T = MdbColumnType;

MdbColumn column(std::string name, MdbColumnType type, int length = 0) {
    MdbColumn c;
    c.name = std::move(name);
    c.type = type;
    c.length = length;
    return c;
}

MdbIndex primaryKey(std::string column) {
    MdbIndex index;
    index.name = "PrimaryKey";
    index.columns = {std::move(column)};
    index.primary = true;
    return index;
}

std::optional<MdbValue> number(std::int64_t value) {
    return MdbValue{value};
}

std::optional<MdbValue> words(std::string value) {
    return MdbValue{std::move(value)};
}

std::optional<MdbValue> money(std::int64_t tenThousandths) {
    return MdbValue{MdbCurrency{tenThousandths}};
}

std::optional<MdbValue> real(double value) {
    return MdbValue{value};
}

MdbTable customers() {
    MdbTable t;
    t.name = "Customers";
    t.columns = {column("CustomerID", T::Long), column("Name", T::Text, 50), column("City", T::Text, 50)};
    t.indexes = {primaryKey("CustomerID")};
    t.rows = {{number(1), words("Ann"), words("Oslo")},
              {number(2), words("Bob"), std::nullopt},
              {number(3), words("Cleo"), words("Rome")}};
    return t;
}

MdbTable orders() {
    MdbTable t;
    t.name = "Orders";
    t.columns = {column("OrderID", T::Long), column("CustomerID", T::Long), column("OrderDate", T::DateTime),
                 column("Amount", T::Currency)};
    t.indexes = {primaryKey("OrderID")};
    // 2024-01-01, 2024-02-01, 2024-03-01 12:00
    t.rows = {{number(10), number(1), real(45292.0), money(125000)},
              {number(11), number(1), real(45323.0), money(1000000)},
              {number(12), number(3), real(45352.5), money(72500)}};
    return t;
}

MdbTable products() {
    MdbTable t;
    t.name = "Products";
    t.columns = {column("ProductID", T::Long), column("ProductName", T::Text, 50),
                 column("Price", T::Double)};
    t.indexes = {primaryKey("ProductID")};
    t.rows = {{number(1), words("Tea"), real(4.5)},
              {number(2), words("Coffee"), real(12.0)},
              {number(3), words("Cocoa"), real(7.25)}};
    return t;
}

MdbQueryColumn col(std::string expression, std::optional<std::string> alias = std::nullopt) {
    MdbQueryColumn c;
    c.expression = std::move(expression);
    c.alias = std::move(alias);
    return c;
}

MdbQueryTable from(std::string name, std::optional<std::string> alias = std::nullopt) {
    return {std::move(name), std::move(alias), std::nullopt};
}

MdbQueryDescription query(std::string name, MdbQueryKind kind) {
    MdbQueryDescription d;
    d.name = std::move(name);
    d.kind = kind;
    return d;
}

std::vector<MdbQueryDescription> descriptions() {
    using K = MdbQueryKind;
    std::vector<MdbQueryDescription> all;

    auto d = query("Customer Orders", K::Select);
    d.columns = {col("Customers.Name"), col("Orders.OrderID"), col("Orders.Amount")};
    d.tables = {from("Customers"), from("Orders")};
    d.joins = {{"Customers", "Orders", 1, "Customers.CustomerID = Orders.CustomerID"}};
    d.orderBy = {{"Orders.OrderID", false}};
    all.push_back(d);

    d = query("Big Spenders", K::Select);
    d.columns = {col("c.Name"), col("Sum(o.Amount)", "Total")};
    d.tables = {from("Customers", "c"), from("Orders", "o")};
    d.joins = {{"c", "o", 1, "c.CustomerID = o.CustomerID"}};
    d.groupBy = {"c.Name"};
    d.having = "Sum(o.Amount)>50";
    d.orderBy = {{"Sum(o.Amount)", true}};
    all.push_back(d);

    d = query("Customers Without Orders", K::Select);
    d.columns = {col("Customers.Name")};
    d.tables = {from("Customers"), from("Orders")};
    d.joins = {{"Customers", "Orders", 2, "Customers.CustomerID = Orders.CustomerID"}};
    d.where = "Orders.OrderID Is Null";
    all.push_back(d);

    d = query("Top Products", K::Select);
    d.top = "2";
    d.columns = {col("Products.ProductName"), col("Products.Price")};
    d.tables = {from("Products")};
    d.orderBy = {{"Products.Price", true}};
    all.push_back(d);

    d = query("Orders Since", K::Select);
    d.parameters = {{"[Since]", "DateTime", 0}};
    d.star = true;
    d.tables = {from("Orders")};
    d.where = "Orders.OrderDate>=[Since]";
    all.push_back(d);

    d = query("~sq_cCustomers~sq_cCity", K::Select);
    d.distinct = true;
    d.columns = {col("Customers.City")};
    d.tables = {from("Customers")};
    d.hidden = true;
    all.push_back(d);

    d = query("Names", K::Union);
    d.unionParts = {"SELECT Customers.Name\r\nFROM Customers",
                    "SELECT Products.ProductName\r\nFROM Products"};
    d.unionAll = true;
    d.orderBy = {{"Name", false}};
    all.push_back(d);

    d = query("Amounts by Year", K::CrossTab);
    MdbQueryColumn value = col("Sum(Orders.Amount)", "SumOfAmount");
    value.transform = true;
    MdbQueryColumn pivot = col("Year([OrderDate])");
    pivot.pivot = true;
    d.columns = {value, col("Orders.CustomerID"), pivot};
    d.tables = {from("Orders")};
    d.groupBy = {"Orders.CustomerID"};
    all.push_back(d);

    d = query("Add Customer", K::Append);
    d.target = "Customers";
    MdbQueryColumn id = col("4");
    id.column = "CustomerID";
    id.value = true;
    MdbQueryColumn name = col("\"Dan\"");
    name.column = "Name";
    name.value = true;
    d.columns = {id, name};
    all.push_back(d);

    d = query("Raise Prices", K::Update);
    MdbQueryColumn price = col("[Price]*1.1");
    price.column = "Products.Price";
    d.columns = {price};
    d.tables = {from("Products")};
    d.where = "Products.Price<10";
    all.push_back(d);

    d = query("Drop Old Orders", K::Delete);
    d.columns = {col("Orders.*")};
    d.tables = {from("Orders")};
    d.where = "Orders.OrderDate<#1/1/2024#";
    all.push_back(d);

    d = query("Archive Orders", K::MakeTable);
    d.target = "Old Orders";
    d.columns = {col("Orders.*")};
    d.tables = {from("Orders")};
    all.push_back(d);

    d = query("Index Cities", K::DataDefinition);
    d.sql = "CREATE INDEX ByCity ON Customers (City);";
    all.push_back(d);

    d = query("Server Time", K::PassThrough);
    d.sql = "SELECT GETDATE()";
    d.connect = "ODBC;DSN=Server";
    all.push_back(d);
    return all;
}

} // namespace

MdbSchema mdbQueriesDatabase() {
    MdbSchema schema;
    schema.tables = {customers(), orders(), products()};
    for (const MdbQueryDescription& description : descriptions())
        schema.queries.push_back(*mdbQuery(description, nullptr));
    return schema;
}
