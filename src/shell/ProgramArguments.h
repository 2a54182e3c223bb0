#pragma once
// The desktop program's command line: at most one database file, which start-up puts into the path box
// in place of the stored path (a file manager's "Open with" passes it so). Nothing is run by it.

#include <QStringList>
#include <variant>

struct ProgramStart {
    QString database; // absolute; empty: the stored path stays
};

// Help or version text for standard output, instead of a window.
struct ProgramText {
    QString text;
};

struct ProgramUsageError {
    QString message;
};

using ProgramArguments = std::variant<ProgramStart, ProgramText, ProgramUsageError>;

// The arguments as QCoreApplication::arguments() gives them (program name first, Qt's own options removed).
ProgramArguments ParseProgramArguments(const QStringList& arguments);
