#include "RequiredAfterRows.h"

#include "TargetDialect.h"

RequiredAfterRows::RequiredAfterRows(const TablePlan& table) : table_(table) {
    for (int i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].written && table.columns[i].notNullAfterRows)
            columns_ << i;
    missing_.fill(0, columns_.size());
}

void RequiredAfterRows::count(const RowBatch& batch) {
    if (columns_.isEmpty() || qsizetype(batch.columns) != table_.columns.size())
        return;
    for (std::size_t r = 0; r < batch.rows(); ++r) {
        const DataValue* row = batch.row(r);
        for (qsizetype k = 0; k < columns_.size(); ++k)
            missing_[k] += row[columns_[k]].kind == ValueKind::Null ? 1 : 0;
    }
}

RequiredAfterRows::Ending RequiredAfterRows::ending(const TargetDialect& dialect) const {
    Ending out;
    if (!dialect.notNullAfterRows)
        return out;
    for (qsizetype k = 0; k < columns_.size(); ++k) {
        const ColumnPlan& c = table_.columns[columns_[k]];
        if (const qint64 rows = missing_[k]) {
            out.notes << requiredNotWrittenNote(c.column->name, rows);
            out.warnings << requiredNotWrittenWarning(table_.table->name, c.column->name, rows);
            continue;
        }
        out.statements << QString::fromLatin1(dialect.notNullAfterRows)
                              .replace(QLatin1String("{t}"), quoteName(dialect, table_.name))
                              .replace(QLatin1String("{c}"), quoteName(dialect, c.name));
    }
    return out;
}
