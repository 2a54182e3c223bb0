#include "LeftOutValues.h"

#include "SchemaReader.h"

QStringList leftOutValueNotes(const TablePlan& t, SchemaReader& reader, const QString& databasePath) {
    QStringList notes;
    for (const LeftOutValues& left : t.leftOutValues) {
        qint64 values = 0;
        const RowsRead read =
            reader.ReadTableRows(databasePath, left.storageTable, [&values](const RowBatch& b) {
                values += qint64(b.rows());
                return true;
            });
        QString note =
            QStringLiteral("Table %1, column %2: %3 values left out, as the table has no primary key "
                           "to link them to its rows")
                .arg(t.table->name, left.column)
                .arg(values);
        if (read.failure || !read.complete)
            note += QStringLiteral(" (and %1 could not all be read to count them: %2)")
                        .arg(left.storageTable, read.failure ? read.failure->description
                                                             : QStringLiteral("the rest is damaged"));
        else if (values == 0)
            continue;
        notes << note;
    }
    return notes;
}
