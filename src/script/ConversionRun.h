#pragma once
// The conversion run behind "Gen SQL": lists the database's tables, hands each one to the writer of the
// chosen dialect, and puts the results header in front of the script.

#include <QStringList>

class SchemaReader;
class WindowOps;
struct ReadFailure;

// How a run ended, for the callers that act on it (the command line's exit status).
struct RunOutcome {
    enum class Ending {
        NoPath,             // the path was blank; nothing was read
        ReaderUnavailable,  // the reader program could not be started
        DatabaseUnreadable, // the table list could not be read
        PartlyRead,         // the script is there, but some tables could not be read
        Done,               // every table was read (linked tables whose file is not there aside)
        Stopped,            // the window asked the run to stop before its next table (it is closing)
    };
    Ending ending = Ending::Done;
    int failureNumber = 0;        // ReaderUnavailable and DatabaseUnreadable: the reader's number
    QStringList unreadableTables; // fields or index list could not be read, in script order
    QStringList notReadTables;    // left unread on purpose: linked tables whose table is out of reach (no
                                  // file, an ODBC source, or a link that leads on to another link)
    bool operator==(const RunOutcome&) const = default;
};

// Runs one conversion. After a run over tables that could not be read, it shows one message naming them.
RunOutcome cmdGenSQL_Click(WindowOps& window, SchemaReader& reader);

// Shows why the table list could not be read and ends the run: the reader's number and description, then,
// unless the reader program itself is missing, the message that the file is not a database.
RunOutcome endWithUnreadableDatabase(WindowOps& window, const ReadFailure& failure);

// That message; empty when every table was read.
QString unreadTablesMessage(const RunOutcome& outcome);
