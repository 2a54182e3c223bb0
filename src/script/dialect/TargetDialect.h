#pragma once
// What sets one server's complete script apart from another's, in one value per server: how names are
// quoted, how long they may be and which characters they may hold, the column type of each Access type (and
// so the form its values take), literals, how an AutoNumber is numbered, where keys and foreign keys may go,
// and which statements the server knows at all. Each server's value is in a file of its own
// (SqlServerDialect.cpp, ...); the planner asks the dialect and never which server it is.

#include "DatabaseSchema.h"
#include "FunctionSpellings.h"
#include "RoutineSpellings.h"

#include <QString>
#include <span>

enum class Target { SqlServer, PostgreSql, MySql, Sqlite };

// The form in which a column's values are written, whatever the server calls the column's type.
enum class ValueForm { Boolean, Integer, Exact, Float, Timestamp, Text, Bytes, Uuid, UuidText };

// One row of a server's type table: the column type of an Access type. In the text, {n} is the column's size
// (Text: characters, Binary: bytes), {p} and {s} a Decimal's precision and scale.
struct TypeRow {
    JetType type;
    const char* text;
    ValueForm form;
    bool longValue = false; // a long text or binary kept apart from the row
};

// How the server numbers an AutoNumber column.
enum class AutoNumbering {
    Clause,            // the column's own clause (identity), on any integer column
    KeyedClause,       // the clause, on a column that begins a key of the table in CREATE TABLE
    IntegerPrimaryKey, // only a one-column INTEGER PRIMARY KEY numbers itself
};

// How a string literal is written in the rows of a script.
enum class TextLiteral {
    Doubled,   // '...' with '' for a quote; every other character as it is
    Escaped,   // and "\" escapes: \\ for a backslash, \0 for NUL
    National,  // N'...', so that every character is kept whatever the database's code page; a text with
               // CR, LF or NUL as CAST(0x... AS NVARCHAR(MAX))
    BytesCast, // '...' with '' for a quote; a text with CR, LF or NUL as CAST(X'...' AS TEXT)
               // ||char(n)||
};

// How a binary value is written.
enum class BytesLiteral {
    XQuoted, // X'0A0B'
    ZeroX,   // 0x0A0B
    Bytea,   // '\x0a0b', PostgreSQL's hex input
};

// How a table's rows are written.
enum class RowsForm {
    Inserts, // multi-row INSERT statements
    Copy,    // COPY ... FROM stdin with the rows as data lines
};

// How a foreign key is written that rows already in the table break (on the server's terms, not Access's).
enum class BrokenForeignKey {
    LeftOut,  // not written
    NotValid, // written NOT VALID: the server checks only the rows added or changed later
    Kept,     // written as it is: the server never checks the rows that are there when it is made
};

// How text columns are made to compare, sort and make unique without regard to case (insensitive) or with
// regard to it (sensitive), where the server's default does not: a type in place of the column's, a clause
// after it, and a statement the script needs before its tables. nullptr: the default does so already.
struct TextCaseSpellings {
    const char* insensitiveType = nullptr;
    const char* insensitiveClause = nullptr;
    const char* insensitiveSetup = nullptr;
    const char* sensitiveClause = nullptr;
};

struct TablePlan;

struct TargetDialect {
    Target target{};
    QString scriptType{}; // the script-type text that selects it: "PostgreSQL"

    // Names
    QChar openQuote{};
    QChar closeQuote{};          // doubled inside a name
    int nameLimit = 0;           // longest name the server keeps, 0 for none
    bool limitInBytes = false;   // counted in UTF-8 bytes rather than characters
    bool basicPlaneOnly = false; // names cannot hold characters outside the Basic Multilingual Plane
    // Tables and columns take COMMENT '...' in CREATE TABLE, where a changed name keeps its Access name.
    bool nameComments = false;
    // Index names share one namespace with every table and index of the database, rather than one per table.
    bool databaseWideIndexNames = false;
    QString primaryKeySuffix{};  // the server names a primary key after its table with this: it is taken too
    QString reservedIndexName{}; // an index name the server keeps for itself

    // Types and values
    std::span<const TypeRow> types{};
    TypeRow unknownType{}; // a column of a type byte Access does not define: its bytes as they are
    // A Decimal whose precision is not known (a calculated column's result): the widest exact decimal.
    const char* widestDecimal{};
    QString trueLiteral{};
    QString falseLiteral{};
    bool backslashEscapes = false; // string literals treat "\" as an escape character
    TextLiteral textLiterals = TextLiteral::Doubled;
    BytesLiteral bytesLiterals = BytesLiteral::XQuoted;
    // The float types hold NaN and the infinities, written as these texts; empty where they do not.
    const char* notANumber = nullptr;
    const char* infinity = nullptr;
    const char* negativeZero = nullptr; // where the float types keep the sign of zero
    // The server reads decimal reals of more significant digits than this to a neighbouring double now and
    // then: such a real is written as its exact significand times powers of two instead; 0 for none.
    int exactRealDigits = 0;
    // Exact decimals of more digits than this are kept as TEXT when rows are written (the server's own
    // decimal would round them to a double); 0 where every decimal is kept.
    int exactDigits = 0;
    // The type of a Date/Time column when rows are written, where the schema's type drops milliseconds.
    const char* timestampWithRows = nullptr;
    // The digits of a second the timestamp types keep, where that is fewer than Date/Time Extended's seven;
    // 0 where they keep them all.
    int fractionDigits = 0;
    bool exactAsText = false; // Currency and Decimal go in as texts (a number would be rounded to a double)
    TextCaseSpellings textCase{};
    bool longDefaultsAsExpressions = false; // a default on a long value only as an expression "(...)"
    // The default of a timestamp column that takes the time of the insert, where the server takes Now() there
    // only in this spelling (with the column's digits of a second: "(3)"); nullptr: as Now() is written.
    const char* nowDefault = nullptr;

    // Keys
    AutoNumbering autoNumbering = AutoNumbering::Clause;
    QString identity{};        // follows an AutoNumber's type where autoNumbering is a clause
    QString uuidDefault{};     // DEFAULT expression of a GUID AutoNumber; empty where the server has none
    bool longValueKeys = true; // a long value can be an index key (by a prefix where need be)
    bool longValueForeignKeys = true; // and a foreign-key column
    // Foreign keys are part of CREATE TABLE (the server has no ALTER TABLE ... ADD CONSTRAINT).
    bool foreignKeysInTable = false;
    bool cascadesWithinTable = true; // a foreign key to its own table may cascade
    // Texts of keys compare by their exact characters, case and trailing spaces counting, where Access
    // compares them without regard to either: the rows of a relationship may then not match.
    bool exactTextKeys = false;
    BrokenForeignKey brokenForeignKey = BrokenForeignKey::LeftOut;
    // Fits a planned table into the server's row and key limits, where it has such; nullptr for none.
    void (*fitTable)(const TargetDialect& dialect, TablePlan& table) = nullptr;

    // Statements
    // The first statement of every script, before any other: the character set its text is written in, so
    // that no client's own default decides how it is read.
    const char* scriptSetup = nullptr;
    bool grants = false;                // the server has users to GRANT to
    bool go = false;                    // the GO option adds a "GO" line after each statement
    bool descriptionStatements = false; // descriptions become COMMENT ON statements instead of comments
    // A view's column over a join is named by an AS of its own: the server's name for a bare column there may
    // not be the column's (SQLite names one from a parenthesised join "StudentID:1").
    bool namesJoinedViewColumns = false;
    QString tableOptions{}; // after the closing parenthesis of CREATE TABLE

    // Rows
    RowsForm rowsForm = RowsForm::Inserts;
    int rowsPerInsert = 500;         // rows of one INSERT statement at most
    const char* rowsSetup = nullptr; // a statement before the first row
    const char* begin = nullptr;     // the statement that opens the load's transaction; none: no transaction
    bool transactionHoldsTables =
        false;                   // the transaction holds CREATE TABLE too (the server's DDL is transactional)
    bool identityInsert = false; // explicit AutoNumbers need SET IDENTITY_INSERT ... ON around the rows
    // The statement that sets an AutoNumber column's counter past its largest value after the load; nullptr
    // where the server moves the counter itself as rows with explicit values arrive.
    QString (*counterStatement)(const TargetDialect& dialect, const QString& table,
                                const QString& column) = nullptr;
    // The statement that makes a Required column NOT NULL after its rows are loaded ({t} the table, {c} the
    // column), where the server checks the rows there in one cheap pass: a load then counts the column's
    // missing values as it writes the rows instead of reading them once more before CREATE TABLE, and
    // writes the statement only where there are none. nullptr: NOT NULL is decided before CREATE TABLE.
    const char* notNullAfterRows = nullptr;

    // Queries
    const FunctionSpellings* functions = nullptr; // how the Access functions are written
    const RoutineSpellings* routines = nullptr;   // how parameter and action queries are held; none: not

    // Validation rules
    // A trigger that refuses a row as a CHECK would, for a rule that calls a function whose value changes
    // (Date(), Now()), which the server's CHECK cannot call: {name}, {event} (INSERT or UPDATE), {table},
    // {condition} (its columns as NEW.column) and {message} (a string literal). nullptr: a CHECK holds it.
    const char* refusingTrigger = nullptr;
    int messageLimit = 0; // characters of the trigger's message the server keeps; 0: no limit
    // The statement delimiter a script gives its client around a statement that holds ";" itself (MySQL's
    // DELIMITER); nullptr where the client finds the end of such a statement itself.
    const char* bodyDelimiter = nullptr;
    // A column's CHECK takes a name of its own (CONSTRAINT ... CHECK); false where the server names it after
    // the column and takes no name there (MariaDB).
    bool namedColumnChecks = true;
    // A CHECK may read a column that a foreign key's ON UPDATE CASCADE or SET NULL changes (MariaDB: not).
    bool checksOnCascadedColumns = true;
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

// The name as the server can hold it: where names cannot hold characters outside the Basic Multilingual
// Plane, each such character becomes "U+" and its code point in hex ("Smile😀" -> "SmileU+1F600"). The name
// allocator keeps the results unique. Every other name is returned as it is.
QString keptName(const TargetDialect& dialect, const QString& name);
