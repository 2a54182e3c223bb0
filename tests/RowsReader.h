#pragma once
// A database of two tables with rows, for the tests of the scripts with data: Customers (an AutoNumber key
// and a value of every kind) and Orders, whose foreign key points at it; the rows are handed over in batches
// of two. The Orders rows can be cut short as by damage, and the Customers rows made to go on slowly.

#include "CompleteScriptSamples.h"
#include "SchemaReader.h"

#include <QThread>
#include <string>

namespace {

using samples::column;

class RowsReader : public SchemaReader {
public:
    RowsReader() {
        ColumnDefinition id = samples::required(column("ID", JetType::Long, 4));
        id.autoNumber = true;
        ColumnDefinition amount = column("Amount", JetType::Decimal, 17);
        amount.precision = 12;
        amount.scale = 2;
        schema.tables << samples::table(
            "Customers",
            {id, column("Name", JetType::Text, 50), column("Notes", JetType::Memo),
             column("Active", JetType::Boolean, 1), column("Rate", JetType::Double, 8),
             column("Since", JetType::DateTime, 8), column("Credit", JetType::Currency, 8), amount,
             column("Key", JetType::Guid, 16), column("Photo", JetType::OleObject)},
            {samples::index("PrimaryKey", {{"ID"}}, true)});
        schema.tables << samples::table(
            "Orders",
            {samples::required(column("Number", JetType::Long, 4)), column("Customer", JetType::Long, 4)},
            {samples::index("PrimaryKey", {{"Number"}}, true), samples::index("Customer", {{"Customer"}})});
        schema.relationships << samples::relationship("CustomersOrders", "Orders", "Customers",
                                                      {{"Customer", "ID"}});
    }

    TableList GetTableNames(const QString&) override { return ReadFailure{3024, "not asked"}; }
    FieldTable GetTableFields(const QString&, const QString&) override { return FieldTable::unreadable(); }
    IndexList GetTableIndexes(const QString&, const QString&) override { return NoIndexes{}; }
    std::variant<ReadFailure, DatabaseSchema> GetDatabaseSchema(const QString&) override { return schema; }

    RowsRead ReadTableRows(const QString&, const QString& table,
                           const std::function<bool(const RowBatch&)>& batch) override {
        QThread::msleep(startDelayMs);
        const bool customers = table == "Customers";
        const int rows = customers ? 5 : 3;
        RowsRead read;
        RowBatch b;
        RowBatch first;
        b.columns = customers ? 10 : 2;
        for (int r = 0; r < rows; ++r) {
            if (customers) {
                const auto v = [](ValueKind k, std::int64_t i = 0, double d = 0, std::string_view s = {}) {
                    return DataValue{k, i, d, s};
                };
                const bool null = r == 3;
                b.values.push_back(v(ValueKind::Integer, r == 4 ? 40 : r + 1));
                b.values.push_back(null ? v(ValueKind::Null) : v(ValueKind::Text, 0, 0, names[r]));
                b.values.push_back(null ? v(ValueKind::Null) : v(ValueKind::Text, 0, 0, names[4 - r]));
                b.values.push_back(v(ValueKind::Boolean, r % 2));
                b.values.push_back(null ? v(ValueKind::Null)
                                        : v(ValueKind::Double, 0, r == 1 ? -0.0 : r * 0.1));
                b.values.push_back(null ? v(ValueKind::Null)
                                        : v(ValueKind::DateTime, 0,
                                            r == 2 ? -1.25 : 36526.5 + r + (r == 4 ? 0.123 / 86400 : 0)));
                b.values.push_back(null ? v(ValueKind::Null)
                                        : v(ValueKind::Currency, r == 2 ? INT64_MAX : -12345 * r));
                b.values.push_back(null ? v(ValueKind::Null) : v(ValueKind::Decimal, 0, 0, "-1234567890.12"));
                b.values.push_back(null ? v(ValueKind::Null) : v(ValueKind::Guid, 0, 0, guid));
                b.values.push_back(null ? v(ValueKind::Null) : v(ValueKind::Bytes, 0, 0, names[r]));
            } else {
                b.values.push_back({ValueKind::Integer, 100 + r, 0, {}});
                b.values.push_back(r == 2 ? DataValue{}
                                          : DataValue{ValueKind::Integer, r == 0 ? 40 : 1, 0, {}});
            }
            if (b.rows() == 2 || r == rows - 1) {
                read.rows += qint64(b.rows());
                if (!batch(b))
                    return read;
                if (first.values.empty())
                    first = b;
                b.values.clear();
            }
            if (!customers && r == 1 && cutOrders)
                return read; // damage after the second row
        }
        // A long table: batches of the last row again, slowly, until the caller stops taking them.
        for (int more = 0; slow && customers && more < 1000; ++more) {
            QThread::msleep(10);
            if (!batch(first))
                return read;
        }
        read.complete = true;
        return read;
    }

    DatabaseSchema schema;
    bool cutOrders = false;
    bool slow = false;
    unsigned long startDelayMs = 0; // before the first batch of every table
    const std::string guid =
        std::string("\x78\x56\x34\x12\x34\x12\xCD\xAB\x01\x02\x03\x04\x05\x06\x07\x08", 16);
    const std::string names[5] = {"Ann", "it's \\ a\r\nline", "😀 Köln", "", std::string("nul\0x", 5)};
};

} // namespace
