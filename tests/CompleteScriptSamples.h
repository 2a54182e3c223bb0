#pragma once
// A hand-built schema with every case a complete script has to carry: composite and non-AutoNumber keys,
// AutoNumbers of both kinds, literal and expression defaults, descriptions, Decimal, calculated, attachment
// and multi-valued columns, names with spaces and quote characters, unique and descending indexes, index
// names that repeat across tables or equal a table's name, foreign keys over one and two columns with every
// action, a relationship Access does not enforce, one to a key that is not unique, a self-reference, a
// linked table whose file is not there, an unreadable table, a table too wide for one InnoDB row, and names,
// types and AutoNumbers that some servers cannot take as they are.

#include "DatabaseSchema.h"

namespace samples {

inline ColumnDefinition column(const QString& name, JetType type, int size = 0) {
    ColumnDefinition c;
    c.name = name;
    c.jetType = int(type);
    c.typeCode = int(type);
    c.size = size;
    return c;
}

inline ColumnDefinition required(ColumnDefinition c) {
    c.required = true;
    return c;
}

inline ColumnDefinition withDefault(ColumnDefinition c, const QString& value) {
    c.defaultValue = value;
    return c;
}

inline IndexDefinition index(const QString& name, const QList<IndexColumn>& columns, bool primary = false,
                             bool unique = false) {
    IndexDefinition i;
    i.name = name;
    i.columns = columns;
    i.primaryKey = primary;
    i.unique = unique || primary;
    return i;
}

inline TableDefinition table(const QString& name, const QList<ColumnDefinition>& columns,
                             const QList<IndexDefinition>& indexes = {}) {
    TableDefinition t;
    t.name = name;
    t.columns = columns;
    t.indexes = indexes;
    return t;
}

inline Relationship relationship(const QString& name, const QString& from, const QString& to,
                                 const QList<RelationshipColumn>& columns, bool enforced = true) {
    Relationship r;
    r.name = name;
    r.table = from;
    r.referencedTable = to;
    r.columns = columns;
    r.enforced = enforced;
    return r;
}

inline DatabaseSchema richSchema() {
    DatabaseSchema s;
    ColumnDefinition id = required(column("Customer ID", JetType::Long, 4));
    id.autoNumber = true;
    ColumnDefinition name = required(column("Name", JetType::Text, 80));
    name.description = "The customer's name; as on the invoice\r\nsecond line";
    ColumnDefinition amount = column("Credit \"Limit\"", JetType::Decimal, 17);
    amount.precision = 12;
    amount.scale = 2;
    ColumnDefinition guid = column("Row`Guid]", JetType::Guid, 16);
    guid.guidAutoNumber = true;
    ColumnDefinition calculated = column("Full Label", JetType::Memo);
    calculated.calculated = true;
    calculated.resultType = 10;
    calculated.size = 255;
    calculated.expression = "[Name] & \" (\" & [City] & \")\"";
    ColumnDefinition attachment = column("Files", JetType::Complex);
    attachment.complexType = ComplexType::Attachment;
    ColumnDefinition tags = column("Tags", JetType::Complex);
    tags.complexType = ComplexType::MultiValuedText;
    tags.storageTable = "f_0123456789ABCDEF0123456789ABCDEF_Tags";
    ColumnDefinition tagNumber = column("Customers_Tags", JetType::Long, 4);
    tagNumber.autoNumber = true;
    const StorageTable tagValues{
        tags.storageTable,
        {column("_Tags", JetType::Long, 4), tagNumber, column("value", JetType::Text, 100)}};
    // Backslashes and semicolons in comments: the clients must not take them for commands or statement ends.
    ColumnDefinition city = withDefault(column("City", JetType::Text, 40), "\"Köln\"");
    city.description = "Town; kept as C:\\towns\\go \\g list";
    s.tables << table("Customers",
                      {id,
                       name,
                       city,
                       withDefault(column("Active", JetType::Boolean, 1), "Yes"),
                       withDefault(column("Visits", JetType::Integer, 2), "0"),
                       withDefault(column("Since", JetType::DateTime, 8), "=Now()"),
                       amount,
                       column("Balance", JetType::Currency, 8),
                       guid,
                       column("Tiny", JetType::Byte, 1),
                       column("Big", JetType::BigInt, 8),
                       column("Ratio", JetType::Single, 4),
                       column("Precise", JetType::Double, 8),
                       column("Stamp", JetType::DateTimeExtended, 42),
                       column("Photo", JetType::OleObject),
                       column("Raw", JetType::Binary, 16),
                       withDefault(column("Notes", JetType::Memo), "'it''s \\ fine'"),
                       calculated,
                       attachment,
                       tags},
                      {index("PrimaryKey", {{"Customer ID"}}, true),
                       index("Name", {{"Name"}, {"City", true}}), index("Orders", {{"Big"}}, false, true),
                       index("Guid", {{"Row`Guid]"}}, false, true)});
    s.tables.last().storageTables << tagValues;
    s.tables << table("Orders",
                      {required(column("Region", JetType::Text, 10)),
                       required(column("Number", JetType::Long, 4)), column("Customer ID", JetType::Long, 4),
                       column("Parent Region", JetType::Text, 10), column("Parent Number", JetType::Long, 4),
                       column("Name", JetType::Text, 20)},
                      {index("PrimaryKey", {{"Region"}, {"Number"}}, true), index("Name", {{"Name"}}),
                       index("Customers Orders", {{"Customer ID"}})});
    s.tables << table("Order Lines",
                      {required(column("Region", JetType::Text, 10)),
                       required(column("Number", JetType::Long, 4)),
                       required(column("Line", JetType::Integer, 2)), column("Product", JetType::Text, 30),
                       column("Quantity", JetType::Double, 8)},
                      {index("Key", {{"Region"}, {"Number"}, {"Line"}}, true)});
    TableDefinition linked = table("Remote Prices", {});
    linked.linked = true;
    linked.linkedDatabase = "Z:\\prices\\prices.accdb";
    linked.foreignName = "Prices";
    linked.columnsState = ReadState::NotRead;
    s.tables << linked;
    TableDefinition damaged = table("Damaged", {});
    damaged.columnsState = ReadState::Unreadable;
    s.tables << damaged;
    TableDefinition wide =
        table("Wide Text", {required(column("ID", JetType::Long, 4))}, {index("PrimaryKey", {{"ID"}}, true)});
    for (int i = 0; i < 80; ++i)
        wide.columns << column(QStringLiteral("Text %1").arg(i), JetType::Text, 255);
    wide.indexes << index("Wide", {{"Text 0"}, {"Text 1"}, {"Text 2"}, {"Text 3"}, {"Text 4"}});
    s.tables << wide;
    s.tables << table("Only Attachments", {attachment});
    ColumnDefinition counter = column("Counter", JetType::Long, 4);
    counter.autoNumber = true;
    s.tables << table("Loose Counter", {counter, column("Label", JetType::Text, 20)});
    // Names outside the Basic Multilingual Plane, an AutoNumber keyed only by a unique index, a column of a
    // type byte Access does not define, and a calculated Decimal whose result precision is not stored.
    ColumnDefinition moodId = column("Mood ID", JetType::Long, 4);
    moodId.autoNumber = true;
    ColumnDefinition unknown = column("Future", JetType(0x15), 8);
    ColumnDefinition share = column("Share", JetType::Decimal, 17);
    share.calculated = true;
    share.resultType = int(JetType::Decimal);
    share.expression = "[Mood ID]/3";
    s.tables << table(
        "Moods 😀", {required(column("Face 😀", JetType::Text, 8)), moodId, unknown, share},
        {index("PrimaryKey", {{"Face 😀"}}, true), index("Mood 😀 Key", {{"Mood ID"}}, false, true)});
    s.tables << table("Mood Log", {column("Mood", JetType::Long, 4), column("Note", JetType::Text, 50)},
                      {index("Mood", {{"Mood"}})});

    Relationship lines = relationship("OrdersOrder Lines", "Order Lines", "Orders",
                                      {{"Number", "Number"}, {"Region", "Region"}});
    lines.cascadeUpdate = lines.cascadeDelete = true;
    Relationship customers =
        relationship("Customers Orders", "Orders", "Customers", {{"Customer ID", "Customer ID"}});
    customers.cascadeSetNull = true;
    Relationship parent = relationship("OrdersOrders", "Orders", "Orders",
                                       {{"Parent Region", "Region"}, {"Parent Number", "Number"}});
    parent.cascadeDelete = true;
    s.relationships << lines << customers << parent
                    << relationship("Loose", "Order Lines", "Customers", {{"Product", "Name"}}, false)
                    << relationship("Not Unique", "Orders", "Customers", {{"Name", "Name"}})
                    << relationship("To Linked", "Orders", "Remote Prices", {{"Name", "Name"}})
                    << relationship("Log 😀 Moods", "Mood Log", "Moods 😀", {{"Mood", "Mood ID"}});
    return s;
}

} // namespace samples
