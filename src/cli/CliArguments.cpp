#include "CliArguments.h"

#include <QCommandLineParser>

namespace {

QString usageText(const QCommandLineParser& parser) {
    return parser.helpText() +
           QStringLiteral(
               "\nExit status: 0 success, 64 usage error or blank path, 65 unreadable database\n"
               "(or some of its tables: the script is written all the same), 66 no such file,\n"
               "69 reader program could not be started, 73 output file not written.\n"
               "\n"
               "--data writes every row of every table after the tables and before their indexes,\n"
               "foreign keys and counters, for \"SQL Server\", \"PostgreSQL\", \"MySQL\" and \"SQLite\":\n"
               "one script that loads unedited (psql -v ON_ERROR_STOP=1 -f, mariadb DB <, sqlite3 DB <).\n"
               "A value a server cannot hold is named in a comment and on standard error (exit 65);\n"
               "so are the values of attachment and multi-valued columns left out with their count\n"
               "when the table has no primary key (--no-primary-key).\n"
               "\n"
               "--into URL loads the tables, every row, the indexes, foreign keys and counters straight\n"
               "into a server and prints a report of the rows read and the rows the target holds:\n"
               "  postgresql://[user@][host][:port]/DBNAME[?host=/run/postgresql&...] or libpq keywords\n"
               "  mysql://[user@][host][:port]/DBNAME[?socket=PATH] (also mariadb://)\n"
               "  sqlite:PATH\n"
               "A password in the URL is refused: use --password-prompt, PGPASSWORD, ~/.pgpass,\n"
               "MYSQL_PWD or ~/.my.cnf. Tables that exist in the target are refused before anything is\n"
               "made (--replace drops and makes them again). PostgreSQL and SQLite load in one\n"
               "transaction; on MySQL a failed load drops the tables it made. --verify reads every\n"
               "row back and compares a digest of each table's values with what was sent. Exit status:\n"
               "0 when every count (and with --verify every table's values) agrees, 65 when some of\n"
               "the file could not be read or values were left out, 70 when the target refused or\n"
               "holds other counts or values, 73 when it holds tables of the same names.\n"
               "\n"
               "--into URL with several databases or folders (searched for .mdb and .accdb files):\n"
               "each database into a PostgreSQL schema, MySQL database or SQLite file DIR/NAME.sqlite\n"
               "(sqlite:DIR) of its own, named after its file; -j N at once, each with the rules\n"
               "above. A line a database at the end; the exit status is the highest of theirs.\n"
               "--into URL --sync brings a database an earlier --into of this file made (with the\n"
               "same options) up to date with the file, for a cutover while people still work in\n"
               "Access: each table's rows are loaded into a temporary table, then rows gone from the\n"
               "file are deleted, changed rows updated and new keys inserted, keyed on the primary\n"
               "key; a table without one is replaced whole, a new table is made and loaded, a table\n"
               "only in the target is left alone and named. A table whose columns differ from the\n"
               "target's refuses the run before anything changes. PostgreSQL and SQLite in one\n"
               "transaction, MySQL the row changes in one. The report gives each table's rows in the\n"
               "file, inserted, updated, deleted and unchanged (--verify: and the digest check).\n"
               "\n"
               "The complete scripts end with a view of each visible SELECT and UNION query\n"
               "(--no-views: none), translated for the server: brackets, Table.*, DISTINCTROW,\n"
               "TOP n, True/False/Yes/No, & (NULL as empty), #dates#, \"strings\", * and ? in LIKE,\n"
               "IIf, Nz, IsNull, Len, Left, Right, Mid, Trim, LTrim, RTrim, UCase, LCase, InStr,\n"
               "Date, Now, Time, Year, Month, Day, DateAdd, DateDiff, DatePart (literal intervals),\n"
               "CInt, CLng, CDbl, CCur, CStr, Int, Fix, Abs, Round, Count, Sum, Avg, Min, Max,\n"
               "StDev, StDevP, Var, VarP, IN, BETWEEN, IS NULL, and aliases used later in the\n"
               "SELECT list. A query that cannot be a view with certainty is a comment with its\n"
               "Access SQL and the reason: parameter queries, crosstabs, action, data-definition\n"
               "and pass-through queries, VBA and domain functions (DLookup), form fields\n"
               "(Forms!...), and what a server would answer otherwise than Access.\n"
               "\n"
               "Default values carry over as the server's own defaults: numbers, texts, Yes/No,\n"
               "#dates#, Now(), Date(), Time() and sums such as =Date()+30; GenGUID() where the\n"
               "server makes UUIDs (not SQLite). Any other default is a comment with the reason.\n"
               "\n"
               "--text-case (complete scripts and --into) decides how the text columns compare, sort\n"
               "and make unique. Without it each server keeps its default: PostgreSQL and SQLite\n"
               "mind case, MySQL and SQL Server usually do not. insensitive ignores case as Access\n"
               "does, and a unique index refuses \"ABC\" beside \"abc\" as Access's does: PostgreSQL\n"
               "makes them citext (CREATE EXTENSION citext first; LIKE and indexes keep working, and\n"
               "a CHECK keeps a Text column's length), MySQL utf8mb4_unicode_ci (accents do\n"
               "not count either), SQL Server Latin1_General_100_CI_AS, SQLite COLLATE NOCASE (the\n"
               "letters A-Z only: other letters still differ by case). sensitive minds case:\n"
               "MySQL utf8mb4_bin, SQL Server Latin1_General_100_CS_AS; the others already do.\n"
               "\n"
               "--assess [--html FILE] [--code DIR] [--values] PATH... reads each database the\n"
               "paths name (files, and the .mdb and .accdb files of folders, searched through)\n"
               "without migrating it and reports its version, size, encryption, tables and row\n"
               "counts, column types, complex and linked tables, relationships, forms, reports,\n"
               "macros, modules and lines of VBA, saved queries and what each target makes of\n"
               "them, then the totals: text on standard output, or with --html one self-contained\n"
               "HTML page. With --code DIR each database's code is written as --code writes it\n"
               "into DIR/FILE NAME/, and the report links to it. Rows are counted, not read; with\n"
               "--values every row is read too, for the values each target cannot hold as they are\n"
               "(NaN, -0, dates before 1753 for SQL Server's DATETIME, a seventh digit of a\n"
               "second, ...) by table and column with an example, and the rules the rows break\n"
               "(validation rules, Required columns without a value). Exit status 0 when every\n"
               "database was read whole, 65 when some could not be (a VBA project read in part\n"
               "counts), 73 when code could not be written.\n"
               "\n"
               "An encrypted database (Access 2007 and later, with a database password) opens with\n"
               "its password: --password-file FILE, else VELTRANE_PASSWORD, else a prompt without\n"
               "echo when standard input is a terminal. Never give it as an argument. A missing or\n"
               "wrong password ends with exit status 77.\n"
               "\n"
               "--code DIR reads the VBA project without running anything: one file per module in\n"
               "UTF-8 with CR LF, and objects.txt listing each form, report, macro, module and data\n"
               "access page with its kind, and each module's lines and procedures. A project that\n"
               "is damaged, locked or missing is named on standard error (exit 65) and what could\n"
               "be read is written, for Access 97 to the latest versions. A macro kept as XML\n"
               "(Access 2010 and later) is written as Macro_NAME.xml; older macros are listed by\n"
               "name alone.\n");
}

// "--grant select,update": the permissions to grant besides REFERENCES.
bool applyGrants(const QString& list, ConversionOptions& options, QString& error) {
    options.GrantSelect = options.GrantInsert = options.GrantDelete = options.GrantUpdate = false;
    for (const QString& word : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString permission = word.trimmed().toLower();
        if (permission == QLatin1String("select"))
            options.GrantSelect = true;
        else if (permission == QLatin1String("insert"))
            options.GrantInsert = true;
        else if (permission == QLatin1String("delete"))
            options.GrantDelete = true;
        else if (permission == QLatin1String("update"))
            options.GrantUpdate = true;
        else {
            error = QStringLiteral("unknown permission '%1' (use select, insert, delete, update)").arg(word);
            return false;
        }
    }
    return true;
}

} // namespace

CliArguments ParseCliArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the schema of a Microsoft Access database as an Access SQL or T-SQL script,\n"
                       "or as a complete script for SQL Server, PostgreSQL, MySQL or SQLite."));
    parser.addPositionalArgument(
        QStringLiteral("DATABASE"),
        QStringLiteral("The .mdb or .accdb file to read (with --into: several, or folders)."));
    const QCommandLineOption scriptType(
        {QStringLiteral("t"), QStringLiteral("script-type")},
        QStringLiteral("\"Access SQL\" (default) or \"T-SQL\", the classic scripts; \"SQL Server\", "
                       "\"PostgreSQL\", \"MySQL\" or \"SQLite\", complete scripts that load as "
                       "they are. Any other text selects T-SQL."),
        QStringLiteral("TEXT"), QStringLiteral("Access SQL"));
    const QCommandLineOption go(QStringLiteral("go"), QStringLiteral("Write GO after each statement."));
    const QCommandLineOption noIndexes(QStringLiteral("no-indexes"),
                                       QStringLiteral("Write no CREATE INDEX."));
    const QCommandLineOption noPrimaryKey(QStringLiteral("no-primary-key"),
                                          QStringLiteral("Write no primary-key constraint."));
    const QCommandLineOption systemTables(QStringLiteral("system-tables"),
                                          QStringLiteral("Include the MSys system tables."));
    const QCommandLineOption stripSpaces(
        QStringLiteral("strip-spaces"),
        QStringLiteral("T-SQL only: delete spaces from field names (default: \"_\")."));
    const QCommandLineOption keepIllegal(
        QStringLiteral("keep-illegal"),
        QStringLiteral("T-SQL only: leave other illegal characters in field names."));
    const QCommandLineOption permissions(
        QStringLiteral("permissions"),
        QStringLiteral("T-SQL, SQL Server, PostgreSQL, MySQL: write a GRANT statement for each table."));
    const QCommandLineOption grant(
        QStringLiteral("grant"),
        QStringLiteral("Comma list of select, insert, delete, update (default: all)."),
        QStringLiteral("LIST"));
    const QCommandLineOption users(QStringLiteral("users"), QStringLiteral("The users to grant to."),
                                   QStringLiteral("TEXT"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Write the script to FILE instead of standard output."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption lf(QStringLiteral("lf"), QStringLiteral("End lines with LF instead of CR LF."));
    const QCommandLineOption verbose({QStringLiteral("v"), QStringLiteral("verbose")},
                                     QStringLiteral("Show progress on standard error."));
    const QCommandLineOption data(QStringLiteral("data"),
                                  QStringLiteral("Complete scripts: write every row of every table too."));
    const QCommandLineOption dataOnly(
        QStringLiteral("data-only"),
        QStringLiteral("Complete scripts: write only the rows, for tables made with the same options."));
    const QCommandLineOption table(
        QStringLiteral("table"),
        QStringLiteral("With --data, --data-only, --csv or --into: only this table (repeatable)."),
        QStringLiteral("NAME"));
    const QCommandLineOption csv(
        QStringLiteral("csv"),
        QStringLiteral("Write the rows of each table as a CSV file in DIR (created), and no "
                       "script."),
        QStringLiteral("DIR"));
    const QCommandLineOption queries(
        QStringLiteral("queries"),
        QStringLiteral("Write the saved queries in name order, each as \"-- Query: NAME (KIND)\" and "
                       "its Access SQL, and no script."));
    const QCommandLineOption code(
        QStringLiteral("code"),
        QStringLiteral("Write the VBA modules as the VBA editor exports them (NAME.bas, NAME.cls, "
                       "Form_NAME.cls, Report_NAME.cls), the macros kept as XML (Macro_NAME.xml) and "
                       "objects.txt, the forms, reports, macros, modules and pages, in DIR (created), and "
                       "no script."),
        QStringLiteral("DIR"));
    const QCommandLineOption into(
        QStringLiteral("into"),
        QStringLiteral("Load the tables and every row straight into a server or a new SQLite file "
                       "(postgresql://..., mysql://..., sqlite:PATH) and report the counts; no script."),
        QStringLiteral("URL"));
    const QCommandLineOption replace(
        QStringLiteral("replace"),
        QStringLiteral("With --into: drop and make again the target's tables of the same names."));
    const QCommandLineOption sync(
        QStringLiteral("sync"),
        QStringLiteral("With --into: bring a database an earlier --into made up to date with the file, "
                       "changing only the rows that differ."));
    const QCommandLineOption passwordPrompt(
        QStringLiteral("password-prompt"),
        QStringLiteral("With --into: ask for the target's password on the terminal."));
    const QCommandLineOption verify(
        QStringLiteral("verify"),
        QStringLiteral("With --into: read every row back after the load, compare it with what was sent "
                       "and name the tables that differ."));
    const QCommandLineOption noViews(
        QStringLiteral("no-views"),
        QStringLiteral("Complete scripts: leave out the views of the saved queries."));
    const QCommandLineOption textCase(
        QStringLiteral("text-case"),
        QStringLiteral("Complete scripts and --into: \"insensitive\" compares texts without regard to case, "
                       "as Access does; \"sensitive\" with regard to it (default: the server's own)."),
        QStringLiteral("CASE"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version({QStringLiteral("V"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    parser.addOptions({scriptType,  go,    noIndexes, noPrimaryKey, systemTables, stripSpaces, keepIllegal,
                       permissions, grant, users,     output,       lf,           verbose,     data,
                       dataOnly,    table, csv,       queries,      help,         version});
    parser.addOptions({into, replace, sync, passwordPrompt, verify});
    parser.addOption(noViews);
    parser.addOption(textCase);
    parser.addOption(code);
    const QCommandLineOption passwordFile(
        QStringLiteral("password-file"),
        QStringLiteral("An encrypted database's password: the first line of FILE (else "
                       "VELTRANE_PASSWORD, else a prompt on a terminal)."),
        QStringLiteral("FILE"));
    parser.addOption(passwordFile);
    const QCommandLineOption jobs(
        {QStringLiteral("j"), QStringLiteral("jobs")},
        QStringLiteral("With --into and several databases: migrate N at once (default: one a core)."),
        QStringLiteral("N"));
    const QCommandLineOption schema(
        QStringLiteral("schema"),
        QStringLiteral("With --into: the PostgreSQL schema, MySQL database or SQLite file (in the folder "
                       "sqlite:DIR) the tables go into, made when missing."),
        QStringLiteral("NAME"));
    // How a batch runs each of its databases: the one to migrate, and the file its report line goes to.
    QCommandLineOption batchDatabase(QStringLiteral("batch-database"), {}, QStringLiteral("PATH"));
    QCommandLineOption batchSummary(QStringLiteral("batch-summary"), {}, QStringLiteral("FILE"));
    batchDatabase.setFlags(QCommandLineOption::HiddenFromHelp);
    batchSummary.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({jobs, schema, batchDatabase, batchSummary});

    if (!parser.parse(arguments))
        return CliUsageError{parser.errorText()};
    if (parser.isSet(help))
        return CliText{usageText(parser)};
    if (parser.isSet(version))
        return CliText{QStringLiteral("veltrane-cli %1\n").arg(QStringLiteral(VELTRANE_VERSION))};
    const QStringList positional =
        parser.isSet(batchDatabase) ? QStringList{parser.value(batchDatabase)} : parser.positionalArguments();
    if (positional.size() != 1 && !(parser.isSet(into) && !positional.isEmpty()))
        return CliUsageError{positional.isEmpty() ? QStringLiteral("no database given")
                                                  : QStringLiteral("more than one database given")};

    CliRequest request;
    ConversionOptions& options = request.options;
    options.DatabasePath = positional.first();
    request.databases = positional;
    request.schema = parser.value(schema);
    request.summaryFile = parser.value(batchSummary);
    if (parser.isSet(jobs)) {
        bool number = false;
        request.jobs = parser.value(jobs).toInt(&number);
        if (!number || request.jobs < 1)
            return CliUsageError{QStringLiteral("-j takes a number of databases at once, 1 or more")};
    }
    if ((parser.isSet(jobs) || parser.isSet(schema)) && !parser.isSet(into))
        return CliUsageError{QStringLiteral("-j and --schema go with --into")};
    if (parser.isSet(schema) && request.schema.isEmpty())
        return CliUsageError{QStringLiteral("--schema needs a name")};
    options.ScriptType = parser.value(scriptType);
    options.CreateGo = parser.isSet(go);
    options.CreateIndexes = !parser.isSet(noIndexes);
    options.CreatePrimaryKey = !parser.isSet(noPrimaryKey);
    options.IncludeSystemTables = parser.isSet(systemTables);
    options.StripSpaces = parser.isSet(stripSpaces);
    options.ModifyIllegalCharacters = !parser.isSet(keepIllegal);
    options.CreatePermissions = parser.isSet(permissions);
    options.UserNames = parser.value(users);
    options.CreateViews = !parser.isSet(noViews);
    const QString caseOfTexts = parser.value(textCase);
    if (caseOfTexts == QLatin1String("insensitive"))
        options.CaseOfTexts = TextCase::Insensitive;
    else if (caseOfTexts == QLatin1String("sensitive"))
        options.CaseOfTexts = TextCase::Sensitive;
    else if (parser.isSet(textCase))
        return CliUsageError{
            QStringLiteral("--text-case takes insensitive or sensitive, not \"%1\"").arg(caseOfTexts)};
    QString error;
    if (parser.isSet(grant) && !applyGrants(parser.value(grant), options, error))
        return CliUsageError{error};
    request.outputFile = parser.value(output);
    request.lineFeeds = parser.isSet(lf);
    request.verbose = parser.isSet(verbose);
    request.data = parser.isSet(data) || parser.isSet(dataOnly);
    request.dataOnly = parser.isSet(dataOnly);
    request.csvFolder = parser.value(csv);
    request.tables = parser.values(table);
    request.passwordFile = parser.value(passwordFile);
    const QStringList dataTypes{QStringLiteral("SQL Server"), QStringLiteral("PostgreSQL"),
                                QStringLiteral("MySQL"), QStringLiteral("SQLite")};
    if (request.data && !dataTypes.contains(options.ScriptType))
        return CliUsageError{
            QStringLiteral("--data and --data-only take the complete script types: \"SQL Server\", "
                           "\"PostgreSQL\", \"MySQL\" or \"SQLite\", not \"%1\"")
                .arg(options.ScriptType)};
    if (parser.isSet(csv) && (request.data || parser.isSet(output)))
        return CliUsageError{
            QStringLiteral("--csv writes no script: it does not go with --data, --data-only or -o")};
    if (parser.isSet(csv) && request.csvFolder.isEmpty())
        return CliUsageError{QStringLiteral("--csv needs a folder")};
    request.queries = parser.isSet(queries);
    if (request.queries && (request.data || parser.isSet(csv) || parser.isSet(into)))
        return CliUsageError{QStringLiteral(
            "--queries writes no script: it does not go with --data, --data-only, --csv or --into")};
    request.codeFolder = parser.value(code);
    if (parser.isSet(code) && request.codeFolder.isEmpty())
        return CliUsageError{QStringLiteral("--code needs a folder")};
    if (parser.isSet(code) &&
        (request.data || parser.isSet(csv) || request.queries || parser.isSet(into) || parser.isSet(output)))
        return CliUsageError{QStringLiteral("--code writes no script: it does not go with --data, "
                                            "--data-only, --csv, --queries, --into or -o")};
    request.into = parser.value(into);
    request.replace = parser.isSet(replace);
    request.passwordPrompt = parser.isSet(passwordPrompt);
    request.verify = parser.isSet(verify);
    request.sync = parser.isSet(sync);
    if (parser.isSet(into) && (request.data || parser.isSet(csv) || parser.isSet(output)))
        return CliUsageError{
            QStringLiteral("--into writes no script: it does not go with --data, --data-only, --csv or -o")};
    if (parser.isSet(into) && request.into.isEmpty())
        return CliUsageError{QStringLiteral("--into needs a URL")};
    if ((request.replace || request.passwordPrompt) && !parser.isSet(into))
        return CliUsageError{QStringLiteral("--replace and --password-prompt go with --into")};
    if (request.sync && (!parser.isSet(into) || request.replace))
        return CliUsageError{QStringLiteral("--sync goes with --into, and not with --replace")};
    if (request.verify && !parser.isSet(into))
        return CliUsageError{QStringLiteral("--verify goes with --into")};
    if (!request.tables.isEmpty() && !request.data && !parser.isSet(csv) && !parser.isSet(into))
        return CliUsageError{QStringLiteral("--table goes with --data, --data-only, --csv or --into")};
    return request;
}
