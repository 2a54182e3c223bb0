#pragma once
// The plan of a complete script: every table it writes with its final name, every column with its final type,
// the keys, indexes and foreign keys, and what was left out and why (the notes the script shows as
// comments). The planner (Planner.h) makes it; the script (CompleteScript.h) renders it in sections; a later
// step can load rows between the tables and their indexes from the same plan.

#include "DatabaseSchema.h"
#include "RowFacts.h"
#include "TargetTypes.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

// What a script holds: the schema alone, or the rows too, for which some types are chosen otherwise.
enum class ScriptContents { Schema, SchemaAndRows };

struct ColumnPlan {
    const ColumnDefinition* column = nullptr;
    QString name; // in the script: the Access name, changed where the server cannot keep it
    bool written = false;
    TargetType type;
    int jetType = 0; // of the values: a calculated column's result type
    bool notNull = false;
    bool notNullAfterRows = false; // Required: NOT NULL follows the rows where they hold a value each
    bool identity = false;         // numbered by the dialect's identity clause
    bool inlineKey = false;        // INTEGER PRIMARY KEY AUTOINCREMENT on the column itself
    QString defaultValue;          // the literal or expression after DEFAULT
    QString comment;               // COMMENT '...' in CREATE TABLE: the Access name where the name changed
    QStringList checks; // "CONSTRAINT ... CHECK (...)" after the rest: its rules (ValidationChecks.h)
};

struct KeyPlan {
    const IndexDefinition* index = nullptr; // nullptr: a key the server needs that Access does not have
    QString name;                           // empty for a key the server names itself
    QStringList columnNames;                // as the table has them
    QStringList keyParts;                   // quoted, with DESC and MySQL's prefix lengths
    bool unique = false;
    bool inTable = false; // written inside CREATE TABLE (UNIQUE KEY / KEY) rather than as CREATE INDEX
};

// How the rows of a child table are made: each row of the hidden table that stores a complex column's
// values, with the key of the parent's row in place of the number that links the two.
struct ChildRows {
    QString storageTable;
    int parentColumn = -1;   // the complex column, among the parent's columns
    QList<int> parentKey;    // the parent's key columns, which are the child's first columns
    int link = -1;           // the storage table's column with the number the parent's row holds
    QList<int> values;       // the storage table's column of each of the child's other columns
    int attachmentData = -1; // the child's column whose stored bytes wrap an attached file, or -1
};

// A complex column whose values no child table holds, as the table has no primary key in the script to link
// them to its rows: a run with rows counts the rows of its storage table to say how many it left out.
struct LeftOutValues {
    QString column;       // the Access name
    QString storageTable; // the hidden table that holds its values
};

struct TablePlan {
    const TableDefinition* table = nullptr;
    QString name; // in the script
    bool written = false;
    QStringList notes; // comment lines before CREATE TABLE
    QString comment;   // COMMENT '...' of CREATE TABLE: the Access name where the name changed
    QList<ColumnPlan> columns;
    std::optional<KeyPlan> primaryKey;
    QList<KeyPlan> indexes;
    QStringList indexNotes;
    QStringList inlineForeignKeys; // foreign keys inside CREATE TABLE, where the dialect puts them there
    QStringList descriptions;      // COMMENT ON statements
    QStringList checks;            // table constraints "CONSTRAINT ... CHECK (...)": its validation rule
    QStringList triggers;          // CREATE TRIGGER statements, written after the rows
    // The tables that hold the values of its attachment, multi-valued and version history columns, each
    // written after it; and, in such a table, how its rows are made.
    std::vector<TablePlan> children;
    std::optional<ChildRows> childRows;
    QList<LeftOutValues> leftOutValues;

    const ColumnPlan* find(const QString& name) const {
        // Names of different lengths never match without regard to case (it is compared unit by unit).
        for (const ColumnPlan& c : columns)
            if (c.column->name.size() == name.size() &&
                c.column->name.compare(name, Qt::CaseInsensitive) == 0)
                return &c;
        return nullptr;
    }
    ColumnPlan* find(const QString& name) { return const_cast<ColumnPlan*>(std::as_const(*this).find(name)); }
    // The primary key and the indexes, the primary key first.
    QList<KeyPlan*> keys() {
        QList<KeyPlan*> all;
        if (primaryKey)
            all << &*primaryKey;
        for (KeyPlan& k : indexes)
            all << &k;
        return all;
    }
};

// A relationship of the database: the comments it gets, and its foreign-key clause where one is written.
struct RelationshipPlan {
    QStringList notes;
    QString clause;       // "CONSTRAINT ... FOREIGN KEY ... REFERENCES ..."; empty when not written
    QString name;         // the constraint's name in the clause, unquoted
    QString table;        // the referencing table's name in the script
    QString referenced;   // the referenced table's name in the script, where the clause is written
    bool inTable = false; // the clause is part of that table's CREATE TABLE
};

// The counts of the results header.
struct PlanCounts {
    int tables = 0;
    qint64 fields = 0;  // a table whose columns could not be read counts as one field
    qint64 indexes = 0; // index statements, the primary key not counted
};

struct ScriptPlan {
    std::deque<TableDefinition> definitions; // the tables planned, where the plans point to
    QList<TablePlan> tables;                 // in the order of the table list
    QList<RelationshipPlan> relationships;   // in the order of the database's relationships
    RowFacts rowFacts;                       // read before planning, where rows are written
    // Rules of the file not written as they are because its own rows break them: one line each, for the
    // user (standard error, the migration's report).
    QStringList brokenRules;
    // The validation rules carried over, as CHECKs and as triggers, and one line for each that is not: the
    // table, column and rule, and why.
    int ruleChecks = 0;
    int ruleTriggers = 0;
    QStringList rulesLeft;

    PlanCounts counts() const {
        PlanCounts counts;
        counts.tables = int(tables.size());
        for (const TablePlan& t : tables) {
            counts.fields += t.table->columnsState == ReadState::Read ? t.table->columns.size() : 1;
            for (const KeyPlan& k : t.indexes)
                counts.indexes += k.index ? 1 : 0; // a key only the server needs is not the database's
        }
        return counts;
    }
};
