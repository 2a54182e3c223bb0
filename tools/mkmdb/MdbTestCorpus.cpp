#include "MdbTestCorpus.h"

#include <algorithm>
#include <array>
#include <limits>

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
    MdbTable t;
    t.name = std::move(name);
    t.system = system;
    t.columns = std::move(columns);
    t.indexes = std::move(indexes);
    return t;
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

MdbColumn decimal(std::string name, int precision, int scale) {
    MdbColumn c = column(std::move(name), MdbColumnType::Decimal);
    c.precision = precision;
    c.scale = scale;
    return c;
}

std::optional<MdbValue> whole(std::int64_t v) {
    return MdbValue{v};
}

std::optional<MdbValue> words(std::string v) {
    return MdbValue{std::move(v)};
}

std::optional<MdbValue> bytes(MdbBytes v) {
    return MdbValue{std::move(v)};
}

MdbBytes everyByte() {
    MdbBytes out(256);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = std::uint8_t(i);
    return out;
}

// Bytes that do not repeat with any short period, so a chunk put in the wrong place shows.
MdbBytes pattern(std::size_t size) {
    MdbBytes out(size);
    std::uint32_t x = 2463534242u;
    for (auto& b : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = std::uint8_t(x);
    }
    return out;
}

std::string repeated(const std::string& piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

MdbDecimal decimalOf(const std::string& digits, bool negative, int scale) {
    MdbDecimal d = *mdbDecimalFromString(digits);
    d.negative = negative;
    d.scale = scale;
    return d;
}

// A table per kind of value at its edges: NULL in every type, text of every awkward kind, long values
// inline, on one page and on a chain of pages, the limits of every number type, dates before day zero and
// at the end of year 9999, GUIDs, every byte value, AutoNumber values with gaps, and more rows than one data
// page holds.
MdbSchema everyValue() {
    using T = MdbColumnType;
    MdbSchema schema;

    MdbTable nulls = table(
        "Nulls", {column("ID", T::Long), column("Flag", T::YesNo), column("Tiny", T::Byte),
                  column("Small", T::Integer), column("Whole", T::Long), column("Money", T::Currency),
                  column("Real", T::Single), column("Wide", T::Double), column("When", T::DateTime),
                  column("Raw", T::Binary, 16), text("Title", 20, true), column("Picture", T::OleObject),
                  column("Notes", T::Memo), column("Key", T::Guid), decimal("Amount", 18, 4)});
    MdbRow empty(nulls.columns.size());
    empty[0] = whole(1);
    empty[1] = MdbValue{false};
    MdbRow full{whole(2),
                MdbValue{true},
                whole(7),
                whole(-7),
                whole(70000),
                MdbValue{MdbCurrency{12345}},
                MdbValue{1.5f},
                MdbValue{2.25},
                MdbValue{45292.75},
                bytes({1, 2, 3}),
                words("between nulls"),
                bytes({0xCA, 0xFE}),
                words("a short note"),
                MdbValue{*mdbGuidFromString("{6F9619FF-8B86-D011-B42D-00C04FC964FF}")},
                MdbValue{decimalOf("12345678", true, 4)}};
    MdbRow emptyAgain = empty;
    emptyAgain[0] = whole(3);
    nulls.rows = {empty, full, emptyAgain};
    schema.tables.push_back(nulls);

    MdbTable texts = table("Texts", {column("ID", T::Long), text("Value", 255, true)});
    const std::vector<std::string> awkward{
        "",
        "😀 🎉 👍🏽 𝄞",
        std::string("nul") + '\0' + "and\x01\x02\x07\x08\x0B\x0C\x1B\x1F\x7F",
        "line one\r\nline two\nline three\r",
        "tab\tseparated\tvalues\t",
        "quotes ' \" '' \"\" and backslashes \\ \\\\ \\n",
        "Ünïcødé ∑ 中文 עברית",
        std::string(255, 'x'),
        repeated("😀", 127) + "!", // 255 UTF-16 units
        " leading and trailing spaces ",
    };
    for (std::size_t i = 0; i < awkward.size(); ++i)
        texts.rows.push_back({whole(std::int64_t(i + 1)), words(awkward[i])});
    texts.rows.push_back({whole(std::int64_t(awkward.size() + 1)), std::nullopt});
    schema.tables.push_back(texts);

    MdbTable memos = table("Memos", {column("ID", T::Long), column("Body", T::Memo)});
    const std::vector<std::string> bodies{
        "",
        std::string(100, 'm'),
        std::string(32, 'i'), // 64 bytes, the most that stays in the row
        std::string(33, 'p'), // 66 bytes, on a page of long values
        repeated("Two thousand characters, line by line.\r\n", 50),
        repeated("über 64 KiB 😀\r\n", 5000), // 85,000 UTF-16 units, a chain of pages
        repeated("x", 70000),
    };
    for (std::size_t i = 0; i < bodies.size(); ++i)
        memos.rows.push_back({whole(std::int64_t(i + 1)), words(bodies[i])});
    memos.rows.push_back({whole(std::int64_t(bodies.size() + 1)), std::nullopt});
    schema.tables.push_back(memos);

    MdbTable flags = table("Flags", {column("ID", T::Long), column("Yes", T::YesNo), column("No", T::YesNo)});
    flags.rows = {{whole(1), MdbValue{true}, MdbValue{false}}, {whole(2), MdbValue{false}, MdbValue{true}}};
    schema.tables.push_back(flags);

    MdbTable integers =
        table("Integers", {column("Tiny", T::Byte), column("Small", T::Integer), column("Whole", T::Long)});
    integers.rows = {{whole(0), whole(-32768), whole(-2147483648LL)},
                     {whole(255), whole(32767), whole(2147483647LL)},
                     {whole(1), whole(0), whole(-1)},
                     {std::nullopt, std::nullopt, std::nullopt}};
    schema.tables.push_back(integers);

    MdbTable money = table("Money", {column("Amount", T::Currency)});
    for (std::int64_t v : {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(),
                           std::int64_t(0), std::int64_t(-1), std::int64_t(12345), std::int64_t(-10000)})
        money.rows.push_back({MdbValue{MdbCurrency{v}}});
    schema.tables.push_back(money);

    std::vector<MdbColumn> scales;
    for (int s = 0; s <= 28; ++s)
        scales.push_back(decimal("Scale " + std::to_string(s), 28, s));
    MdbTable decimals = table("Decimals", scales);
    for (const auto& [digits, negative] : {std::pair{std::string(28, '9'), false},
                                           {std::string("1234567890123456789012345678"), true},
                                           {std::string("1"), false},
                                           {std::string("0"), false}}) {
        MdbRow row;
        for (int s = 0; s <= 28; ++s)
            row.push_back(MdbValue{decimalOf(digits, negative, s)});
        decimals.rows.push_back(row);
    }
    decimals.rows.push_back(MdbRow(scales.size()));
    schema.tables.push_back(decimals);

    MdbTable floats =
        table("Floats", {column("ID", T::Long), column("Real", T::Single), column("Wide", T::Double)});
    using F = std::numeric_limits<float>;
    using D = std::numeric_limits<double>;
    const std::vector<std::pair<float, double>> edges{
        {-0.0f, -0.0},
        {F::denorm_min(), D::denorm_min()},
        {F::max(), D::max()},
        {F::lowest(), D::lowest()},
        {F::min(), D::min()},
        {0.1f, 0.1},
        {F::quiet_NaN(), D::quiet_NaN()},
        {F::infinity(), D::infinity()},
        {-F::infinity(), -D::infinity()},
    };
    for (std::size_t i = 0; i < edges.size(); ++i)
        floats.rows.push_back(
            {whole(std::int64_t(i + 1)), MdbValue{edges[i].first}, MdbValue{edges[i].second}});
    schema.tables.push_back(floats);

    MdbTable dates = table("Dates", {column("ID", T::Long), column("When", T::DateTime)});
    const std::vector<double> moments{
        0.0,                          // 1899-12-30, day zero
        -1.25,                        // 1899-12-29 06:00: the day counts back, the time forward
        -657434.0,                    // 0100-01-01
        2958465.999988426,            // 9999-12-31 23:59:59
        45292.5 + 123.0 / 86400000.0, // 2024-01-01 12:00:00.123
        1.0 / 86400.0,                // one second after day zero
    };
    for (std::size_t i = 0; i < moments.size(); ++i)
        dates.rows.push_back({whole(std::int64_t(i + 1)), MdbValue{moments[i]}});
    schema.tables.push_back(dates);

    MdbTable guids = table("Guids", {column("ID", T::Long), column("Key", T::Guid)});
    MdbGuid ones;
    ones.bytes.fill(0xFF);
    guids.rows = {{whole(1), MdbValue{MdbGuid{}}},
                  {whole(2), MdbValue{ones}},
                  {whole(3), MdbValue{*mdbGuidFromString("{00112233-4455-6677-8899-AABBCCDDEEFF}")}},
                  {whole(4), std::nullopt}};
    schema.tables.push_back(guids);

    MdbTable blobs = table(
        "Blobs", {column("ID", T::Long), column("Raw", T::Binary, 510), column("Picture", T::OleObject)});
    blobs.rows = {{whole(1), bytes(everyByte()), bytes(everyByte())},
                  {whole(2), bytes({}), bytes({})},
                  {whole(3), bytes(pattern(510)), bytes(pattern(10))},
                  {whole(4), bytes({0}), bytes(pattern(200000))},
                  {whole(5), std::nullopt, std::nullopt}};
    schema.tables.push_back(blobs);

    MdbTable counters =
        table("Counters", {autoNumber("ID"), text("Name", 20, true)}, {index("PrimaryKey", {"ID"}, true)});
    counters.rows = {
        {whole(1), words("first")}, {whole(7), words("after a gap")}, {whole(1000), words("last")}};
    schema.tables.push_back(counters);

    // More rows than one page takes: 255 to a page however small they are.
    MdbTable many = table("Many Rows", {column("ID", T::Long), text("Label", 40, true)});
    for (int i = 1; i <= 3000; ++i)
        many.rows.push_back({whole(i), i % 3 == 0 ? std::nullopt : words("row " + std::to_string(i))});
    schema.tables.push_back(many);
    return schema;
}

// Rows that break the rules of their own file, as real files hold them: Access lets a column be made
// Required after rows exist without checking them, and compares the texts of a relationship's keys without
// regard to case and trailing spaces. Both relationships are enforced.
MdbSchema brokenRules() {
    using T = MdbColumnType;
    MdbTable codes = table("Codes", {text("Code", 10, false, true), text("Label", 30, true)},
                           {index("PrimaryKey", {"Code"}, true)});
    codes.rows = {
        {words("TAB"), words("table")}, {words("Ibra"), words("ibrahim")}, {words("X"), words("x")}};
    MdbColumn postal = text("PostalCode", 10, false, true);
    MdbColumn city = text("City", 30, true, true);
    city.validationRule = "<>\"Nowhere\""; // which the rows keep
    MdbColumn phone = column("Phone", T::Long);
    phone.required = true;
    phone.validationRule = ">=20"; // which one row breaks (a NULL passes)
    MdbIndex byCode = index("CodesClients", {"Code"});
    byCode.foreignKey = true;
    MdbTable clients = table("Clients", {autoNumber("ID"), postal, city, phone, text("Code", 10, true)},
                             {index("PrimaryKey", {"ID"}, true), byCode});
    clients.rows = {{whole(1), words("75001"), words("Paris"), whole(10), words("TAB")},
                    {whole(2), std::nullopt, words("Lyon"), std::nullopt, words("TAB   ")},
                    {whole(3), std::nullopt, words("Lille"), whole(30), words("ibra")},
                    {whole(4), words("13001"), words("Marseille"), whole(40), std::nullopt},
                    {whole(5), words("31000"), words("Toulouse"), whole(50), words("X")}};
    MdbSchema schema{{codes, clients}, {}};
    schema.relationships = {{"CodesClients", "Clients", {"Code"}, "Codes", {"Code"}}};
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
            {"large", large()},
            {"every-value", everyValue()},
            {"broken-rules", brokenRules()},
            {"queries", mdbQueriesDatabase()}};
}

MdbSchema mdbRowsBenchmarkDatabase(int rows, bool requiredCustomer) {
    using T = MdbColumnType;
    MdbColumn note = column("Note", T::Memo);
    MdbTable t =
        table("Orders",
              {autoNumber("ID"), text("Customer", 50, true, requiredCustomer), column("Amount", T::Currency),
               column("Ratio", T::Double), column("Placed", T::DateTime), column("Paid", T::YesNo),
               column("Quantity", T::Integer), note},
              {index("PrimaryKey", {"ID"}, true)});
    // Made as the writer takes them, so that the rows are never held all at once.
    t.moreRows = [rows](std::size_t number, MdbRow& row) {
        if (number >= std::size_t(std::max(rows, 0)))
            return false;
        const auto i = std::int64_t(number) + 1;
        row = {whole(i),
               words("Customer " + std::to_string(i % 1000)),
               MdbValue{MdbCurrency{i * 125}},
               MdbValue{double(i) / 7.0},
               MdbValue{45292.0 + double(i) / 1440.0},
               MdbValue{i % 2 == 0},
               i % 10 == 0 ? std::nullopt : whole(i % 30000),
               i % 4 == 0 ? words("note " + std::to_string(i)) : std::nullopt};
        return true;
    };
    MdbSchema schema;
    schema.tables.push_back(std::move(t));
    return schema;
}

MdbSchema mdbTestDatabase(const std::string& name) {
    for (auto& db : mdbTestCorpus())
        if (db.name == name)
            return db.schema;
    return {};
}
