#include "SystemTableRows.h"
#include "TableDef.h"

#include <algorithm>
#include <memory>

std::string boundText(MdbHandle* mdb, const MdbColumn& column, const char* buffer) {
    // A bound memo holds only its 12-byte reference; the text is read from the row's page.
    if (column.col_type != MDB_MEMO)
        return buffer;
    if (column.cur_value_len <= 0)
        return {};
    std::unique_ptr<char, decltype(&g_free)> text(
        mdb_col_to_string(mdb, mdb->pg_buf, column.cur_value_start, MDB_MEMO, column.cur_value_len), g_free);
    return text ? std::string(text.get()) : std::string();
}

bool readRows(MdbHandle* mdb, const std::string& table, unsigned long page,
              const std::vector<std::string>& columns,
              const std::function<void(const std::vector<std::string>& values)>& row) {
    const TableDefinition definition = readTableDefinition(mdb, table, page);
    if (!definition)
        return false;
    const std::size_t bindSize = std::max<std::size_t>(mdb->bind_size, MDB_BIND_SIZE);
    std::vector<std::vector<char>> buffers(columns.size(), std::vector<char>(bindSize + 1, '\0'));
    std::vector<MdbColumn*> bound(columns.size(), nullptr);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string name = columns[i];
        const int number = mdb_bind_column_by_name(definition.get(), name.data(), buffers[i].data(), nullptr);
        if (number >= 1)
            bound[i] = static_cast<MdbColumn*>(g_ptr_array_index(definition->columns, number - 1));
    }
    std::vector<std::string> values(columns.size());
    mdb_rewind_table(definition.get());
    while (mdb_fetch_row(definition.get())) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            values[i] = bound[i] ? boundText(mdb, *bound[i], buffers[i].data()) : std::string();
        row(values);
    }
    return true;
}
