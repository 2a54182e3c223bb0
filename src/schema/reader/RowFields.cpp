#include "RowFields.h"

namespace {

constexpr std::size_t countSize = 2; // the row's count of columns, and of variable ones

std::size_t u16At(const unsigned char* page, std::size_t at) {
    return std::size_t(page[at] | page[at + 1] << 8);
}

} // namespace

bool locateRowFields(const MdbTableDef* table, const unsigned char* page, std::size_t pageSize,
                     std::size_t start, std::size_t size, MdbField* fields) {
    if (size < countSize + 1 || start + size > pageSize)
        return false;
    const std::size_t rowColumns = u16At(page, start);
    const std::size_t maskSize = (rowColumns + 7) / 8;
    if (size < countSize + maskSize)
        return false;
    const unsigned char* mask = page + start + size - maskSize;
    // The table of variable values, from its end backwards: their count, then one offset more than there
    // are, each read where it lies.
    std::size_t variable = 0;
    std::size_t countAt = 0;
    if (table->num_var_cols > 0) {
        if (size < countSize + maskSize + countSize)
            return false;
        countAt = start + size - maskSize - countSize;
        variable = u16At(page, countAt);
        if (size < countSize + maskSize + countSize + 2 * (variable + 1))
            return false;
    }
    const auto offset = [&](std::size_t i) { return u16At(page, countAt - 2 * (i + 1)); };
    for (guint i = 0; i < table->columns->len; ++i) {
        const auto& column = *static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        MdbField& field = fields[i];
        field = MdbField{};
        field.colnum = int(i);
        field.is_fixed = column.is_fixed;
        const auto number = std::size_t(column.col_num);
        field.is_null = number >= rowColumns || !(mask[number / 8] & (1u << (number % 8)));
        if (field.is_null || column.col_type == MDB_BOOL)
            continue;
        if (column.is_fixed) {
            field.start = int(start + countSize) + column.fixed_offset;
            field.siz = column.col_size;
        } else if (std::size_t(column.var_col_num) < variable) {
            const std::size_t from = offset(std::size_t(column.var_col_num));
            field.start = int(start + from);
            field.siz = int(offset(std::size_t(column.var_col_num) + 1)) - int(from);
        } else {
            field.is_null = 1; // a variable column the row's table does not reach
            continue;
        }
    }
    return true;
}
