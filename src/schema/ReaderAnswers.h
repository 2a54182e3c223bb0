#pragma once
// Turns the reader process's answers into the reader's result types.

#include "DatabaseSchema.h"
#include "ReaderProtocol.h"
#include "SchemaTypes.h"

TableList toTableList(const readerprotocol::TablesAnswer& answer);
FieldTable toFieldTable(const readerprotocol::FieldsAnswer& answer);
IndexList toIndexList(const readerprotocol::IndexesAnswer& answer);
ReadFailure toReadFailure(const readerprotocol::Failure& failure);
// The "NOT" of GetTableNames when the reader process itself failed on the file.
ReadFailure damagedDatabase(const QString& path);
// The "NOT" of GetTableNames when the reader program could not be started at all.
ReadFailure readerUnavailable(const QString& program, const QString& reason);

// A table of the whole-schema answer with every fact it carries: what its engine texts would say
// (toFieldTable, toIndexList), taken from the numbers behind them, and the details.
TableDefinition toTableDefinition(const readerprotocol::TableSchema& table);
QList<Relationship> toRelationships(const std::vector<readerprotocol::Relationship>& relationships);
