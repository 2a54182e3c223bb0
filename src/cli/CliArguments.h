#pragma once
// The command line of veltrane-cli: one option per conversion option, defaults as the window opens.

#include "ConversionOptions.h"
#include <QStringList>
#include <variant>

struct CliRequest {
    ConversionOptions options;
    QString outputFile; // empty: standard output
    bool lineFeeds = false;
    bool verbose = false;
    // The rows: with the script (complete script types only), without the schema, or as CSV files in a
    // folder.
    bool data = false;
    bool dataOnly = false;
    QString csvFolder;
    QStringList tables;   // --table: only these
    bool queries = false; // --queries: the saved queries as Access SQL, and no script
    // --into: straight into a server or a new SQLite file instead of a script.
    QString into;
    bool replace = false;
    bool passwordPrompt = false;
    bool verify = false;  // --into: read the rows back and compare them with what was sent
    QString passwordFile; // --password-file: an encrypted database's password is its first line
    // --into with several databases or folders (searched for .mdb and .accdb): each into a namespace of its
    // own (BatchMigration.h), --jobs at once (0: one a core). --schema names a single database's namespace.
    QStringList databases;
    int jobs = 0;
    QString schema;
    QString summaryFile; // set by a batch for each database it runs: where its line of the report goes
};

// What the command line asks for besides a conversion.
struct CliText {
    QString text; // help or version text for standard output
};

struct CliUsageError {
    QString message;
};

using CliArguments = std::variant<CliRequest, CliText, CliUsageError>;

CliArguments ParseCliArguments(const QStringList& arguments);
