#include "ChildTableRows.h"

#include "AttachedFile.h"

#include <algorithm>

void ParentKeys::add(const RowBatch& parentRows) {
    for (std::size_t r = 0; r < parentRows.rows(); ++r) {
        const DataValue* row = parentRows.row(r);
        const DataValue& number = row[rows_.parentColumn];
        if (number.kind != ValueKind::Integer || rowOf_.count(number.integer) != 0)
            continue;
        rowOf_.emplace(number.integer, values_.size());
        for (int k : rows_.parentKey) {
            DataValue value = row[k];
            spans_.push_back({bytes_.size(), value.bytes.size()});
            bytes_.append(value.bytes);
            value.bytes = {};
            values_.push_back(value);
        }
    }
}

const DataValue* ParentKeys::find(std::int64_t number) {
    if (!fixed_) {
        for (std::size_t i = 0; i < values_.size(); ++i)
            values_[i].bytes = std::string_view(bytes_).substr(spans_[i].offset, spans_[i].size);
        fixed_ = true;
    }
    const auto found = rowOf_.find(number);
    return found == rowOf_.end() ? nullptr : values_.data() + found->second;
}

void childBatch(const ChildRows& rows, ParentKeys& keys, const RowBatch& stored, RowBatch& out,
                std::vector<std::string>& files, ChildBatchCounts& counts) {
    const int width = int(rows.parentKey.size() + rows.values.size());
    out.columns = width;
    out.values.clear();
    out.values.reserve(stored.rows() * std::size_t(width));
    files.clear();
    files.reserve(stored.rows()); // never reallocated, so the views into it stay
    for (std::size_t r = 0; r < stored.rows(); ++r) {
        const DataValue* row = stored.row(r);
        const DataValue& number = row[rows.link];
        const DataValue* key = number.kind == ValueKind::Integer ? keys.find(number.integer) : nullptr;
        if (!key) {
            ++counts.withoutRow;
            continue;
        }
        out.values.insert(out.values.end(), key, key + rows.parentKey.size());
        for (int i = 0; i < rows.values.size(); ++i) {
            DataValue value = row[rows.values[i]];
            if (int(rows.parentKey.size()) + i == rows.attachmentData && value.kind == ValueKind::Bytes) {
                if (std::optional<std::string> file = attachedFile(value.bytes)) {
                    files.push_back(std::move(*file));
                    value.bytes = files.back();
                } else {
                    ++counts.unreadableFiles;
                    value = DataValue{};
                }
            }
            out.values.push_back(value);
        }
    }
}

namespace {

// Whether the stored rows have every column the child's rows are made from.
bool fitsChild(const ChildRows& rows, const RowBatch& stored) {
    return rows.link < stored.columns &&
           std::all_of(rows.values.cbegin(), rows.values.cend(), [&](int v) { return v < stored.columns; });
}

// What the child's rows left out, as notes naming the table.
QStringList childNotes(const TablePlan& child, const ChildBatchCounts& counts) {
    QStringList notes;
    if (counts.withoutRow > 0)
        notes << QStringLiteral("Table %1: %2 values whose row is not in %3 left out")
                     .arg(child.name)
                     .arg(counts.withoutRow)
                     .arg(child.childRows->storageTable);
    if (counts.unreadableFiles > 0)
        notes << QStringLiteral("Table %1: %2 attached files whose stored form could not be read written as "
                                "NULL")
                     .arg(child.name)
                     .arg(counts.unreadableFiles);
    return notes;
}

} // namespace

bool writeWithChildTables(const TablePlan& t, const WriteTableRows& write) {
    std::vector<ParentKeys> keys;
    keys.reserve(t.children.size());
    for (const TablePlan& child : t.children)
        keys.emplace_back(*child.childRows);
    const auto gather = [&](const RowBatch& batch) -> const RowBatch& {
        if (qsizetype(batch.columns) == t.table->columns.size())
            for (ParentKeys& k : keys)
                k.add(batch);
        return batch;
    };
    if (!write(t, t.table->name, gather, {}))
        return false;
    for (std::size_t c = 0; c < t.children.size(); ++c) {
        const TablePlan& child = t.children[c];
        const ChildRows& how = *child.childRows;
        RowBatch made;
        const RowBatch empty;
        std::vector<std::string> files;
        ChildBatchCounts counts;
        const auto make = [&](const RowBatch& stored) -> const RowBatch& {
            if (!fitsChild(how, stored))
                return empty; // not the table planned: written as far as it was read
            childBatch(how, keys[c], stored, made, files, counts);
            return made;
        };
        if (!write(child, how.storageTable, make, [&] { return childNotes(child, counts); }))
            return false;
    }
    return true;
}
