#pragma once
// Plans each table as it is given, in the order of the table list: its name, columns, keys and indexes.
// What depends on the tables after it waits until the last table is in: the names of indexes where those
// share the database's namespace with the tables, and the foreign keys.

#include "ConversionOptions.h"
#include "NameAllocator.h"
#include "ScriptPlan.h"
#include "TargetDialect.h"

class Planner {
public:
    Planner(const TargetDialect& dialect, const ConversionOptions& options, ScriptContents contents,
            ScriptPlan& plan);

    // Plans a table the run writes (TableSelection.h decides which); the definition must outlive the plan.
    void table(const TableDefinition& table);
    // Names the indexes that share the tables' namespace and plans the foreign keys.
    void finish(const QList<Relationship>& relationships);

private:
    void nameIndexes();
    bool columns(TablePlan& t);
    ColumnPlan columnPlan(TablePlan& t, const ColumnDefinition& column);
    std::optional<KeyPlan> keyPlan(const TablePlan& t, const IndexDefinition& index, QString& reason) const;
    void keys(TablePlan& t);
    void autoNumbers(TablePlan& t);
    void keyInTable(TablePlan& t, const ColumnPlan& c);
    void describe(TablePlan& t, const QString& column, const QString& text);
    void childTables(TablePlan& t);
    bool childTable(TablePlan& t, int column, QString& reason);
    void childForeignKeys();
    QString q(const QString& name) const { return quoteName(d_, name); }

    const TargetDialect& d_;
    const ConversionOptions& options_;
    ScriptContents contents_;
    ScriptPlan& plan_;
    NameAllocator globalNames_;
    NameAllocator constraintNames_;
    NameAllocator tableNames_;
};

// The foreign keys of the enforced relationships whose tables and key columns the plan writes, and comments
// for the others. Foreign-key names come from names (unique in the database, never shared with index names).
void planRelationships(const TargetDialect& dialect, ScriptPlan& plan, NameAllocator& names,
                       const QList<Relationship>& relationships);
