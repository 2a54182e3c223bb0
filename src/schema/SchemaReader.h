#pragma once
// The three questions the conversion run and the writers ask of a database. Every call stands alone: the
// file is opened, read and let go before the answer returns, and no answer is ever an exception.

#include "SchemaTypes.h"

class SchemaReader {
public:
    virtual ~SchemaReader() = default;
    virtual TableList GetTableNames(const QString& path) = 0;
    virtual FieldTable GetTableFields(const QString& path, const QString& tableName) = 0;
    virtual IndexList GetTableIndexes(const QString& path, const QString& tableName) = 0;
};
