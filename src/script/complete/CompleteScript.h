#pragma once
// A complete script for one server: everything it needs to hold the schema, in an order that loads. The
// whole database is planned first (ScriptPlan.h: which tables, columns, keys and indexes are written, and
// under which names), so that a foreign key is written only where its target key exists and names stay
// unique; the script is then given out in sections, as dump tools order them: each table's definition
// (pre-data), its indexes and the statements about it (post-data), and the foreign keys after the last
// table. The schema-only script puts each table's two sections together.

#include "ConversionOptions.h"
#include "DatabaseSchema.h"
#include "ScriptPlan.h"
#include "TargetDialect.h"

#include <QList>
#include <memory>

class Planner;

class CompleteScript {
public:
    // A script planned table by table: addTable for each table of the database in the order of the table
    // list (while the rest is still being read, if need be), then finish once.
    CompleteScript(const TargetDialect& dialect, const ConversionOptions& options,
                   ScriptContents contents = ScriptContents::Schema);
    // A script of the whole schema, finished.
    CompleteScript(const TargetDialect& dialect, const DatabaseSchema& schema,
                   const ConversionOptions& options, ScriptContents contents = ScriptContents::Schema);
    ~CompleteScript();

    // What the rows say about the rules of the tables, for the tables added after it (RowFacts.h).
    void setRowFacts(RowFacts facts);
    // Whether a statement that holds ";" itself (a trigger) is put between the dialect's delimiter lines for
    // a command-line client (the default), or written as it is for a load through the client library.
    void setClientDelimiters(bool on) { clientDelimiters_ = on; }
    // Plans the table: its name, columns, keys and indexes (a system table only when asked for).
    void addTable(TableDefinition&& table);
    // Names the indexes that share the tables' namespace and plans the foreign keys; nothing is written
    // before.
    void finish(const QList<Relationship>& relationships);

    // The tables the run writes, in the order of the table list (system tables only when asked for).
    int tableCount() const;
    const TableDefinition& table(int i) const;

    const ScriptPlan& plan() const { return *plan_; }
    const TargetDialect& dialect() const { return dialect_; }
    ScriptContents contents() const { return contents_; }

    struct Piece {
        QString text;
        int indexes = 0; // index statements written, the primary key not counted
    };
    // The table's comments and CREATE TABLE (pre-data).
    QString tableDefinition(int i) const;
    // The table's indexes, descriptions and grants (post-data); empty for a table that is not written.
    QString tableIndexes(int i) const;
    // Both, and the blank line after them.
    Piece tableScript(int i) const;
    // The foreign keys of the enforced relationships, and the others as comments; empty without any.
    QString relationshipScript() const;

private:
    QString definitionOf(const TablePlan& t) const;
    QString indexesOf(const TablePlan& t) const;

    const TargetDialect& dialect_;
    const ConversionOptions& options_;
    ScriptContents contents_;
    std::unique_ptr<ScriptPlan> plan_;
    std::unique_ptr<Planner> planner_; // until finished
    bool clientDelimiters_ = true;
};

// The results header as SQL comments: "-- " before each of its ten lines.
QString commentedHeader(const QString& header);
