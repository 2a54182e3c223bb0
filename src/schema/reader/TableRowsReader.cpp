#include "TableRowsReader.h"

#include "LongValue.h"
#include "OpenTable.h"
#include "RowWalk.h"
#include "RowsProtocol.h"
#include "TableDefinitionBytes.h"
#include "ValueBytes.h"

#include <cstdlib>
#include <vector>

using namespace readerprotocol;

namespace {

constexpr std::size_t batchBytes = 64 * 1024;
constexpr std::uint32_t batchRows = 1000;

struct ColumnPlan {
    ValueLayout layout;
    bool longValue = false;  // Memo and OLE Object: the row holds a reference, or nothing when empty
    bool inNullMask = false; // a plain Yes/No: its value is its bit
};

std::vector<ColumnPlan> planColumns(const OpenTable& open) {
    const bool jet3 = open.mdb->f->jet_version == MDB_VER_JET3;
    // libmdb reads a Decimal's scale from the wrong byte; the definition's own bytes have it.
    const std::optional<RawTableDefinition> raw =
        readRawTableDefinition(open.mdb, open.table->entry->table_pg);
    const auto scaleOf = [&](const MdbColumn& column) {
        if (raw)
            for (const RawColumn& rawColumn : raw->columns)
                if (rawColumn.name == column.name)
                    return int(rawColumn.scale);
        return column.col_scale;
    };
    std::vector<ColumnPlan> plans;
    for (guint i = 0; i < open.table->columns->len; ++i) {
        const auto& column = *static_cast<const MdbColumn*>(g_ptr_array_index(open.table->columns, i));
        ColumnPlan plan;
        plan.layout.type = column.col_type;
        plan.layout.scale = scaleOf(column);
        plan.layout.jet3 = jet3;
        plan.layout.codePage = open.mdb->f->code_page;
        // A calculated column (Access 2010 and later) carries an Expression; its values are of its result
        // type, wrapped in calculation data.
        const ColumnPropertyValues& properties = open.properties->column(column.name);
        if (!jet3 && valueOf(properties, ColumnProperty::Expression)) {
            plan.layout.calculated = true;
            const std::optional<std::string_view> resultType =
                valueOf(properties, ColumnProperty::ResultType);
            const int type = resultType ? std::atoi(std::string(*resultType).c_str()) : 0;
            if (type > 0)
                plan.layout.type = type;
        }
        // A calculated Memo keeps a long value whatever its column's own type byte says.
        plan.longValue = plan.layout.type == jettype::memo || plan.layout.type == jettype::ole;
        plan.inNullMask = column.col_type == jettype::boolean && !plan.layout.calculated;
        plans.push_back(plan);
    }
    return plans;
}

class RowsSender {
public:
    RowsSender(const OpenTable& open, const FrameSink& send)
        : open_(open), send_(send), plans_(planColumns(open)), writer_(std::uint32_t(plans_.size())),
          values_(plans_.size()), scratch_(plans_.size()) {}

    // Sends every row in batches; false when a frame could not be sent. complete() says whether every
    // row could be read.
    bool sendRows() {
        const RowWalkEnd end = walkRows(open_, fields_, [this](std::size_t start, std::size_t rowEnd) {
            if (!readRow(start, rowEnd))
                return RowVisit::Damaged;
            // A batch is sent before a row would take it past its bounds; a row larger than the bound goes
            // in a batch of its own.
            if (writer_.rows() > 0 &&
                (writer_.rows() >= batchRows || writer_.size() + encodedBound() > batchBytes) &&
                !send_(writer_.takeFrame()))
                return RowVisit::Stop;
            for (const DataValue& value : values_)
                writer_.add(value);
            writer_.endRow();
            ++rows_;
            return RowVisit::Next;
        });
        if (end.stopped)
            return false;
        complete_ = end.complete;
        return flush();
    }

    std::uint64_t rows() const { return rows_; }
    bool complete() const { return complete_; }

private:
    bool flush() { return writer_.rows() == 0 || send_(writer_.takeFrame()); }

    // Decodes one row into values_, whole before any of it goes into the batch, so that a damaged row leaves
    // none of its values behind.
    bool readRow(std::size_t start, std::size_t rowEnd) {
        MdbHandle* mdb = open_.mdb;
        for (std::size_t i = 0; i < plans_.size(); ++i) {
            const MdbField& field = fields_[i];
            const ColumnPlan& plan = plans_[i];
            DataValue& value = values_[i];
            value = DataValue{};
            if (plan.inNullMask) {
                // A Yes/No is never Null: a set bit is Yes.
                value.kind = ValueKind::Boolean;
                value.integer = field.is_null ? 0 : 1;
                continue;
            }
            if (field.is_null)
                continue;
            if (field.siz < 0 || std::size_t(field.start) < start ||
                std::size_t(field.start) + std::size_t(field.siz) > rowEnd)
                return false;
            const std::string_view stored(reinterpret_cast<const char*>(mdb->pg_buf) + field.start,
                                          std::size_t(field.siz));
            if (plan.longValue && !stored.empty()) {
                std::optional<std::string> whole = readLongValue(mdb, stored);
                if (!whole)
                    return false;
                longValues_[i] = std::move(*whole);
                if (!decodeValue(plan.layout, longValues_[i], scratch_[i], value))
                    return false;
            } else if (!decodeValue(plan.layout, stored, scratch_[i], value)) {
                return false;
            }
        }
        return true;
    }

    // The most bytes the decoded row can take in a batch: a kind byte, a number of ten bytes at most and
    // the bytes of each value.
    std::size_t encodedBound() const {
        std::size_t bound = 0;
        for (const DataValue& value : values_)
            bound += 1 + 10 + value.bytes.size();
        return bound;
    }

    const OpenTable& open_;
    const FrameSink& send_;
    std::vector<ColumnPlan> plans_;
    RowsBatchWriter writer_;
    std::vector<MdbField> fields_;
    std::vector<DataValue> values_;
    std::vector<std::string> scratch_;
    std::vector<std::string> longValues_ = std::vector<std::string>(plans_.size());
    std::uint64_t rows_ = 0;
    bool complete_ = false;
};

} // namespace

bool readTableRows(const std::string& path, Credentials& credentials, const std::string& table,
                   const FrameSink& send) {
    RowsTail tail;
    bool sent = true;
    tail.failure = withOpenTable(path, credentials, table, [&](const OpenTable& open) {
        RowsSender sender(open, send);
        sent = sender.sendRows();
        tail.rows = sender.rows();
        tail.complete = sender.complete();
    });
    return sent && send(encodeRowsTail(tail));
}
