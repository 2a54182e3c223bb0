#pragma once
// What sets one server's complete script apart from another's: how names are quoted and how long they may be,
// how an AutoNumber and a generated GUID are written, where foreign keys go, and which statements the server
// knows at all. The steps of a complete script are shared (CompleteScript.h); the column types of every
// target are in one table (TargetTypes.h).

#include <QString>

enum class Target { SqlServer, PostgreSql, MySql, Sqlite };

struct TargetDialect {
    Target target;
    QString scriptType; // the script-type text that selects it: "PostgreSQL"
    QChar openQuote;
    QChar closeQuote;  // doubled inside a name
    int nameLimit;     // longest name the server keeps, 0 for none
    bool limitInBytes; // counted in UTF-8 bytes rather than characters
    // Index names share one namespace with every table and index of the database, rather than one per table.
    bool databaseWideIndexNames;
    // Foreign keys are part of CREATE TABLE (the server has no ALTER TABLE ... ADD CONSTRAINT).
    bool foreignKeysInTable;
    bool grants;                // the server has users to GRANT to
    bool go;                    // the GO option adds a "GO" line after each statement
    bool descriptionStatements; // descriptions become COMMENT ON statements instead of comments
    QString identity;           // follows an AutoNumber's type; empty where the key itself makes it one
    QString uuidDefault;        // DEFAULT expression of a GUID AutoNumber; empty where the server has none
    QString trueLiteral;
    QString falseLiteral;
    bool backslashEscapes; // string literals treat "\" as an escape character
    QString tableOptions;  // after the closing parenthesis of CREATE TABLE
};

const TargetDialect& sqlServerDialect();
const TargetDialect& postgreSqlDialect();
const TargetDialect& mySqlDialect();
const TargetDialect& sqliteDialect();

// The dialect of a complete-script type named exactly (case-sensitive); nullptr for any other text, which
// keeps selecting the classic scripts.
const TargetDialect* completeScriptDialect(const QString& scriptType);

QString quoteName(const TargetDialect& dialect, const QString& name);
// The quoted name put at the end of text, without a string of its own.
void appendQuotedName(QString& text, const TargetDialect& dialect, const QString& name);
QString stringLiteral(const TargetDialect& dialect, const QString& text);
