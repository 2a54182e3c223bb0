#pragma once
// The rows of a child table (ScriptPlan.h: ChildRows), made from the rows of the hidden table that stores a
// complex column's values: the parent's key is looked up by the number that links a stored value to its
// row. The keys are gathered while the parent's rows go by; only the key of each row that has values is
// kept, never a whole row.

#include "ScriptPlan.h"
#include "TableRows.h"

#include <QStringList>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// The key of each parent row, by the number its complex column holds.
class ParentKeys {
public:
    explicit ParentKeys(const ChildRows& rows) : rows_(rows) {}
    void add(const RowBatch& parentRows);
    // The key's values of the row holding number; nullptr when no row holds it.
    const DataValue* find(std::int64_t number);

private:
    struct Span {
        std::size_t offset = 0;
        std::size_t size = 0;
    };
    const ChildRows& rows_;
    std::unordered_map<std::int64_t, std::size_t> rowOf_; // the first of its values in values_
    std::vector<DataValue> values_;                       // bytes point nowhere until find fixes them
    std::vector<Span> spans_;                             // where each value's bytes are in bytes_
    std::string bytes_;
    bool fixed_ = false;
};

struct ChildBatchCounts {
    qint64 withoutRow = 0;      // stored values whose parent row is not among the rows read
    qint64 unreadableFiles = 0; // attachments whose stored form could not be read: written as NULL
};

// The child's rows for a batch of stored rows, into out; the decoded attachments live in files, which
// must outlive out.
void childBatch(const ChildRows& rows, ParentKeys& keys, const RowBatch& stored, RowBatch& out,
                std::vector<std::string>& files, ChildBatchCounts& counts);

// Makes each batch read into the batch written.
using PrepareBatch = std::function<const RowBatch&(const RowBatch&)>;
// Reads the rows of the table readName and writes them as the table t, each batch made by prepare; lateNotes,
// where given, says after the last batch what the rows left out. False ends the run.
using WriteTableRows =
    std::function<bool(const TablePlan& t, const QString& readName, const PrepareBatch& prepare,
                       const std::function<QStringList()>& lateNotes)>;

// Writes the rows of t with write, then those of each of its child tables, made from the rows of the hidden
// tables that hold its complex columns' values with the keys of its rows gathered as they went by. False as
// soon as write answers false.
bool writeWithChildTables(const TablePlan& t, const WriteTableRows& write);
