#pragma once
// A DatabaseSchema put together from the engine's texts alone (type codes, sizes, attributes and index
// names): what a reader without the whole-schema answer can say. Index columns, properties and
// relationships are not in those texts and stay empty.

#include "DatabaseSchema.h"
#include "SchemaTypes.h"

// The Jet type byte behind an engine type code.
inline int jetTypeOfCode(int typeCode) {
    switch (typeCode) {
    case 15:
        return int(JetType::Guid);
    case 16:
        return int(JetType::BigInt);
    case 20:
        return int(JetType::Decimal);
    default:
        break;
    }
    if (typeCode >= int(ComplexType::Attachment) && typeCode <= int(ComplexType::MultiValuedText))
        return int(JetType::Complex);
    return typeCode;
}

// A column from the numbers behind a field row's texts: the type code, the size, AllowZeroLength and the
// attributes.
inline ColumnDefinition columnFromFacts(const QString& name, int typeCode, int size, bool allowZeroLength,
                                        int attributes) {
    constexpr int fixedField = 1;
    constexpr int autoIncrField = 16;
    ColumnDefinition column;
    column.name = name;
    column.typeCode = typeCode;
    column.jetType = jetTypeOfCode(column.typeCode);
    column.size = size;
    column.allowZeroLength = allowZeroLength;
    column.fixed = (attributes & fixedField) != 0;
    column.autoNumber = column.jetType == int(JetType::Long) && (attributes & autoIncrField) != 0;
    if (column.jetType == int(JetType::Complex))
        column.complexType = ComplexType(column.typeCode);
    return column;
}

inline ColumnDefinition columnFromFieldRow(const FieldRow& row) {
    return columnFromFacts(row.name, row.type.toInt(), row.size.toInt(),
                           row.allowZeroLength.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0,
                           row.attributes.toInt());
}

inline TableDefinition tableFromTexts(const QString& name, const FieldTable& fields,
                                      const IndexList& indexes) {
    TableDefinition table;
    table.name = name;
    if (fields.isNotRead()) {
        table.columnsState = ReadState::NotRead;
        table.indexesState = ReadState::NotRead;
    } else if (fields.isUnreadable()) {
        table.columnsState = ReadState::Unreadable;
    } else {
        table.columns.reserve(fields.rows().size());
        for (const FieldRow& row : fields.rows())
            table.columns.append(columnFromFieldRow(row));
    }
    if (fields.isNotRead()) {
        // no index list either
    } else if (indexes == unreadableIndexes()) {
        table.indexesState = ReadState::Unreadable;
    } else if (const auto* list = std::get_if<TextList>(&indexes)) {
        table.indexes.reserve(list->items().size());
        for (const QString& indexName : list->items()) {
            IndexDefinition index;
            index.name = indexName;
            table.indexes.append(index);
        }
    }
    return table;
}
