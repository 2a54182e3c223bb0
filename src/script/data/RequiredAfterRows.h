#pragma once
// The Required columns whose NOT NULL the server adds after the rows (TargetDialect::notNullAfterRows):
// their missing values are counted as the rows are written, and once the table's rows are all written the
// NOT NULL is added where every row holds a value, and left out, with a note and a warning, where some do
// not. A load so decides on the rows it writes, with no pass over them before CREATE TABLE.

#include "ScriptPlan.h"
#include "TableRows.h"

#include <QList>
#include <QStringList>

struct TargetDialect;

class RequiredAfterRows {
public:
    explicit RequiredAfterRows(const TablePlan& table);

    // A batch as it is written: one value for each column of the table's plan.
    void count(const RowBatch& batch);

    struct Ending {
        QStringList statements; // ALTER TABLE ... SET NOT NULL, without the closing ";"
        QStringList notes;      // for the script, beside the rows
        QStringList warnings;   // standard error and the report
    };
    Ending ending(const TargetDialect& dialect) const;

private:
    const TablePlan& table_;
    QList<int> columns_;
    QList<qint64> missing_;
};
