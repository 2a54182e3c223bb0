#pragma once
// What an assessment finds in one database, read without migrating it: the facts a report shows, gathered
// by assessDatabase (AssessDatabase.h) and written out as text or HTML (AssessmentText.h, AssessmentHtml.h).

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <algorithm>

struct TableFacts {
    QString name;
    qint64 rows = 0;
    bool linked = false;    // its rows live in another file and are not counted
    QString linkedDatabase; // linked tables: the stored path of the other file
    QString unreadable;     // not empty: the table, or some of its rows, could not be read, and why
};

// What the saved queries become in one target's complete script.
struct TargetQueries {
    QString target; // "PostgreSQL", "MySQL", "SQLite", "SQL Server"
    int views = 0;
    int functions = 0;
    int procedures = 0;
    QStringList left; // each query that becomes none of those: "NAME: why"
};

// Values of one column that one target cannot hold as they are (--values): what the target's rows get
// instead, how many, and the first such value as the file holds it.
struct UnheldValues {
    QString target; // "PostgreSQL", "MySQL", "SQLite", "SQL Server"
    QString table;
    QString column;
    QString what; // "negative zeros written as 0, as this server keeps no sign of zero"
    qint64 values = 0;
    QString example; // "-0", "1700-05-01 00:00:00"
};

// A rule of the file that its own rows break (--values), as a migration names it, and the targets whose
// script leaves it out for that (all four, or those that compare the texts of keys exactly).
struct BrokenRule {
    QString text;        // "Table Clients, column Phone: ..."
    QStringList targets; // empty: every target
};

// The application around the data: forms, reports, macros and the VBA modules, counted as objects.txt of
// --code counts them (AssessCode.h).
struct CodeFacts {
    int forms = 0;
    int reports = 0;
    int macros = 0;
    int standardModules = 0;
    int classModules = 0;
    int documentModules = 0; // the modules behind forms and reports
    int lines = 0;           // of VBA, the Attribute lines not counted
    int procedures = 0;
    QStringList warnings; // what of the project could not be read, and why
    QString folder;       // where --code wrote the modules and objects.txt; empty when they were not written
    QString unwritten;    // not empty: "PATH: why" the code could not be written there

    int modules() const { return standardModules + classModules + documentModules; }
    CodeFacts& operator+=(const CodeFacts& other) {
        forms += other.forms;
        reports += other.reports;
        macros += other.macros;
        standardModules += other.standardModules;
        classModules += other.classModules;
        documentModules += other.documentModules;
        lines += other.lines;
        procedures += other.procedures;
        return *this;
    }
};

struct DatabaseFacts {
    QString path;
    qint64 size = -1; // bytes; -1 when the file is not there
    QString version;  // "Jet 4 (Access 2000-2003)", ...: the file format; empty when the header is no Access
                      // header
    bool encrypted = false;
    bool passwordGiven = false;
    QString failure;                // not empty: the database could not be read at all, and why
    QList<TableFacts> tables;       // the user tables in the order of the table list
    QMap<QString, int> columnTypes; // Access type name -> columns of that type
    QStringList complexColumns;     // "Table.Column (kind)"
    int relationships = 0;
    int enforcedRelationships = 0;
    QMap<QString, int> queryKinds; // kind name -> visible saved queries of that kind
    int hiddenQueries = 0;         // those forms and reports keep for themselves
    QStringList unreadQueries;     // "NAME: why": stored rows that make no statement
    QList<TargetQueries> targets;  // one per target, when the queries could be read
    QString queriesFailure;        // not empty: the saved queries could not be read, and why
    CodeFacts code;
    bool valuesRead = false;          // --values: every row was read for the two below
    QList<UnheldValues> unheldValues; // by target, then table and column
    QList<BrokenRule> brokenRules;    // in the order a migration names them

    bool read() const { return failure.isEmpty(); }
    qint64 rows() const {
        qint64 total = 0;
        for (const TableFacts& t : tables)
            total += t.rows;
        return total;
    }
    QStringList unreadableTables() const {
        QStringList names;
        for (const TableFacts& t : tables)
            if (!t.unreadable.isEmpty())
                names << t.name;
        return names;
    }
    // Read whole: every table, every row and the whole VBA project.
    bool readWhole() const { return read() && unreadableTables().isEmpty() && code.warnings.isEmpty(); }
    int linkedTables() const {
        int count = 0;
        for (const TableFacts& t : tables)
            count += t.linked ? 1 : 0;
        return count;
    }
    int savedQueries() const {
        int count = 0;
        for (const int n : queryKinds)
            count += n;
        return count;
    }
};

using Assessment = QList<DatabaseFacts>;

// The totals of a whole assessment.
struct AssessmentTotals {
    int databases = 0;
    int read = 0;   // read whole
    int partly = 0; // read, some tables or some of the VBA project not
    int unreadable = 0;
    qint64 size = 0;
    int tables = 0;
    qint64 rows = 0;
    int linkedTables = 0;
    int relationships = 0;
    int savedQueries = 0;
    CodeFacts code;
    bool valuesRead = false;      // some database's rows were read for the values and rules
    QMap<QString, qint64> unheld; // target -> values it cannot hold as they are
    int brokenRules = 0;
};

inline AssessmentTotals totals(const Assessment& assessment) {
    AssessmentTotals t;
    for (const DatabaseFacts& db : assessment) {
        ++t.databases;
        if (!db.read())
            ++t.unreadable;
        else if (db.readWhole())
            ++t.read;
        else
            ++t.partly;
        t.size += qMax<qint64>(db.size, 0);
        t.tables += int(db.tables.size());
        t.rows += db.rows();
        t.linkedTables += db.linkedTables();
        t.relationships += db.relationships;
        t.savedQueries += db.savedQueries();
        t.code += db.code;
        t.valuesRead |= db.valuesRead;
        for (const UnheldValues& values : db.unheldValues)
            t.unheld[values.target] += values.values;
        t.brokenRules += int(db.brokenRules.size());
    }
    return t;
}

// What the saved queries of all databases become in each target, the queries left named "FILE: NAME: why".
inline QList<TargetQueries> targetTotals(const Assessment& assessment) {
    QList<TargetQueries> sums;
    for (const DatabaseFacts& db : assessment)
        for (const TargetQueries& target : db.targets) {
            auto it = std::find_if(sums.begin(), sums.end(),
                                   [&](const TargetQueries& s) { return s.target == target.target; });
            if (it == sums.end())
                it = sums.insert(sums.end(), TargetQueries{target.target, 0, 0, 0, {}});
            it->views += target.views;
            it->functions += target.functions;
            it->procedures += target.procedures;
            for (const QString& left : target.left)
                it->left << db.path + QStringLiteral(": ") + left;
        }
    return sums;
}
