#pragma once
// What a migration sent of a table and what the target holds of it, reduced to a digest that both sides
// make alike: every value in one exact form (numbers by their shortest exact text, texts and bytes as they
// are, dates without a fraction's trailing zeros), a row as its values one after another, and the table as
// the number of its rows and two sums over a hash of each row, so that the order the server gives the rows
// back in does not count.

#include "DataValue.h"
#include "LiveConnection.h"
#include "ScriptPlan.h"
#include "TargetDialect.h"

#include <QList>
#include <cstdint>
#include <string>
#include <variant>

struct TableDigest {
    qint64 rows = 0;
    std::uint64_t sum = 0;
    std::uint64_t mixed = 0; // the sum of each row's hash mixed once more, so that two sums must agree

    void addRow(std::string_view row);
    bool operator==(const TableDigest&) const = default;
};

// How one column's values are compared: the form the target keeps them in, and for reals whether in four
// bytes (a Single) or eight.
struct CheckedColumn {
    ValueForm form = ValueForm::Text;
    bool single = false;
};

// The written columns of a table, in their order in the table.
QList<CheckedColumn> checkedColumns(const TablePlan& table);

// The digest of the rows as they are sent: each row's values as the writer wrote them, after what a problem
// made of them (NULL for a value the target cannot hold, a text without its NUL characters, 0 for a
// negative zero).
class SentDigest {
public:
    SentDigest(const TargetDialect& dialect, const TablePlan& table);
    // The row's values of the written columns, with the problem each met, in the columns' order.
    void add(const DataValue* row, const QList<int>& columns, const QList<ValueProblem>& problems);
    const TableDigest& digest() const { return digest_; }

private:
    QList<CheckedColumn> columns_;
    const TargetDialect& dialect_;
    std::string row_;
    TableDigest digest_;
};

// Sets the session up for heldDigest: once, before the first table is read back.
Failure prepareReadBack(LiveConnection& target, TargetKind kind);
// The digest of what the target holds of the table, read back row by row.
std::variant<QString, TableDigest> heldDigest(LiveConnection& target, TargetKind kind,
                                              const TargetDialect& dialect, const TablePlan& table);
