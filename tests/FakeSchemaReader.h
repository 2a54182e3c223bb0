#pragma once
// A schema reader that answers from tables set up by the test and counts the questions it was asked.

#include "SchemaReader.h"
#include <QMap>
#include <QMetaType>

class FakeSchemaReader : public SchemaReader {
public:
    TableList tables = TextList();
    QMap<QString, FieldTable> fields; // a table missing here reads as the "NONE" row
    QMap<QString, IndexList> indexes; // a table missing here has no index
    int indexCalls = 0;
    QStringList fieldRequests;

    TableList GetTableNames(const QString&) override { return tables; }
    FieldTable GetTableFields(const QString&, const QString& table) override {
        fieldRequests << table;
        return fields.value(table, FieldTable::unreadable());
    }
    IndexList GetTableIndexes(const QString&, const QString& table) override {
        ++indexCalls;
        return indexes.value(table, NoIndexes{});
    }
};

inline FieldRow field(const QString& name, int type, const QString& size = QStringLiteral("4"),
                      const QString& allowZeroLength = QStringLiteral("False"), int attributes = 33) {
    return FieldRow{name, QString::number(type), size, allowZeroLength, QString::number(attributes)};
}

inline TextList names(const QStringList& items) {
    return TextList(items);
}

Q_DECLARE_METATYPE(FieldRow)
Q_DECLARE_METATYPE(FieldTable)
Q_DECLARE_METATYPE(IndexList)
