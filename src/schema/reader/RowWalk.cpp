#include "RowWalk.h"

#include "RowFields.h"

namespace {

constexpr unsigned deletedRow = 0x4000;

// libmdb's mdb_crack_row trusts the counts at the end of a row to lie inside it (Jet 3 rows even to lie
// inside the page); a row whose table of variable columns would reach before its start is damage.
bool variableOffsetsFit(const MdbHandle* mdb, const MdbTableDef* table, std::size_t start, std::size_t size) {
    if (table->num_var_cols == 0)
        return true;
    const unsigned char* page = mdb->pg_buf;
    const bool jet3 = mdb->f->jet_version == MDB_VER_JET3;
    const std::size_t countSize = jet3 ? 1 : 2;
    if (size < countSize + 1)
        return false;
    const std::size_t columns = jet3 ? page[start] : std::size_t(page[start] | page[start + 1] << 8);
    const std::size_t nullMask = (columns + 7) / 8;
    const std::size_t end = start + size - 1;
    if (jet3) {
        if (size < nullMask + 2)
            return false;
        const std::size_t variable = page[end - nullMask];
        const std::size_t jumps = (size - 1) / 256;
        return size >= nullMask + jumps + 1 + variable + 1 + countSize;
    }
    if (size < nullMask + 3)
        return false;
    const std::size_t variable = std::size_t(page[end - nullMask - 1] | page[end - nullMask] << 8);
    // The count of variable columns, then one offset more than there are of them.
    return size >= countSize + nullMask + 2 + 2 * (variable + 1);
}

// Where each value of the page's row lies; false for a row that cannot be read.
bool locateRow(const OpenTable& open, unsigned row, std::vector<MdbField>& fields, std::size_t& start,
               std::size_t& size) {
    MdbHandle* mdb = open.mdb;
    int found = 0;
    if (mdb_find_row(mdb, int(row), &found, &size) != 0)
        return false;
    start = std::size_t(found & 0x1FFF);
    if (size == 0 || !variableOffsetsFit(mdb, open.table, start, size))
        return false;
    // Jet 3 files hold no column types of ACE's, and libmdb's reading of their rows is kept.
    if (mdb->f->jet_version == MDB_VER_JET3)
        return mdb_crack_row(open.table, int(start), size, fields.data()) >= 0;
    return locateRowFields(open.table, mdb->pg_buf, std::size_t(mdb->fmt->pg_size), start, size,
                           fields.data());
}

// libmdb ends the walk of the data pages at a page it cannot read as it ends it at the last one. Where the
// usage map can be read, the walk ended at the last page when the map holds no page after the last one
// read. The definition's count of rows is only a hint: Access leaves it stale (higher than the rows there)
// in real files, and 0 in a file that was not closed; it decides only for a map libmdb cannot read, whose
// walk goes through the whole file.
bool walkEnded(const OpenTable& open, std::uint64_t rows) {
    MdbTableDef* table = open.table;
    const gint32 next =
        mdb_map_find_next(open.mdb, table->usage_map, guint(table->map_sz), table->cur_phys_pg);
    return next >= 0 ? next == 0 : rows >= table->num_rows;
}

} // namespace

RowWalkEnd walkRows(const OpenTable& open, std::vector<MdbField>& fields,
                    const std::function<RowVisit(std::size_t start, std::size_t end)>& visit) {
    RowWalkEnd end;
    MdbHandle* mdb = open.mdb;
    MdbTableDef* table = open.table;
    fields.resize(table->columns->len);
    if (fields.empty()) {
        end.complete = true;
        return end;
    }
    // libmdb walks the data pages along the usage map without checking that it could be read: without one,
    // no row can be found, and the rows are not complete.
    if (!table->usage_map || table->map_sz == 0)
        return end;
    mdb_rewind_table(table);
    const int rowCountOffset = mdb->fmt->row_count_offset;
    const auto pageSize = std::size_t(mdb->fmt->pg_size);
    std::uint64_t visited = 0;
    while (mdb_read_next_dpg(table)) {
        const unsigned rows = unsigned(mdb_get_int16(mdb->pg_buf, rowCountOffset));
        if (std::size_t(rowCountOffset) + 2 + 2 * std::size_t(rows) > pageSize)
            return end;
        for (unsigned row = 0; row < rows; ++row) {
            const unsigned offset = unsigned(mdb_get_int16(mdb->pg_buf, rowCountOffset + 2 + 2 * int(row)));
            if (offset & deletedRow)
                continue;
            std::size_t start = 0;
            std::size_t size = 0;
            if (!locateRow(open, row, fields, start, size))
                return end;
            switch (visit(start, start + size)) {
            case RowVisit::Next:
                ++visited;
                break;
            case RowVisit::Damaged:
                return end;
            case RowVisit::Stop:
                end.stopped = true;
                return end;
            }
        }
    }
    end.complete = walkEnded(open, visited);
    return end;
}
