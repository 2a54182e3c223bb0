#pragma once
// What the schema reader hands back: lists numbered from 1 whose upper bound is the item count, and the
// marker cases ("NOT" for no list, "NONE" for data that failed to read) as types of their own, so a caller
// cannot take a marker for data by accident.

#include <QString>
#include <QStringList>
#include <variant>

// A list of names addressed from 1 to upperBound(); position 0 does not exist.
class TextList {
public:
    TextList() = default;
    explicit TextList(QStringList items) : items_(std::move(items)) {}

    int upperBound() const { return int(items_.size()); }
    const QString& at(int position) const { return items_[position - 1]; }
    const QStringList& items() const { return items_; }
    bool operator==(const TextList&) const = default;

private:
    QStringList items_;
};

// The "NOT" answer of GetTableNames: the database could not be read. Carries the error number and
// description that are shown to the user as "<number>  <description>".
struct ReadFailure {
    int number = 0;
    QString description;
    bool operator==(const ReadFailure&) const = default;
};

// The number of the failure that says the reader program itself could not be started (the engine's
// "ActiveX component can't create object"): nothing is known about the database then.
inline constexpr int ReaderUnavailableNumber = 429;

using TableList = std::variant<ReadFailure, TextList>;

// One field of a table, every column as text: name, type code, size, "True"/"False", attributes.
struct FieldRow {
    QString name;
    QString type;
    QString size;
    QString allowZeroLength;
    QString attributes;
    bool operator==(const FieldRow&) const = default;
};

// The fields of one table, rows numbered from 1. A table whose fields could not be read is one row whose
// five columns all hold "NONE"; so is a table left unread on purpose (a linked table whose file is not
// there), which says so through isNotRead().
class FieldTable {
public:
    FieldTable() = default;
    explicit FieldTable(QList<FieldRow> rows) : rows_(std::move(rows)) {}
    static FieldTable unreadable() { return FieldTable({FieldRow{"NONE", "NONE", "NONE", "NONE", "NONE"}}); }
    static FieldTable notRead() {
        FieldTable table = unreadable();
        table.notRead_ = true;
        return table;
    }

    // The "NONE" row of a failed read, not of a table left unread on purpose.
    bool isUnreadable() const { return !notRead_ && rows_ == unreadable().rows_; }
    bool isNotRead() const { return notRead_; }

    int upperBound() const { return int(rows_.size()); }
    FieldRow& row(int r) { return rows_[r - 1]; }
    const FieldRow& row(int r) const { return rows_[r - 1]; }
    const QList<FieldRow>& rows() const { return rows_; }
    bool operator==(const FieldTable&) const = default;

private:
    QList<FieldRow> rows_;
    bool notRead_ = false;
};

// The "NOT" answer of GetTableIndexes: the table has no index at all.
struct NoIndexes {
    bool operator==(const NoIndexes&) const = default;
};

// A table's index names; a read failure is the one-entry list {"NONE"}, which by its bounds looks like a
// table with exactly one index.
using IndexList = std::variant<NoIndexes, TextList>;

inline IndexList unreadableIndexes() {
    return TextList({QStringLiteral("NONE")});
}
